#include "d7zipreader.h"
#include <archive.h>
#include <archive_entry.h>
#include <algorithm>
#include <cerrno>
#include "ce.h"
#include "dioexception.h"

namespace dfc::io {

namespace {

// The archive is read through the platform's file calls, at most 4096 bytes at a time.
la_ssize_t readBlock(struct archive* reader, void* client, const void** block) {
    auto* source = static_cast<D7zipReader::Source*>(client);
    DWORD got = 0;
    if (!ReadFile(source->file, source->buffer, sizeof source->buffer, &got, nullptr)) {
        archive_set_error(reader, EIO, "archive read failed");
        return -1;
    }
    *block = source->buffer;
    return la_ssize_t(got);
}

la_int64_t seekTo(struct archive*, void* client, la_int64_t offset, int whence) {
    auto* source = static_cast<D7zipReader::Source*>(client);
    DWORD method = whence == SEEK_SET ? FILE_BEGIN : whence == SEEK_CUR ? FILE_CURRENT : FILE_END;
    LONG high = LONG(offset >> 32);
    DWORD low = SetFilePointer(source->file, LONG(uint32_t(offset)), &high, method);
    if (low == INVALID_SET_FILE_POINTER) return ARCHIVE_FATAL;
    return la_int64_t(uint64_t(uint32_t(high)) << 32 | low);
}

// Skipping is a move, so the packed data of entries stepped over is not even read.
la_int64_t skipOver(struct archive* reader, void* client, la_int64_t request) {
    return seekTo(reader, client, request, SEEK_CUR) < 0 ? 0 : request;
}

[[noreturn]] void damaged() { DFC_THROW(DIOException); }

// An entry's unpacked bytes are allocated as they arrive, so a damaged header that claims a
// huge size fails when the data runs out instead of asking for the memory up front.
constexpr size_t firstAllocation = 1 << 20;

}  // namespace

D7zipReader::D7zipReader(HANDLE file) : source{file, {}}, reader(archive_read_new()) {
    if (!reader) damaged();
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0 || archive_read_support_format_7zip(reader) != ARCHIVE_OK ||
        archive_read_set_read_callback(reader, readBlock) != ARCHIVE_OK ||
        archive_read_set_seek_callback(reader, seekTo) != ARCHIVE_OK ||
        archive_read_set_skip_callback(reader, skipOver) != ARCHIVE_OK ||
        archive_read_set_callback_data(reader, &source) != ARCHIVE_OK || archive_read_open1(reader) != ARCHIVE_OK) {
        archive_read_free(reader);
        damaged();
    }
}

D7zipReader::~D7zipReader() { archive_read_free(reader); }

bool D7zipReader::next() {
    int result = archive_read_next_header(reader, &entry);
    if (result == ARCHIVE_EOF) return false;
    if (result != ARCHIVE_OK && result != ARCHIVE_WARN) damaged();
    return true;
}

const char* D7zipReader::name() const {
    const char* name = archive_entry_pathname_utf8(entry);
    return name ? name : "";
}

bool D7zipReader::isDirectory() const { return archive_entry_filetype(entry) == AE_IFDIR; }

std::vector<uint8_t> D7zipReader::readEntry() {
    la_int64_t declared = archive_entry_size(entry);
    if (declared < 0 || declared > 0x7fffffff) damaged();
    std::vector<uint8_t> bytes(std::min(size_t(declared), firstAllocation));
    size_t done = 0;
    while (done < size_t(declared)) {
        if (done == bytes.size()) bytes.resize(std::min(size_t(declared), bytes.size() * 2));
        la_ssize_t n = archive_read_data(reader, bytes.data() + done, bytes.size() - done);
        if (n <= 0) damaged();
        done += size_t(n);
    }
    uint8_t beyond;
    if (archive_read_data(reader, &beyond, 1) != 0) damaged();
    return bytes;
}

}  // namespace dfc::io
