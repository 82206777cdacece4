// An image atlas: many pictures packed into one PNG, and a text naming each picture's
// rectangle ("name;x;y;w;h" lines, CR LF, an empty line at the end).
// Source lines: "width N" (the widest row), then "NAME = FILE [name=value ...]" with FILE
// a pixel grid (.grid) or a drawing (.draw, given the values).
#pragma once
#include <map>
#include <string>
#include <vector>
#include "drawscript.h"
#include "image.h"
#include "core/sourcetext.h"

namespace assets {

class Atlas {
public:
    struct Rect {
        int x = 0, y = 0, w = 0, h = 0;
    };

    Atlas(const SourceText& source, DrawScript& drawer);

    const Image& image() const { return packed; }
    std::string text() const;

    // Reads an atlas text back, checking it against the rules and the atlas picture's size.
    static std::map<std::string, Rect> read(const std::string& bytes, const Place& place, int width, int height);
    // A picture name without the ending that asks for a turned or mirrored copy.
    static std::string baseName(const std::string& name);
    static bool hasTransformSuffix(const std::string& name);

private:
    struct Entry {
        std::string name;
        Rect rect;
    };
    std::vector<Entry> entries;
    Image packed;
};

}  // namespace assets
