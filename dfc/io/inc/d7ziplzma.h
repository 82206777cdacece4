// What the archive reader takes from liblzma: its checksum and its LZMA decoder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "d7zippackedstream.h"

namespace dfc::io::d7zip {

uint32_t crcOf(const uint8_t* bytes, size_t size);
// The dictionary size of an LZMA coder's five property bytes.
uint32_t dictionaryOf(const std::vector<uint8_t>& properties);
// The first `wanted` bytes that the packed bytes unpack to, read piece by piece until they are
// out. The output grows as it fills, so that a size claimed far beyond the packed bytes fails
// when they run out instead of asking for the memory up front. Damaged data refuses `subject`;
// no memory, std::bad_alloc.
std::vector<uint8_t> unpackLzma(D7zipPackedStream& packed, std::vector<uint8_t> properties, uint64_t wanted,
                                const std::string& subject);

}  // namespace dfc::io::d7zip
