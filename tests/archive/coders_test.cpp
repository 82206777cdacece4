// The data archive's folders use Copy or LZMA; an entry whose folder names any other coder is
// refused before anything of it is unpacked.
#include <gtest/gtest.h>
#include <zlib.h>
#include <cstdlib>
#include <string>
#include "archive_fixture.h"
#include "d7zipinputstream.h"
#include "dioexception.h"
#include "text.h"

using namespace dfc::io;
using namespace dfc::lang;

namespace {

std::string pattern(char first) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += char(first + i % 23);
    return bytes;
}

std::string entryText(const char16_t* name) {
    D7zipInputStreamPtr in = D7zipInputStream::open(name);
    return std::string(reinterpret_cast<const char*>(in->getData()), in->getSize());
}

void putLittleEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char(value >> (8 * i));
}

uint32_t crcOf(const std::string& bytes, size_t at, size_t count) {
    return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + at), uInt(count)));
}

}  // namespace

// The refusal names the coder, before anything is unpacked; every entry of that coder is
// refused in the same line.
class ArchiveCoders : public ArchiveTest {
protected:
    bool refusedNaming(const char16_t* name, const std::string& coder) {
        try {
            D7zipInputStream::open(name);
        } catch (DIOExceptionPtr& e) {
            said = narrow(e->getMessage());
            return said.find(": " + coder + " packs some of its entries: this program unpacks Copy and LZMA only") !=
                   std::string::npos;
        }
        return false;
    }

    std::string said;
};

TEST_F(ArchiveCoders, EntriesOfOtherCodersAreRefusedNamingTheCoder) {
    const struct {
        const char* coder;  // as the 7z tool takes it after -m0=
        const char* name;
    } cases[] = {
        {"PPMd", "the PPMd coder"},
        {"BZip2", "the BZip2 coder"},
        {"Deflate", "the Deflate coder"},
        {"LZMA2", "the LZMA2 coder"},
        {"Delta -m1=LZMA", "the Delta coder"},
        {"ARM64 -m1=LZMA", "the ARM64 branch converter"},
    };
    for (const auto& c : cases) {
        const std::string archive = std::string(c.name) + ".dat";
        pack(archive, {{"a.bin", pattern('a')}, {"b.bin", pattern('b')}}, c.coder);
        D7zipInputStream::openArchive(new DString(archive.c_str()), u"password");
        EXPECT_TRUE(refusedNaming(u"a.bin", c.name)) << c.coder << ": " << said;
        const std::string first = said;
        EXPECT_TRUE(refusedNaming(u"b.bin", c.name)) << c.coder << ": " << said;
        EXPECT_EQ(said, first) << "one line for every entry of the coder";
    }
}

TEST_F(ArchiveCoders, OneArchiveMixingCodersGivesTheCopyAndLzmaEntriesOnly) {
    // Each addition packs its own folders with its own coder.
    pack("mixed.dat", {{"a.bin", pattern('a')}}, "LZMA");
    pack("mixed.dat", {{"b.bin", pattern('b')}}, "PPMd");
    pack("mixed.dat", {{"c.bin", pattern('c')}}, "Copy");
    D7zipInputStream::openArchive(u"mixed.dat", u"password");
    EXPECT_EQ(entryText(u"a.bin"), pattern('a'));
    EXPECT_TRUE(refusedNaming(u"b.bin", "the PPMd coder")) << said;
    EXPECT_EQ(entryText(u"c.bin"), pattern('c'));
}

TEST_F(ArchiveCoders, EntriesSharingASolidFolderAreToldApartFromTheFolderAfter) {
    // Two entries in one LZMA folder with an empty one between them, then a PPMd folder.
    const std::string command =
        "cd '" + folder.path() + "' && printf '%s' '" + pattern('a') + "' > a.bin && printf '%s' '" + pattern('b') +
        "' > b.bin && : > empty.bin && printf '%s' '" + pattern('c') +
        "' > c.bin && 7zz a -bso0 -bsp0 -t7z -m0=LZMA -ms=on solid.dat a.bin empty.bin b.bin > /dev/null" +
        " && 7zz a -bso0 -bsp0 -t7z -m0=PPMd solid.dat c.bin > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    D7zipInputStream::openArchive(u"solid.dat", u"password");
    EXPECT_EQ(entryText(u"a.bin"), pattern('a'));
    EXPECT_EQ(entryText(u"b.bin"), pattern('b'));
    EXPECT_EQ(entryText(u"empty.bin"), "");
    EXPECT_TRUE(refusedNaming(u"c.bin", "the PPMd coder")) << said;
}

TEST_F(ArchiveCoders, AHeaderDamagedToNameAnotherCoderIsRefusedBeforeUnpacking) {
    // An unpacked header, so that its coder can be found and changed; the checksums are made
    // to match again, so that only the coder tells the damage.
    const std::string command =
        "cd '" + folder.path() + "' && printf '%s' '" + pattern('a') +
        "' > a.bin && 7zz a -bso0 -bsp0 -t7z -m0=LZMA -mhc=off -ms=off plain.dat a.bin > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string bytes = folder.read("plain.dat");
    const std::string lzma("\x23\x03\x01\x01\x05", 5);
    const size_t at = bytes.rfind(lzma);
    ASSERT_NE(at, std::string::npos);
    // PPMd of order 6 over a model claiming nearly 4 GB.
    bytes[at + 2] = 0x04;
    bytes[at + 5] = 6;
    putLittleEndian(bytes, at + 6, 0xFFFFFFF0u);
    const size_t headerStart = 32 + size_t(uint8_t(bytes[12])) + (size_t(uint8_t(bytes[13])) << 8) +
                               (size_t(uint8_t(bytes[14])) << 16);
    putLittleEndian(bytes, 28, crcOf(bytes, headerStart, bytes.size() - headerStart));
    putLittleEndian(bytes, 8, crcOf(bytes, 12, 20));
    folder.write("damaged.dat", bytes);

    D7zipInputStream::openArchive(u"damaged.dat", u"password");
    EXPECT_TRUE(refusedNaming(u"a.bin", "the PPMd coder")) << said;
}
