#include "d7zipfile.h"
#include <string>
#include "ce.h"
#include "d7ziprefusal.h"

namespace dfc::io {

using d7zip::refuse;

uint64_t D7zipFile::size() const {
    DWORD high = 0;
    const DWORD low = GetFileSize(handle, &high);
    if (low == 0xFFFFFFFF && high == 0) refuse("it cannot be read");
    return uint64_t(high) << 32 | low;
}

std::vector<uint8_t> D7zipFile::read(uint64_t position, uint64_t count) const {
    if (count > UINT32_MAX) refuse("it cannot be read at byte " + std::to_string(position));
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    LONG high = LONG(position >> 32);
    const DWORD low = SetFilePointer(handle, LONG(uint32_t(position)), &high, FILE_BEGIN);
    DWORD got = 0;
    if (low != DWORD(position) || uint64_t(uint32_t(high)) != position >> 32 ||
        (count > 0 && (!ReadFile(handle, bytes.data(), DWORD(count), &got, nullptr) || got != count)))
        refuse("it cannot be read at byte " + std::to_string(position));
    return bytes;
}

}  // namespace dfc::io
