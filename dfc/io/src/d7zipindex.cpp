#include "d7zipindex.h"

namespace dfc::io {

uint32_t D7zipIndex::hash(std::string_view name) {
    uint32_t h = 0;
    for (char c : name) h = h * 31 + uint32_t(int32_t(int8_t(c)));
    return h;
}

// Every entry is kept, whatever its hash; of two entries of one name the first stays first.
void D7zipIndex::add(std::string name, int ordinal) {
    uint32_t h = hash(name);
    buckets[h % buckets.size()].push_back(Node{h, ordinal, std::move(name)});
}

int D7zipIndex::find(std::string_view name) const {
    if (buckets.empty()) return -1;
    uint32_t h = hash(name);
    for (const Node& node : buckets[h % buckets.size()])
        if (node.hash == h && node.name == name) return node.ordinal;
    return -1;
}

}  // namespace dfc::io
