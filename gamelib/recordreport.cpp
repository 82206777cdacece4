#include "recordreport.h"
#include <set>
#include <string>
#include "ce_registry.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "drecordstore.h"
#include "dsystem.h"

using dfc::io::DEOFException;
using dfc::lang::DExceptionPtr;
using dfc::lang::DString;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;
using dfc::microedition::rms::DRecordStore;

bool RecordReport::firstTime(const DStringPtr& folder, const char16_t* kind) {
    static std::set<std::u16string> named;
    return named.insert(std::u16string(kind) + u":" + folder->chars()).second;
}

void RecordReport::unreadable(const DStringPtr& store, const DStringPtr& what, const DStringPtr& reason,
                              const char16_t* outcome) {
    DStringPtr folder = DRecordStore::hostFolder(store);
    if (!DSystem::err || !firstTime(folder, u"read")) return;
    DSystem::err->println(u"can't read " + what + u" in " + folder + u": " + reason + u"; " + outcome);
}

void RecordReport::unsaved(const DStringPtr& store, const DStringPtr& what, const DExceptionPtr& error) {
    DStringPtr folder = DRecordStore::hostFolder(store);
    if (!DSystem::err || !firstTime(folder, u"save")) return;
    DSystem::err->println(u"can't save " + what + u" in " + folder + u": " + reasonOf(error));
}

DStringPtr RecordReport::reasonOf(const DExceptionPtr& error) {
    std::u16string system = RegFailureReason();
    if (!system.empty()) return new DString(system.c_str());
    return dynamic_cast<DEOFException*>(error.get()) ? u"the record is cut short" : u"the record is malformed";
}
