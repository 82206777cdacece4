#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include "ce_types.h"

namespace dfc::io {

// What the header of a 7z archive says about the coders of each entry, read before the 7z
// reader touches the archive. The data archive's folders use Copy or LZMA and nothing else;
// a header naming any other coder could make the reader decode with it (and ask for whatever
// memory its properties claim), so such entries are found here and refused.
class D7zipCoders {
public:
    // Reads the header of the archive file. A header that cannot be read, one that is packed
    // with a coder other than Copy or LZMA, or one that claims more than such an archive can
    // hold throws DIOException.
    explicit D7zipCoders(HANDLE file);

    // The number of entries, in the order of the archive's file list (the 7z reader's order).
    size_t entryCount() const { return plain.size(); }
    // Whether the entry's data unpacks with Copy and LZMA only; an entry without data does.
    bool isPlain(size_t ordinal) const { return plain[ordinal]; }

    // The largest header this reader takes, packed or unpacked: far above any data archive's.
    static constexpr uint64_t maxHeaderSize = 4 << 20;
    // The largest LZMA dictionary it lets the 7z reader allocate.
    static constexpr uint32_t maxDictionary = 64 << 20;

private:
    std::vector<bool> plain;
};

}  // namespace dfc::io
