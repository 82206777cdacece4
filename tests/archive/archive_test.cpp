#include <gtest/gtest.h>
#include <string>
#include "archive_fixture.h"
#include "byte_arrays.h"
#include "d7zipindex.h"
#include "d7zipinputstream.h"
#include "dexception.h"
#include "dioexception.h"
#include "failing_allocation.h"
#include "text.h"

using namespace dfc::io;
using namespace dfc::lang;

namespace {

std::string picture() {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += char(i * 7 % 13 + 'a');
    return bytes;
}

// x/Aa.txt, x/BB.txt and x/C#.txt share one hash; f5a5a608 hashes to 0.
const ArchiveTest::Files gameFiles = {
    {"menu/back.jpg", picture()}, {"empty.txt", ""},      {"x/Aa.txt", "first"}, {"x/BB.txt", "second"},
    {"f5a5a608", "zero hash"},    {"ten.bin", "0123456789"}, {"docs/", ""},
};

std::string contents(const D7zipInputStreamPtr& in) {
    std::string bytes(reinterpret_cast<const char*>(in->getData()), in->getSize());
    DbyteArrayPtr b = new DbyteArray(int(bytes.size()) + 1);
    EXPECT_EQ(in->read(b), bytes.empty() ? -1 : int(bytes.size()));
    EXPECT_EQ(textOf(b, int(bytes.size())), bytes);
    return bytes;
}

}  // namespace

class Archive : public ArchiveTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Archive, EveryFileOpensUnderItsOwnName) {
    pack("game.dat", gameFiles, GetParam());
    D7zipInputStream::openArchive(u"game.dat", u"password");
    for (const auto& [name, bytes] : gameFiles) {
        if (name.back() == '/') continue;
        EXPECT_EQ(contents(D7zipInputStream::open(new DString(name.c_str()))), bytes) << name;
    }
}

TEST_P(Archive, ThreeSpellingsOfOneName) {
    pack("game.dat", gameFiles, GetParam());
    D7zipInputStream::openArchive(u"game.dat", u"password");
    for (const char16_t* name : {u"/menu/back.jpg", u"menu/back.jpg", u"\\menu\\back.jpg", u"\\menu/back.jpg"})
        EXPECT_EQ(contents(D7zipInputStream::open(name)), picture());
    // Only one leading separator is dropped.
    EXPECT_THROW(D7zipInputStream::open(u"//menu/back.jpg"), DIOExceptionPtr);
}

INSTANTIATE_TEST_SUITE_P(Coders, Archive, ::testing::Values("LZMA", "Copy"));

TEST_F(ArchiveTest, NamesSharingAHashAreToldApart) {
    pack("game.dat", gameFiles);
    D7zipInputStream::openArchive(u"game.dat", u"password");
    EXPECT_EQ(D7zipIndex::hash("x/Aa.txt"), D7zipIndex::hash("x/C#.txt"));
    EXPECT_EQ(contents(D7zipInputStream::open(u"/x/BB.txt")), "second");
    EXPECT_EQ(contents(D7zipInputStream::open(u"/x/Aa.txt")), "first");
    EXPECT_THROW(D7zipInputStream::open(u"/x/C#.txt"), DIOExceptionPtr);
}

TEST_F(ArchiveTest, AnEntryWhoseHashIsZeroIsHeld) {
    ASSERT_EQ(D7zipIndex::hash("f5a5a608"), 0u);
    pack("game.dat", {{"f5a5a608", "zero"}, {"a", "A"}, {"b", "B"}});
    D7zipInputStream::openArchive(u"game.dat", u"password");
    EXPECT_EQ(contents(D7zipInputStream::open(u"/f5a5a608")), "zero");
    EXPECT_EQ(contents(D7zipInputStream::open(u"/b")), "B");
}

TEST_F(ArchiveTest, AnEntryManyTimesItsPackedSizeUnpacksWhole) {
    // The unpacked bytes grow from the packed size as they fill.
    std::string repeated;
    for (int i = 0; i < 1 << 20; ++i) repeated += char('a' + i % 26 + (i >> 16));
    pack("game.dat", {{"big.bin", repeated}});
    ASSERT_LT(folder.read("game.dat").size(), repeated.size() / 16);
    D7zipInputStream::openArchive(u"game.dat", u"password");
    EXPECT_EQ(contents(D7zipInputStream::open(u"/big.bin")), repeated);
}

TEST_F(ArchiveTest, AnEntryThatDoesNotFitInMemoryLeavesNothingBehind) {
    // The unpacked bytes outgrow 64 KiB while the decoder runs; the leak check at the end of
    // the program finds its state should the failure skip it.
    std::string repeated;
    for (int i = 0; i < 1 << 18; ++i) repeated += char('a' + i % 26 + (i >> 14));
    pack("game.dat", {{"big.bin", repeated}});
    D7zipInputStream::openArchive(u"game.dat", u"password");
    failAllocationsFrom(64 << 10);
    std::string said;
    try {
        D7zipInputStream::open(u"/big.bin");
    } catch (DIOExceptionPtr& e) {
        said = narrow(e->getMessage());
    }
    failAllocationsFrom(SIZE_MAX);
    EXPECT_EQ(said, "the data archive " + folder.file("game.dat") + ": the entry big.bin does not fit in memory");
}

TEST(ArchiveIndex, HashTakesBytesAsSigned) {
    EXPECT_EQ(D7zipIndex::hash(""), 0u);
    EXPECT_EQ(D7zipIndex::hash("ab"), 3105u);
    EXPECT_EQ(D7zipIndex::hash("\xe9"), uint32_t(-23));
    EXPECT_EQ(D7zipIndex::hash("a\xe9"), uint32_t(97 * 31 - 23));
}

