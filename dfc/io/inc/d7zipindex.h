#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dfc::io {

// Finds an archive entry's position in the archive by its name: one bucket per file entry,
// chosen by the name's hash, the names compared within it.
class D7zipIndex {
public:
    explicit D7zipIndex(size_t fileCount) : buckets(fileCount) {}

    void add(std::string name, int ordinal);
    // The ordinal of the first entry added under this name, or -1.
    int find(std::string_view name) const;

    // h * 31 + byte over the name, bytes taken as signed, wrapping at 32 bits.
    static uint32_t hash(std::string_view name);

private:
    struct Node {
        uint32_t hash;
        int ordinal;
        std::string name;
    };

    std::vector<std::vector<Node>> buckets;
};

}  // namespace dfc::io
