#pragma once
#include <cstdint>

namespace dfc::lang {

class DMath {
public:
    // The most negative value stays itself, computed without overflow.
    static int abs(int a) { return a < 0 ? static_cast<int>(0u - static_cast<unsigned>(a)) : a; }
    static int64_t abs(int64_t a) { return a < 0 ? static_cast<int64_t>(0ull - static_cast<uint64_t>(a)) : a; }
    static int max(int a, int b) { return a > b ? a : b; }
    static int64_t max(int64_t a, int64_t b) { return a > b ? a : b; }
    static int min(int a, int b) { return a < b ? a : b; }
};

}  // namespace dfc::lang
