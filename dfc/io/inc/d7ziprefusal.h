// How the archive reader refuses what it reads: one line saying what is wrong, without the
// archive's name, which the archive stream puts in front.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dfc::io::d7zip {

// Throws DIOException with the line.
[[noreturn]] void refuse(const std::string& why);
// "SUBJECT is damaged: WHAT".
[[noreturn]] void damaged(const std::string& subject, const std::string& what);
// A size as a message gives it: whole mebibytes as such, anything else in bytes.
std::string sizeText(uint64_t bytes);
// "1 byte", "2 bytes": the noun as the count asks.
std::string countText(uint64_t n, const std::string& noun);
// Bytes as hexadecimal digits after "0x": {0x04, 0x01} is "0x0401".
std::string hexText(const std::vector<uint8_t>& bytes);

}  // namespace dfc::io::d7zip
