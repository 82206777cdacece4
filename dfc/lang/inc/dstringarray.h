#pragma once
#include "dobjectarray.h"
#include "dstring.h"
#include "dstringarray.ptr"

namespace dfc::lang {

// A list of strings: DStringArrayPtr items = new DStringArray(2, u"Play", u"Quit").
class DStringArray : public DArrayOf<DStringPtr> {
public:
    explicit DStringArray(int length) : DArrayOf(length) {}
    // count strings from the texts that follow; missing ones stay empty, extra ones are ignored.
    template <class... Texts>
    DStringArray(int count, const char16_t* first, Texts... rest) : DArrayOf(count) {
        const char16_t* texts[] = {first, rest...};
        for (int i = 0; i < length && i < int(sizeof texts / sizeof texts[0]); ++i) data[i] = new DString(texts[i]);
    }
};

}  // namespace dfc::lang
