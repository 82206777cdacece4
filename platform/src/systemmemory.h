// Buffers of the simulated device that the program is handed by address: a display library's
// frame buffer in system memory. The display layer tells a graphics chip by where its frame
// buffer lies within the chip's window, so such a buffer must not move with the host's address
// layout, or what it detects would change from run to run: it starts on a megabyte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace platform {

template <typename T>
struct MegabyteAligned {
    using value_type = T;
    static constexpr std::align_val_t alignment{size_t(1) << 20};

    MegabyteAligned() = default;
    template <typename U>
    MegabyteAligned(const MegabyteAligned<U>&) {}

    T* allocate(size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), alignment)); }
    void deallocate(T* p, size_t) { ::operator delete(p, alignment); }

    template <typename U>
    bool operator==(const MegabyteAligned<U>&) const {
        return true;
    }
};

using SystemMemory = std::vector<uint8_t, MegabyteAligned<uint8_t>>;

}  // namespace platform
