// The in-process libraries the simulated device can offer, private to platform/.
#pragma once
#include <string_view>
#include <vector>
#include "ce_library.h"

namespace platform {

struct Export {
    const char16_t* name;
    FARPROC entry;
};

template <typename F>
Export exported(const char16_t* name, F* entry) {
    return Export{name, reinterpret_cast<FARPROC>(entry)};
}

const std::vector<Export>& coreDllExports();
const std::vector<Export>& aygShellExports();
const std::vector<Export>& gxExports();
const std::vector<Export>& gxDmaExports();
const std::vector<Export>& coreLinkExports();

// Library names compare without regard to letter case.
bool sameLibraryName(std::u16string_view a, std::u16string_view b);

// Forgets every loaded library.
void resetLibraries();

}  // namespace platform
