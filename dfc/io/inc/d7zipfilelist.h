#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "d7zipbytes.h"
#include "d7zipentry.h"
#include "d7zipstreams.h"

namespace dfc::io {

// The header's file list: each entry's name and kind, and where its bytes lie among the
// folders' unpacked streams.
class D7zipFileList {
public:
    // Reads it from just after its property id to its end mark.
    D7zipFileList(D7zipBytes& in, const D7zipStreams& streams);

    std::vector<D7zipEntry> entries;

private:
    // The properties that place the entries, each given at most once.
    struct Placing {
        std::vector<bool> emptyStream, emptyFile;
        bool emptyStreamGiven = false, emptyFileGiven = false, named = false;
    };

    void readProperty(D7zipBytes& in, uint64_t type, Placing& seen);
    static std::string readName(D7zipBytes& names);
    void place(D7zipBytes& in, const D7zipStreams& streams, const Placing& seen);
};

}  // namespace dfc::io
