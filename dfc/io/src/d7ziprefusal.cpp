#include "d7ziprefusal.h"
#include "dioexception.h"
#include "platform.h"

namespace dfc::io::d7zip {

void refuse(const std::string& why) {
    throw DIOExceptionPtr(new DIOException(new lang::DString(platform::widen(why).c_str())));
}

void damaged(const std::string& subject, const std::string& what) { refuse(subject + " is damaged: " + what); }

std::string sizeText(uint64_t bytes) {
    constexpr uint64_t mebibyte = 1 << 20;
    if (bytes >= mebibyte && bytes % mebibyte == 0) return std::to_string(bytes / mebibyte) + " MiB";
    return countText(bytes, "byte");
}

std::string countText(uint64_t n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

std::string hexText(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

}  // namespace dfc::io::d7zip
