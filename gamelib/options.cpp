#include "options.h"
#include "ddataoutputstream.h"
#include "dexception.h"
#include "recordreport.h"
#include "storedrecord.h"

using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DDataOutputStream;
using dfc::io::DDataOutputStreamPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DStringPtr;

namespace {

DStringPtr storeName(const DStringPtr& key) { return u"op_" + key; }

}  // namespace

void Options::save(const DStringPtr& key, int value) {
    try {
        DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
        DDataOutputStreamPtr(new DDataOutputStream(bytes))->writeInt(value);
        StoredRecord::write(storeName(key), bytes);
    } catch (DExceptionPtr& e) {
        RecordReport::unsaved(storeName(key), u"option " + key, e);
    }
}

int Options::load(const DStringPtr& key, int defaultValue) {
    try {
        DDataInputStreamPtr in = StoredRecord::read(storeName(key));
        return in ? in->readInt() : defaultValue;
    } catch (DExceptionPtr& e) {
        RecordReport::unreadable(storeName(key), u"option " + key, RecordReport::reasonOf(e), u"its default is used");
        return defaultValue;
    }
}
