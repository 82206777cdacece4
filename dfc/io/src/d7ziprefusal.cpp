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
    return std::to_string(bytes) + " bytes";
}

}  // namespace dfc::io::d7zip
