#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include "application_test.h"
#include "byte_arrays.h"
#include "ce_registry.h"
#include "drecordstore.h"
#include "text.h"

namespace fs = std::filesystem;
using dfc::lang::DArrayIndexOutOfBoundsExceptionPtr;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DIllegalArgumentExceptionPtr;
using dfc::lang::DNullPointerExceptionPtr;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using namespace dfc::microedition::rms;

namespace {

class RecordStore : public ApplicationTest {
protected:
    DRecordStorePtr open(const char16_t* name = u"scores") { return DRecordStore::openRecordStore(name, true); }

    std::string stored(const DRecordStorePtr& store, int id) { return textOf(store->getRecord(id)); }

    fs::path appFolder() const {
        return fs::path(dataDir.path()) / "registry/HKEY_CURRENT_USER/Software/Velloran/mossyard";
    }
};

TEST_F(RecordStore, IdsGrowFromOneAboveTheLargest) {
    DRecordStorePtr store = open();
    EXPECT_EQ(0, store->getNumRecords());
    EXPECT_EQ(1, store->getNextRecordID());
    EXPECT_EQ(1, store->addRecord(bytesOf("first"), 0, 5));
    EXPECT_TRUE(fs::is_regular_file(appFolder() / "scores" / "=1"));

    store->setRecord(2, bytesOf("two"), 0, 3);
    store->setRecord(5, bytesOf("five"), 0, 4);
    EXPECT_EQ(3, store->getNumRecords());
    EXPECT_EQ(6, store->getNextRecordID());
    store->deleteRecord(5);
    EXPECT_EQ(3, store->getNextRecordID());
    store->deleteRecord(5);  // a missing record: nothing happens
    EXPECT_EQ(2, store->getNumRecords());

    // A value that is no number counts as a record with id 0.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Velloran\\mossyard\\scores", 0, 0, &key));
    BYTE byte = 1;
    RegSetValueExW(key, u"extra", 0, REG_BINARY, &byte, 1);
    RegCloseKey(key);
    EXPECT_EQ(3, store->getNumRecords());
    EXPECT_EQ(3, store->getNextRecordID());

    // No array: nothing written, the next id answered.
    EXPECT_EQ(3, store->addRecord(DbyteArrayPtr(), 0, 5));
    EXPECT_EQ(3, store->getNumRecords());
    store->closeRecordStore();
}

TEST_F(RecordStore, WritesTakeTheRangeCutAtTheArraysEndAndRefuseOthers) {
    DRecordStorePtr store = open();
    struct Case {
        int offset;
        int numBytes;
        const char* stored;  // null: refused
    };
    const Case cases[] = {
        {0, 10, "0123456789"}, {2, 100, "23456789"}, {10, 5, ""}, {3, 0, ""},
        {11, 1, nullptr},      {-1, 3, nullptr},     {0, -1, nullptr},
    };
    for (const Case& c : cases) {
        for (bool add : {true, false}) {
            std::string what =
                std::string(add ? "add" : "set") + " " + std::to_string(c.offset) + "," + std::to_string(c.numBytes);
            store->setRecord(1, bytesOf("old"), 0, 3);
            int before = store->getNumRecords();
            try {
                int id = 1;
                if (add) id = store->addRecord(bytesOf("0123456789"), c.offset, c.numBytes);
                else store->setRecord(1, bytesOf("0123456789"), c.offset, c.numBytes);
                ASSERT_TRUE(c.stored) << what << " was taken";
                EXPECT_EQ(c.stored, stored(store, id)) << what;
                if (add) store->deleteRecord(id);
            } catch (DRecordStoreExceptionPtr&) {
                EXPECT_FALSE(c.stored) << what << " was refused";
                EXPECT_EQ(before, store->getNumRecords()) << what;
                EXPECT_EQ("old", stored(store, 1)) << what;
            }
        }
    }
    EXPECT_THROW(store->setRecord(1, DbyteArrayPtr(), 0, 0), DNullPointerExceptionPtr);
    EXPECT_EQ("old", stored(store, 1));
}

TEST_F(RecordStore, ReadingIntoABufferChecksTheRoom) {
    DRecordStorePtr store = open();
    store->setRecord(1, bytesOf("abcd"), 0, 4);
    DbyteArrayPtr buffer = bytesOf("..........");
    EXPECT_EQ(4, store->getRecord(1, buffer, 6));
    EXPECT_EQ("......abcd", textOf(buffer));
    for (int offset : {7, 10, 11, -1, -100}) {
        EXPECT_THROW(store->getRecord(1, buffer, offset), DArrayIndexOutOfBoundsExceptionPtr) << offset;
        EXPECT_EQ("......abcd", textOf(buffer)) << offset;
    }
    EXPECT_EQ(4, store->getRecordSize(1));
    store->setRecord(2, bytesOf(""), 0, 0);
    EXPECT_EQ(0, store->getRecord(2)->length);
}

TEST_F(RecordStore, AMissingRecordIsAPlainRecordStoreError) {
    DRecordStorePtr store = open();
    for (auto read : std::vector<std::function<void()>>{[&] { store->getRecord(9); }, [&] { store->getRecordSize(9); },
                                                        [&] { store->getRecord(9, new DbyteArray(4), 0); }}) {
        try {
            read();
            ADD_FAILURE() << "read a missing record";
        } catch (DRecordStoreNotFoundExceptionPtr&) {
            ADD_FAILURE() << "not-found for a record";
        } catch (DRecordStoreExceptionPtr&) {
        }
    }
}

TEST_F(RecordStore, AClosedStoreRefusesRecordOperations) {
    DRecordStorePtr store = open();
    store->addRecord(bytesOf("x"), 0, 1);
    store->closeRecordStore();
    store->closeRecordStore();
    const std::vector<std::pair<const char*, std::function<void()>>> operations{
        {"getNumRecords", [&] { store->getNumRecords(); }},
        {"addRecord", [&] { store->addRecord(bytesOf("y"), 0, 1); }},
        {"setRecord", [&] { store->setRecord(1, bytesOf("y"), 0, 1); }},
        {"deleteRecord", [&] { store->deleteRecord(1); }},
        {"getRecordSize", [&] { store->getRecordSize(1); }},
        {"getRecord", [&] { store->getRecord(1); }},
        {"getRecord into a buffer", [&] { store->getRecord(1, new DbyteArray(4), 0); }},
    };
    for (const auto& [name, operation] : operations)
        EXPECT_THROW(operation(), DRecordStoreNotOpenExceptionPtr) << name;
    EXPECT_EQ(1, store->getNextRecordID());
    EXPECT_EQ(1, store->addRecord(DbyteArrayPtr(), 0, 0));
    EXPECT_EQ("scores", narrow(store->getName()));
}

TEST_F(RecordStore, DataOutlivesTheStoreObject) {
    DRecordStorePtr first = open();
    first->addRecord(bytesOf("kept"), 0, 4);
    DRecordStorePtr second = open();
    EXPECT_EQ("kept", stored(second, 1));
    second->setRecord(1, bytesOf("seen"), 0, 4);
    EXPECT_EQ("seen", stored(first, 1));  // no cache
    first = nullptr;
    second = nullptr;
    EXPECT_EQ("seen", stored(open(), 1));
}

TEST_F(RecordStore, OpeningNamingListingAndDeletingStores) {
    EXPECT_THROW(DRecordStore::openRecordStore(DStringPtr(), true), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(DRecordStore::openRecordStore(u"absent", false), DRecordStoreNotFoundExceptionPtr);

    open(u"b_store")->closeRecordStore();
    open(u"a_store")->closeRecordStore();
    DStringArrayPtr names = DRecordStore::listRecordStores();
    ASSERT_TRUE(names);
    ASSERT_EQ(2, names->length);
    EXPECT_EQ("a_store", narrow((*names)[0]));
    EXPECT_EQ("b_store", narrow((*names)[1]));

    DRecordStore::deleteRecordStore(u"a_store");
    EXPECT_EQ(1, DRecordStore::listRecordStores()->length);
    EXPECT_THROW(DRecordStore::deleteRecordStore(u"a_store"), DRecordStoreNotFoundExceptionPtr);
    EXPECT_THROW(DRecordStore::openRecordStore(u"a_store", false), DRecordStoreNotFoundExceptionPtr);
}

TEST_F(RecordStore, NamesWithSeparatorsOrDotsStayInsideTheApplicationsKey) {
    const char16_t* names[] = {u"..", u"../../../../../../escaped", u"a/b", u"a\\b", u"\u00e9t\u00e9", u"%2E%2E"};
    for (const char16_t* name : names) {
        DRecordStorePtr store = open(name);
        store->addRecord(bytesOf(narrow(DStringPtr(name))), 0, int(narrow(DStringPtr(name)).size()));
        store->closeRecordStore();
    }
    for (const char16_t* name : names)
        EXPECT_EQ(narrow(DStringPtr(name)), stored(open(name), 1)) << narrow(DStringPtr(name));
    // Everything on disk lies in the application's key or on the way down to it.
    auto under = [](const fs::path& p, const fs::path& base) {
        fs::path relative = p.lexically_relative(base);
        return !relative.empty() && *relative.begin() != "..";
    };
    fs::path app = fs::canonical(appFolder());
    for (const auto& entry : fs::recursive_directory_iterator(dataDir.path())) {
        fs::path p = fs::canonical(entry.path());
        EXPECT_TRUE(under(p, app) || under(app, p)) << p;
    }
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A record past the registry's limit is damage: refused on writing, and on reading after at
// most one byte past the limit, however large the file says it is.
TEST_F(RecordStore, ARecordPastTheLimitIsRefusedWithBoundedMemory) {
    DRecordStorePtr store = open();
    const int limit = int(registryValueLimit);
    store->setRecord(1, new DbyteArray(limit), 0, limit);
    EXPECT_EQ(limit, store->getRecord(1)->length);
    EXPECT_THROW(store->setRecord(1, new DbyteArray(limit + 1), 0, limit + 1), DRecordStoreExceptionPtr);
    EXPECT_EQ(limit, store->getRecordSize(1));

    const fs::path file = appFolder() / "scores" / "=1";
    const long before = peakKilobytes();
    struct Case {
        const char* what;
        void (*make)(const fs::path& file);
    } cases[] = {
        {"one byte past the limit", [](const fs::path& f) { fs::resize_file(f, 4 + registryValueLimit + 1); }},
        {"64 MiB written out",
         [](const fs::path& f) {
             std::ofstream out(f, std::ios::binary | std::ios::trunc);
             const std::string block(1 << 20, 'x');
             for (int i = 0; i < 64; ++i) out << block;
         }},
        // Sparse: no disk taken.
        {"8 GiB sparse", [](const fs::path& f) { fs::resize_file(f, uintmax_t(8) << 30); }},
    };
    for (const Case& c : cases) {
        c.make(file);
        EXPECT_EQ(1, store->getNumRecords()) << c.what;
        EXPECT_THROW(store->getRecord(1), DRecordStoreExceptionPtr) << c.what;
        EXPECT_THROW(store->getRecordSize(1), DRecordStoreExceptionPtr) << c.what;
        EXPECT_EQ(u"larger than the limit of 1048576 bytes", RegFailureReason()) << c.what;
    }
    EXPECT_LT(peakKilobytes() - before, 16 * 1024) << "kilobytes taken to refuse them";
    fs::remove(file);
}

// A writer killed at a random moment leaves either the record it replaced or the new one,
// whole; never a mixture, never nothing.
TEST_F(RecordStore, AWriterKilledMidWriteLeavesTheOldOrTheNewRecord) {
    const std::string small(100, 'a'), large(30000, 'b');
    DRecordStorePtr store = open();
    store->setRecord(1, bytesOf(small), 0, int(small.size()));
    for (int round = 0; round < 30; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            DbyteArrayPtr records[] = {bytesOf(large), bytesOf(small)};
            for (unsigned i = 0;; ++i) store->setRecord(1, records[i & 1], 0, records[i & 1]->length);
        }
        usleep(useconds_t(500 + round * 700));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        std::string now = stored(store, 1);
        EXPECT_TRUE(now == small || now == large) << "round " << round << ": " << now.size() << " bytes";
        EXPECT_EQ(1, store->getNumRecords());
    }
}

}  // namespace
