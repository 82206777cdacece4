#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "d7zipfile.h"

namespace dfc::io {

// A folder of the archive: where its packed bytes lie and how they unpack. The data archive's
// folders use one coder, Copy or LZMA, and nothing else.
struct D7zipFolder {
    enum class Coder { copy, lzma, other };

    uint64_t packStart = 0;  // from the start of the file
    uint64_t packSize = 0;
    Coder coder = Coder::other;  // other: more than one coder, or one this reader lacks
    // What a message calls the coders of an other folder ("the Delta coder").
    std::string otherCoder;
    std::vector<uint8_t> lzmaProperties;
    uint64_t unpackSize = 0;

    // Refuses the folder before anything is unpacked when its coder is not one this reader
    // has; `packed` names what it packs ("its header"). The line names the coder and not the
    // entry, so that the entries of one coder share it.
    void checkCoder(const std::string& packed) const;
    // Refuses `subject` when its LZMA dictionary would take more memory than this reader allows.
    void checkDictionary(const std::string& subject) const;
    // The packed bytes lie within the file, and a stored folder holds what it claims.
    void checkStored(const D7zipFile& file, const std::string& subject) const;
    // The first `wanted` unpacked bytes, once the coder and sizes are checked; `subject` names
    // what they are in messages.
    std::vector<uint8_t> unpack(const D7zipFile& file, uint64_t wanted, const std::string& subject) const;

    // The largest LZMA dictionary it lets the decoder allocate.
    static constexpr uint32_t maxDictionary = 64 << 20;
};

}  // namespace dfc::io
