// Packed streams that span far more of the file than they unpack from: the reader takes their
// bytes a piece at a time and stops once what it wants is out, so what it holds is bounded by
// what it unpacks, never by the span the header claims. The large archives are sparse files.
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <lzma.h>
#include <string>
#include "archive_fixture.h"
#include "ce.h"
#include "d7zipfile.h"
#include "d7zipinputstream.h"
#include "dioexception.h"
#include "failing_allocation.h"
#include "platform.h"
#include "text.h"

using namespace dfc::io;
using namespace dfc::lang;

namespace {

constexpr uint64_t gibibyte = uint64_t(1) << 30;
constexpr size_t startHeaderSize = 32;

std::string littleEndian(uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i));
    return out;
}

std::string crc(const std::string& bytes) {
    return littleEndian(lzma_crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), 0), 4);
}

// A header number in its longest form, which every value may take.
std::string number(uint64_t value) { return "\xFF" + littleEndian(value, 8); }

struct Packed {
    std::string properties;
    std::string bytes;
};

Packed packLzma(const std::string& bytes) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    options.dict_size = 1 << 16;
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    Packed packed{std::string(5, '\0'), std::string(bytes.size() + bytes.size() / 2 + 1024, '\0')};
    lzma_properties_encode(&filters[0], reinterpret_cast<uint8_t*>(packed.properties.data()));
    size_t size = 0;
    EXPECT_EQ(lzma_raw_buffer_encode(filters, nullptr, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                     reinterpret_cast<uint8_t*>(packed.bytes.data()), &size, packed.bytes.size()),
              LZMA_OK);
    packed.bytes.resize(size);
    return packed;
}

// The packed streams and folders of one LZMA folder whose stream starts `position` bytes past
// the start header and spans `span` bytes.
std::string lzmaStreams(const std::string& unpacked, const Packed& packed, uint64_t position, uint64_t span) {
    return "\x06" + number(position) + number(1) + "\x09" + number(span) + '\0' + "\x07\x0B" + number(1) + '\0' +
           "\x01\x23\x03\x01\x01\x05" + packed.properties + "\x0C" + number(unpacked.size()) + "\x0A\x01" +
           crc(unpacked) + '\0';
}

std::string keysHeader(const std::string& keys, const Packed& packed, uint64_t span) {
    const std::string names = std::string(1, '\0') + std::string("k\0e\0y\0s\0.\0t\0x\0t\0\0\0", 18);
    return "\x01\x04" + lzmaStreams(keys, packed, 0, span) + '\0' + "\x05" + number(1) + "\x11" + number(names.size()) +
           names + '\0' + '\0';
}

// An archive of keys.txt alone, its packed bytes spanning `keysSpan` bytes of the file; when
// `headerSpan` is not 0 its header is packed too, into that many bytes behind them. Only what
// is written takes room on the disk; the rest of each span reads as zeros. A stream's packed
// bytes are left out when `written` is false.
struct Layout {
    uint64_t keysSpan;
    uint64_t headerSpan = 0;
    bool written = true;
};

void writeArchive(const std::string& path, const std::string& keys, const Layout& layout) {
    std::ofstream out(path, std::ios::binary);
    const auto put = [&out](uint64_t at, const std::string& bytes) {
        out.seekp(std::streamoff(at));
        out.write(bytes.data(), std::streamsize(bytes.size()));
    };
    const Packed packedKeys = packLzma(keys);
    if (layout.written) put(startHeaderSize, packedKeys.bytes);
    std::string header = keysHeader(keys, packedKeys, layout.keysSpan);
    uint64_t headerAt = layout.keysSpan;
    if (layout.headerSpan > 0) {
        const Packed packedHeader = packLzma(header);
        if (layout.written) put(startHeaderSize + headerAt, packedHeader.bytes);
        header = "\x17" + lzmaStreams(header, packedHeader, headerAt, layout.headerSpan) + '\0';
        headerAt += layout.headerSpan;
    }
    put(startHeaderSize + headerAt, header);
    const std::string start = littleEndian(headerAt, 8) + littleEndian(header.size(), 8) + crc(header);
    put(0, std::string("7z\xBC\xAF\x27\x1C\x00\x04", 8) + crc(start) + start);
    ASSERT_TRUE(out.good()) << path;
}