TEST_F(ArchiveTest, MissingNamesAndClosedArchivesThrow) {
    EXPECT_THROW(D7zipInputStream::open(u"/ten.bin"), DIOExceptionPtr);
    D7zipInputStream::closeArchive();
    pack("game.dat", gameFiles);
    D7zipInputStream::openArchive(u"game.dat", u"password");
    EXPECT_THROW(D7zipInputStream::open(u"/missing.bin"), DIOExceptionPtr);
    EXPECT_THROW(D7zipInputStream::open(u"/menu"), DIOExceptionPtr);
    EXPECT_THROW(D7zipInputStream::open(u"/docs"), DIOExceptionPtr);
    EXPECT_THROW(D7zipInputStream::open(DStringPtr()), DNullPointerExceptionPtr);
    D7zipInputStream::closeArchive();
    D7zipInputStream::closeArchive();
    EXPECT_THROW(D7zipInputStream::open(u"/ten.bin"), DIOExceptionPtr);
}

TEST_F(ArchiveTest, OpeningNeedsANameAndAPassword) {
    pack("game.dat", gameFiles);
    EXPECT_THROW(D7zipInputStream::openArchive(DStringPtr(), u"password"), DNullPointerExceptionPtr);
    EXPECT_THROW(D7zipInputStream::openArchive(u"game.dat", DStringPtr()), DNullPointerExceptionPtr);
    EXPECT_THROW(D7zipInputStream::openArchive(u"other.dat", u"password"), DIOExceptionPtr);
    D7zipInputStream::openArchive(u"/game.dat", u"");
    EXPECT_EQ(contents(D7zipInputStream::open(u"/ten.bin")), "0123456789");
}

TEST_F(ArchiveTest, AnArchiveWithoutFilesFindsNothing) {
    pack("game.dat", {{"only/", ""}});
    D7zipInputStream::openArchive(u"game.dat", u"password");
    EXPECT_THROW(D7zipInputStream::open(u"/only"), DIOExceptionPtr);
    EXPECT_THROW(D7zipInputStream::open(u"/anything"), DIOExceptionPtr);
}

TEST_F(ArchiveTest, StreamOverAnEntry) {
    pack("game.dat", gameFiles);
    D7zipInputStream::openArchive(u"game.dat", u"password");
    D7zipInputStreamPtr in = D7zipInputStream::open(u"/ten.bin");
    DbyteArrayPtr b = new DbyteArray(100);
    EXPECT_EQ(in->skip(4), 4);
    EXPECT_EQ(in->available(), 6);
    EXPECT_EQ(in->read(b, 0, 100), 6);
    EXPECT_EQ(textOf(b, 6), "456789");
    EXPECT_EQ(in->read(b, 0, 100), -1);
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->skip(5), 0);
    in->reset();
    EXPECT_EQ(in->available(), 10);
    EXPECT_EQ(in->read(), '0');

    EXPECT_EQ(in->skip(-5), -1);
    EXPECT_EQ(in->read(), '0');
    EXPECT_THROW(in->read(b, 99, 2), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(in->read(b, -1, 2), DIndexOutOfBoundsExceptionPtr);
    EXPECT_EQ(in->available(), 9);

    in->close();
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->read(b, 0, 10), -1);
}

TEST_F(ArchiveTest, EmptyEntryIsAnEmptyStream) {
    pack("game.dat", gameFiles);
    D7zipInputStream::openArchive(u"game.dat", u"password");
    D7zipInputStreamPtr in = D7zipInputStream::open(u"/empty.txt");
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->getSize(), 0u);
}

TEST_F(ArchiveTest, StreamsOutliveTheArchive) {
    pack("game.dat", gameFiles);
    D7zipInputStream::openArchive(u"game.dat", u"password");
    D7zipInputStreamPtr first = D7zipInputStream::open(u"/ten.bin");
    D7zipInputStreamPtr second = D7zipInputStream::open(u"/ten.bin");
    EXPECT_NE(first->getData(), second->getData());
    D7zipInputStream::closeArchive();
    EXPECT_EQ(contents(first), "0123456789");

    // Opening another archive replaces the first.
    pack("other.dat", {{"ten.bin", "ten"}});
    D7zipInputStream::openArchive(u"game.dat", u"password");
    D7zipInputStream::openArchive(u"other.dat", u"password");
    EXPECT_EQ(contents(D7zipInputStream::open(u"/ten.bin")), "ten");
    EXPECT_EQ(contents(second), "0123456789");
}

TEST_F(ArchiveTest, TheHeaderIsReadOnceAndEachOpenGoesToItsFolder) {
    pack("game.dat", gameFiles);
    D7zipInputStream::openArchive(u"game.dat", u"password");
    // The header, at the end of the file, is spoilt under the open archive: the entries' own
    // bytes are all an open needs.
    std::string bytes = folder.read("game.dat");
    const size_t headerStart = 32 + size_t(uint8_t(bytes[12])) + (size_t(uint8_t(bytes[13])) << 8);
    for (size_t i = headerStart; i < bytes.size(); ++i) bytes[i] = char(~bytes[i]);
    folder.write("game.dat", bytes);
    EXPECT_EQ(contents(D7zipInputStream::open(u"/menu/back.jpg")), picture());
    EXPECT_EQ(contents(D7zipInputStream::open(u"/ten.bin")), "0123456789");
    D7zipInputStream::closeArchive();
    EXPECT_THROW(D7zipInputStream::openArchive(u"game.dat", u"password"), DIOExceptionPtr);
}
