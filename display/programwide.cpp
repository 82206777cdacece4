#include "programwide.h"
#include <vector>

namespace {

std::vector<void (*)()>& releases() {
    static std::vector<void (*)()> r;
    return r;
}

}  // namespace

void ProgramWide::Remember(void (*release)()) { releases().push_back(release); }

void ProgramWide::ReleaseAll() {
    auto& r = releases();
    while (!r.empty()) {
        auto release = r.back();
        r.pop_back();
        release();
    }
}
