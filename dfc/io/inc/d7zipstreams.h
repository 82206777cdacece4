#pragma once
#include <cstdint>
#include <vector>
#include "d7zipbytes.h"
#include "d7zipfolder.h"

namespace dfc::io {

// The streams a header describes, the archive's own or a packed header's: the packed streams,
// the folders that unpack them, and the unpacked streams each folder holds.
class D7zipStreams {
public:
    // A folder as the header describes it, before its entries are placed.
    struct FolderRecord {
        D7zipFolder folder;
        uint64_t coders = 1;
        // The coder whose output is the folder's: the one no bound pair feeds onwards.
        uint64_t output = 0;
        uint64_t unpackStreams = 1;
        bool hasCrc = false;
        uint32_t crc = 0;
    };

    struct Digests {
        std::vector<bool> defined;
        std::vector<uint32_t> values;
    };

    // None: a header that lists no streams.
    D7zipStreams() = default;
    // Reads them from just after their property id to their end mark, and places each folder's
    // packed stream in the file.
    explicit D7zipStreams(D7zipBytes& in);

    uint64_t packPosition = 0;
    std::vector<uint64_t> packSizes;
    std::vector<FolderRecord> folders;
    // Every unpacked stream of every folder, in order.
    std::vector<uint64_t> sizes;
    Digests digests;

private:
    static FolderRecord readFolder(D7zipBytes& in);
    static Digests readDigests(D7zipBytes& in, uint64_t count);
    void readPackInfo(D7zipBytes& in);
    void readUnpackInfo(D7zipBytes& in);
    void readSubStreams(D7zipBytes& in);
    void addSizes(D7zipBytes* in, const FolderRecord& record);
    void placeFolders(D7zipBytes& in);
};

}  // namespace dfc::io
