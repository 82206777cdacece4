#pragma once
#include <cstdint>
#include "ce_file.h"

// A file's bytes, mapped read-only into memory until close.
class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile() { close(); }

    // The name is placed in the executable's folder unless it begins with '\'. Closes what
    // was open first; false when the file cannot be opened or mapped.
    bool open(const WCHAR* name);
    void close();

    const uint8_t* begin() const { return view; }
    const uint8_t* end() const { return viewEnd; }

private:
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    const uint8_t* view = nullptr;
    const uint8_t* viewEnd = nullptr;
};
