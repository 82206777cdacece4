#include <gtest/gtest.h>
#include <string>
#include "archive_fixture.h"
#include "d7zipinputstream.h"
#include "dioexception.h"

using namespace dfc::io;
using namespace dfc::lang;

namespace {

std::string pattern(char first) {
    std::string bytes;
    for (int i = 0; i < 2000; ++i) bytes += char(first + i % 17);
    return bytes;
}

const ArchiveTest::Files files = {{"a.bin", pattern('a')}, {"b.bin", pattern('A')}, {"c.bin", pattern('0')}};

// Opens every entry; true when each gives its bytes or DIOException, never anything else.
bool entriesFailCleanly(int* failures) {
    *failures = 0;
    for (const auto& [name, bytes] : files) {
        try {
            D7zipInputStreamPtr in = D7zipInputStream::open(new DString(name.c_str()));
            if (std::string(reinterpret_cast<const char*>(in->getData()), in->getSize()) != bytes) return false;
        } catch (DIOExceptionPtr&) {
            ++*failures;
        }
    }
    return true;
}

}  // namespace

class DamagedArchive : public ArchiveTest {
protected:
    void SetUp() override {
        ArchiveTest::SetUp();
        pack("lzma.dat", files, "LZMA");
        pack("copy.dat", files, "Copy");
    }

    void damage(const std::string& archive, const std::string& to, size_t at, size_t count) {
        std::string bytes = folder.read(archive);
        for (size_t i = at; i < at + count && i < bytes.size(); ++i) bytes[i] = char(bytes[i] ^ 0x5A);
        folder.write(to, bytes);
    }
};

TEST_F(DamagedArchive, FilesThatAreNoArchivesAreRefusedAtOpen) {
    std::string archive = folder.read("lzma.dat");
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"text", "this is not an archive at all"},
        {"signature only", archive.substr(0, 6)},
        {"start header only", archive.substr(0, 32)},
        {"cut in half", archive.substr(0, archive.size() / 2)},
        {"last byte missing", archive.substr(0, archive.size() - 1)},
    };
    for (const Case& c : cases) {
        folder.write("bad.dat", c.bytes);
        EXPECT_THROW(D7zipInputStream::openArchive(u"bad.dat", u"password"), DIOExceptionPtr) << c.name;
        EXPECT_THROW(D7zipInputStream::open(u"a.bin"), DIOExceptionPtr) << c.name;
    }
}

TEST_F(DamagedArchive, DamagedHeadersAreRefusedAtOpen) {
    size_t size = folder.read("lzma.dat").size();
    damage("lzma.dat", "start.dat", 12, 4);
    damage("lzma.dat", "end.dat", size - 8, 4);
    EXPECT_THROW(D7zipInputStream::openArchive(u"start.dat", u"password"), DIOExceptionPtr);
    EXPECT_THROW(D7zipInputStream::openArchive(u"end.dat", u"password"), DIOExceptionPtr);
}

TEST_F(DamagedArchive, DamagedStoredBytesFailTheirEntryOnly) {
    std::string archive = folder.read("copy.dat");
    size_t at = archive.find(pattern('A'));
    ASSERT_NE(at, std::string::npos);
    damage("copy.dat", "bad.dat", at + 100, 1);
    D7zipInputStream::openArchive(u"bad.dat", u"password");
    EXPECT_THROW(D7zipInputStream::open(u"b.bin"), DIOExceptionPtr);
    int failures = 0;
    EXPECT_TRUE(entriesFailCleanly(&failures));
    EXPECT_EQ(failures, 1);
}

TEST_F(DamagedArchive, DamagedPackedDataNeverCrashes) {
    size_t size = folder.read("lzma.dat").size();
    for (size_t at = 32; at + 8 < size; at += 7) {
        damage("lzma.dat", "bad.dat", at, 2);
        try {
            D7zipInputStream::openArchive(u"bad.dat", u"password");
        } catch (DIOExceptionPtr&) {
            continue;
        }
        int failures = 0;
        EXPECT_TRUE(entriesFailCleanly(&failures)) << "damage at " << at;
        D7zipInputStream::closeArchive();
    }
}