// keys.txt's bytes as read from the archive, or the message of the refusal.
std::string keysRead() {
    try {
        D7zipInputStream::openArchive(u"game.dat", u"password");
        D7zipInputStreamPtr in = D7zipInputStream::open(u"keys.txt");
        return std::string(reinterpret_cast<const char*>(in->getData()), in->getSize());
    } catch (DIOExceptionPtr& e) {
        return narrow(e->getMessage());
    }
}

std::string keysText() {
    std::string keys;
    for (int i = 0; i < 6; ++i) keys += "KEY_LEFT_SOFT" + std::to_string(i) + "=1000" + std::to_string(i) + "\r\n";
    return keys;
}

// Bytes that LZMA cannot make smaller: their packed stream spans several pieces.
std::string noise(size_t size) {
    std::string bytes;
    uint32_t state = 1;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245 + 12345;
        bytes += char(state >> 24);
    }
    return bytes;
}

}  // namespace

class PackedSpan : public ArchiveTest {};

TEST_F(PackedSpan, AStreamSpanningGibibytesIsReadWithinAMebibyte) {
    const std::string keys = keysText();
    const std::string archive = "the data archive " + folder.file("game.dat") + ": ";
    struct Row {
        const char* what;
        Layout layout;
        std::string read;
    } rows[] = {
        {"keys.txt spanning 1 GiB", {gibibyte}, keys},
        {"keys.txt spanning nearly 4 GiB", {4 * gibibyte - 1}, keys},
        {"keys.txt spanning 5 GiB", {5 * gibibyte}, keys},
        {"a packed header spanning 1 GiB", {4096, gibibyte}, keys},
        {"keys.txt spanning 1 GiB of zeros",
         {gibibyte, 0, false},
         archive + "the entry keys.txt is damaged: its bytes do not match their checksum"},
        {"a packed header spanning 1 GiB of zeros",
         {4096, gibibyte, false},
         archive + "its header is damaged: its unpacked form does not match its checksum"},
    };
    for (const Row& row : rows) {
        D7zipInputStream::closeArchive();
        writeArchive(folder.file("game.dat"), keys, row.layout);
        // Far below every span, well above what the reader needs.
        failAllocationsFrom(1 << 20);
        const std::string read = keysRead();
        failAllocationsFrom(SIZE_MAX);
        EXPECT_EQ(read, row.read) << row.what;
    }
}

TEST_F(PackedSpan, AStreamOfManyPiecesIsReadWholeAndOneCutShortIsRefused) {
    const std::string bytes = noise(300 << 10);
    const uint64_t packed = packLzma(bytes).bytes.size();
    writeArchive(folder.file("game.dat"), bytes, {packed});
    EXPECT_TRUE(keysRead() == bytes);
    D7zipInputStream::closeArchive();
    writeArchive(folder.file("game.dat"), bytes, {packed / 2});
    EXPECT_EQ(keysRead(), "the data archive " + folder.file("game.dat") +
                              ": the entry keys.txt is damaged: its packed bytes unpack to less than its size");
}

// What one read may ask of the file is bounded by what one ReadFile call can count: more is
// refused before a buffer is made for it.
TEST_F(PackedSpan, AReadPastWhatOneCallCountsIsRefusedBeforeItsBuffer) {
    folder.write("small", "bytes");
    std::u16string path = platform::widen(folder.file("small"));
    for (char16_t& c : path)
        if (c == u'/') c = u'\\';
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    std::string told;
    failAllocationsFrom(1 << 20);
    try {
        D7zipFile(handle).read(0, uint64_t(1) << 32);
    } catch (DIOExceptionPtr& e) {
        told = narrow(e->getMessage());
    }
    failAllocationsFrom(SIZE_MAX);
    CloseHandle(handle);
    EXPECT_EQ(told, "it cannot be read at byte 0");
}
