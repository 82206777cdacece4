#include "atlas.h"
#include <algorithm>
#include <set>
#include "core/builderror.h"
#include "gamelib/atlasrectangle.h"
#include "texts/linefile.h"
#include "pixelgrid.h"

namespace assets {

namespace {

void checkName(const std::string& name, const Place& place) {
    if (name.empty()) throw BuildError(place, "picture without a name");
    for (char c : name)
        if (c <= 0x20 || c > 0x7E || c == ';')
            throw BuildError(place,
                             "picture name \"" + name + "\" holds a blank, ';' or a character that is not ASCII");
    if (Atlas::hasTransformSuffix(name))
        throw BuildError(place, "picture name \"" + name + "\" ends in " + name.substr(name.size() - 3) +
                                    ", which asks the game for a turned copy of another picture");
}

int field(const std::string& text, const Place& place) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        throw BuildError(place, "\"" + text + "\" is not a whole number");
    return std::stoi(text);
}

}  // namespace

bool Atlas::hasTransformSuffix(const std::string& name) {
    if (name.size() < 3) return false;
    std::string end = name.substr(name.size() - 3);
    return end == "_mr" || end == "_lv" || end == "_up" || end == "_dn";
}

std::string Atlas::baseName(const std::string& name) {
    return hasTransformSuffix(name) ? name.substr(0, name.size() - 3) : name;
}

Atlas::Atlas(const SourceText& source, DrawScript& drawer) {
    int rowLimit = 0;
    struct Picture {
        std::string name;
        Image image;
    };
    std::vector<Picture> pictures;
    std::set<std::string> names;
    for (const SourceText::Line& line : source.lines()) {
        Place place = source.place(line.number);
        std::vector<std::string> words = tokenize(line.text, place);
        if (words[0] == "width" && words.size() == 2) {
            rowLimit = field(words[1], place);
            continue;
        }
        if (words.size() < 3 || words[1] != "=") throw BuildError(place, "expected NAME = FILE [name=value ...]");
        checkName(words[0], place);
        if (!names.insert(words[0]).second) throw BuildError(place, "picture \"" + words[0] + "\" is named twice");
        std::map<std::string, std::string> values;
        for (size_t i = 3; i < words.size(); ++i) {
            size_t equals = words[i].find('=');
            if (equals == std::string::npos) throw BuildError(place, "\"" + words[i] + "\" is not name=value");
            values[words[i].substr(0, equals)] = words[i].substr(equals + 1);
        }
        const std::string& file = words[2];
        SourceText picture = openBeside(source, file).substituted(values);
        if (file.ends_with(".grid")) {
            pictures.push_back({words[0], PixelGrid::load(picture)});
        } else if (file.ends_with(".draw")) {
            pictures.push_back({words[0], drawer.run(picture)});
        } else {
            throw BuildError(place, "a picture comes from a .grid or a .draw file");
        }
    }
    if (pictures.empty()) throw BuildError(source.place(0), "the atlas holds no pictures");
    if (rowLimit <= 0) throw BuildError(source.place(0), "the atlas needs \"width N\"");

    // Rows filled left to right in the order given.
    int x = 0, y = 0, rowHeight = 0, width = 0;
    for (const Picture& picture : pictures) {
        if (picture.image.width() > rowLimit)
            throw BuildError(source.place(0), picture.name + " is wider than the atlas");
        if (x + picture.image.width() > rowLimit) {
            y += rowHeight;
            x = rowHeight = 0;
        }
        entries.push_back({picture.name, Rect{x, y, picture.image.width(), picture.image.height()}});
        x += picture.image.width();
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, picture.image.height());
    }
    packed = Image(width, y + rowHeight);
    for (size_t i = 0; i < pictures.size(); ++i) packed.place(pictures[i].image, entries[i].rect.x, entries[i].rect.y);
}

std::string Atlas::text() const {
    std::vector<std::string> lines;
    for (const Entry& entry : entries)
        lines.push_back(entry.name + ";" + std::to_string(entry.rect.x) + ";" + std::to_string(entry.rect.y) + ";" +
                        std::to_string(entry.rect.w) + ";" + std::to_string(entry.rect.h));
    return LineFile::join(lines, true);
}

std::map<std::string, Atlas::Rect> Atlas::read(const std::string& bytes, const Place& place, int width, int height) {
    std::map<std::string, Rect> rects;
    for (const LineFile::Line& line : LineFile::split(bytes, place, true)) {
        Place at = place.at(line.number);
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t semicolon; (semicolon = line.text.find(';', start)) != std::string::npos; start = semicolon + 1)
            fields.push_back(line.text.substr(start, semicolon - start));
        fields.push_back(line.text.substr(start));
        if (fields.size() != 5) throw BuildError(at, "an atlas line is name;x;y;w;h");
        checkName(fields[0], at);
        Rect rect{field(fields[1], at), field(fields[2], at), field(fields[3], at), field(fields[4], at)};
        if (!AtlasRectangle::fits(rect.x, rect.y, rect.w, rect.h, width, height))
            throw BuildError(at, fields[0] + " lies outside the atlas picture");
        if (!rects.emplace(fields[0], rect).second)
            throw BuildError(at, "picture \"" + fields[0] + "\" is named twice");
    }
    return rects;
}

}  // namespace assets
