#include "dexception.h"

namespace dfc::lang {

DStringPtr DThrowable::toString() { return u"*** : " + getMessage(); }

DStringPtr DThrowable::getMessage() { return message ? message : DStringPtr(u""); }

bool DThrowable::hasOwnMessage() const { return !fromSite && message && message->length() > 0; }

DThrowSite throwSite(const char* path, int line) { return {DStringPtr(new DString(path)) + u":" + line}; }

DStringPtr numberFormatMessage(const DStringPtr& input) { return u"For input string: \"" + input + u"\""; }

}  // namespace dfc::lang
