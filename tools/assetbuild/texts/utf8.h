// Text encodings: the sources' UTF-8 and the game's modified UTF-8 (16-bit length first,
// NUL as two bytes, characters past U+FFFF as surrogate pairs).
#pragma once
#include <string>
#include "core/place.h"

namespace assets {

std::u32string decodeUtf8(const std::string& text, const Place& place);
std::string encodeUtf8(char32_t ch);
// One string as the game's data readers read it: big-endian byte count, then the bytes.
std::string encodeModifiedUtf8(const std::u32string& text, const Place& place);
// Reads one such string at `offset`, advancing it; false when the bytes are not one.
bool decodeModifiedUtf8(const std::string& bytes, size_t& offset, std::u16string& text);

}  // namespace assets
