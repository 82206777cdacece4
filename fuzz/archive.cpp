// The data archive: opened as game.dat is, its index built, then each entry unpacked. Each
// input is read as it comes, and again with its two header checksums made right, so that a
// mutation reaches the header's parser instead of stopping at a checksum.
// Seeds: @archives
// Malloc limit: 65 MB (an entry and its LZMA dictionary take up to 64 MiB each)
// Timeout: 20 s
#include <algorithm>
#include <string>
#include <vector>
#include "ce.h"
#include "d7zipbytes.h"
#include "d7zipheader.h"
#include "d7zipinputstream.h"
#include "d7ziplzma.h"
#include "dexception.h"
#include "fuzz_app.h"

using dfc::io::D7zipInputStream;

namespace {

// The names the archive holds, as its header lists them.
std::vector<std::string> entryNames(const std::string& path) {
    std::vector<std::string> names;
    HANDLE file = CreateFileW(platform::widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return names;
    try {
        const dfc::io::D7zipHeader header(file);
        for (const auto& entry : header.entries())
            if (names.size() < 64) names.push_back(entry.name);
    } catch (dfc::lang::DExceptionPtr&) {
    }
    CloseHandle(file);
    return names;
}

void readArchive(const uint8_t* data, size_t size) {
    fuzz::putFile("/fuzz.dat", data, size);
    try {
        D7zipInputStream::openArchive(u"fuzz.dat", u"password");
    } catch (dfc::lang::DExceptionPtr&) {
        return;
    }
    for (const std::string& name : entryNames(fuzz::appFolder() + "/fuzz.dat")) {
        try {
            dfc::io::D7zipInputStreamPtr in =
                D7zipInputStream::open(new dfc::lang::DString(platform::widen(name).c_str()));
            while (in->read() >= 0) {
            }
        } catch (dfc::lang::DExceptionPtr&) {
        }
    }
    D7zipInputStream::closeArchive();
}

void putLittleEndian32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(value >> (8 * i));
}

// The start header's checksum made right, and the header's where the start header places it
// within the input.
std::vector<uint8_t> withChecksums(const uint8_t* data, size_t size) {
    using dfc::io::d7zip::crcOf;
    constexpr size_t start = dfc::io::d7zip::signatureHeaderSize;
    std::vector<uint8_t> bytes(data, data + size);
    if (size < start) return bytes;
    uint64_t offset = 0, length = 0;
    for (int i = 7; i >= 0; --i) {
        offset = offset << 8 | bytes[12 + size_t(i)];
        length = length << 8 | bytes[20 + size_t(i)];
    }
    if (offset <= size - start && length <= size - start - offset)
        putLittleEndian32(&bytes[28], crcOf(&bytes[start + offset], size_t(length)));
    putLittleEndian32(&bytes[8], crcOf(&bytes[12], 20));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    readArchive(data, size);
    const std::vector<uint8_t> mended = withChecksums(data, size);
    if (!std::equal(mended.begin(), mended.end(), data)) readArchive(mended.data(), mended.size());
    return 0;
}
