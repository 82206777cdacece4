#pragma once
#include "ce_registry.h"
#include "dprimitives.h"
#include "drecordstore.ptr"
#include "drecordstoreexception.h"
#include "dstring.h"
#include "dstringarray.h"

namespace dfc::microedition::rms {

// A named set of numbered byte records, kept in the registry under
// HKEY_CURRENT_USER\Software\Velloran\<app.name>\<store name>: one binary value per record,
// named by its id in decimal. Nothing is cached: every write is on disk when it returns.
class DRecordStore : public lang::DObject {
public:
    DRecordStore(const DRecordStore&) = delete;
    DRecordStore& operator=(const DRecordStore&) = delete;
    ~DRecordStore() override;

    static DRecordStorePtr openRecordStore(lang::DStringPtr name, bool createIfNecessary);
    // The names of the application's stores; null when there is no application key.
    static lang::DStringArrayPtr listRecordStores();
    static void deleteRecordStore(lang::DStringPtr name);
    // The application's "app.name", which names its key; null (no stores) until it is set.
    static void setApplicationName(lang::DStringPtr name);
    // The folder on this machine that holds the store, for messages.
    static lang::DStringPtr hostFolder(lang::DStringPtr name);

    lang::DStringPtr getName() { return name; }
    int getNumRecords();
    // One above the largest id present, 1 for an empty or closed store.
    int getNextRecordID();
    int addRecord(lang::DbyteArrayPtr data, int offset, int numBytes);
    // Replaces the record, or makes it under that id.
    void setRecord(int id, lang::DbyteArrayPtr data, int offset, int numBytes);
    void deleteRecord(int id);
    int getRecordSize(int id);
    lang::DbyteArrayPtr getRecord(int id);
    int getRecord(int id, lang::DbyteArrayPtr buffer, int offset);
    // The object stays valid; every record operation then reports the store not open.
    void closeRecordStore();

private:
    explicit DRecordStore(lang::DStringPtr name) : name(name) {}
    void write(int id, const lang::DbyteArrayPtr& data, int offset, int numBytes);

    lang::DStringPtr name;
    HKEY key = nullptr;
};

}  // namespace dfc::microedition::rms
