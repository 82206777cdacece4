#include "dmidlet.h"
#include "ddisplay.h"

namespace dfc::microedition::midlet {

namespace {
// Held as a plain object pointer: it may be released while the program's statics are destroyed.
lang::DObjectPtr current;
}  // namespace

DMIDlet::DMIDlet() { current = this; }

DMIDlet::~DMIDlet() {
    // A newer application may have taken the slot already; that one must stay.
    if (current.get() == this) current = nullptr;
    display = nullptr;
}

DMIDletPtr DMIDlet::getCurrent() { return DMIDletPtr::from(current); }

lang::DStringPtr DMIDlet::getAppProperty(lang::DStringPtr) { return lang::DStringPtr(); }

}  // namespace dfc::microedition::midlet
