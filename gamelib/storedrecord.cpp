#include "storedrecord.h"
#include "dbytearrayinputstream.h"
#include "drecordstore.h"

using dfc::io::DByteArrayInputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::lang::DbyteArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::rms::DRecordStore;
using dfc::microedition::rms::DRecordStorePtr;

DDataInputStreamPtr StoredRecord::read(const DStringPtr& store) {
    DRecordStorePtr records = DRecordStore::openRecordStore(store, true);
    if (records->getNumRecords() < 1) return DDataInputStreamPtr();
    DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(records->getRecord(1)));
    records->closeRecordStore();
    return in;
}

void StoredRecord::write(const DStringPtr& store, const DByteArrayOutputStreamPtr& bytes) {
    DRecordStorePtr records = DRecordStore::openRecordStore(store, true);
    DbyteArrayPtr record = bytes->toByteArray();
    if (records->getNumRecords() >= 1) records->setRecord(1, record, 0, record->length);
    else records->addRecord(record, 0, record->length);
    records->closeRecordStore();
}
