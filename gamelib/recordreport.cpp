#include "recordreport.h"
#include <string>
#include "ce_registry.h"
#include "damagelog.h"
#include "dioexception.h"
#include "drecordstore.h"

using dfc::io::DEOFException;
using dfc::lang::DExceptionPtr;
using dfc::lang::DString;
using dfc::lang::DStringPtr;
using dfc::microedition::rms::DRecordStore;

void RecordReport::unreadable(const DStringPtr& store, const DStringPtr& what, const DStringPtr& reason,
                              const char16_t* outcome) {
    DStringPtr folder = DRecordStore::hostFolder(store);
    DamageLog::name(u"can't read in " + folder,
                    u"can't read " + what + u" in " + folder + u": " + reason + u"; " + outcome);
}

void RecordReport::unsaved(const DStringPtr& store, const DStringPtr& what, const DExceptionPtr& error) {
    DStringPtr folder = DRecordStore::hostFolder(store);
    DamageLog::name(u"can't save in " + folder, u"can't save " + what + u" in " + folder + u": " + reasonOf(error));
}

DStringPtr RecordReport::reasonOf(const DExceptionPtr& error) {
    std::u16string system = RegFailureReason();
    if (!system.empty()) return new DString(system.c_str());
    return dynamic_cast<DEOFException*>(error.get()) ? u"the record is cut short" : u"the record is malformed";
}
