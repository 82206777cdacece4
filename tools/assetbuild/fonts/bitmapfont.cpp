#include "bitmapfont.h"
#include <algorithm>
#include <optional>
#include <set>
#include "core/builderror.h"
#include "fontface.h"
#include "art/inkstyle.h"
#include "texts/utf8.h"

namespace assets {

namespace {

struct Settings {
    std::string face;
    int size = 0;
    InkStyle style;
    int maxHeight = 0;
    std::array<std::u32string, 3> chars;
    std::array<int, 3> partLines{};
};

int wholeNumber(const std::string& word, const Place& place) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos)
        throw BuildError(place, "\"" + word + "\" is not a whole number");
    return std::stoi(word);
}

Settings readSettings(const SourceText& source, FontMetrics& metrics) {
    Settings settings;
    settings.style.fill = Paint(Colour{255, 255, 255});
    std::set<char32_t> seen{U' '};
    for (const SourceText::Line& line : source.lines()) {
        Place place = source.place(line.number);
        std::vector<std::string> words = tokenize(line.text, place);
        const std::string& key = words[0];
        if (key == "part") {
            int part = words.size() >= 3 ? wholeNumber(words[1], place) : -1;
            if (part < 0 || part > 2) throw BuildError(place, "\"part\" takes 0, 1 or 2 and the characters");
            std::string rest = line.text.substr(line.text.find(words[1], 4) + words[1].size());
            rest.erase(0, rest.find_first_not_of(' '));
            std::u32string chars = decodeUtf8(rest, place);
            if (part == 0) chars.insert(chars.begin(), U' ');
            for (size_t i = 0; i < chars.size(); ++i) {
                char32_t ch = chars[i];
                if (ch == U' ' && !(part == 0 && i == 0)) continue;  // blanks may group the list
                if (metrics.upperCase && upperCased(ch) != ch)
                    throw BuildError(place,
                                     "\"" + encodeUtf8(ch) + "\" is lower case; text in this font is upper-cased");
                if (ch != U' ' && !seen.insert(ch).second)
                    throw BuildError(place, "\"" + encodeUtf8(ch) + "\" is in the font twice");
                settings.chars[size_t(part)] += ch;
            }
            if (settings.chars[size_t(part)].size() > size_t(BitmapFont::maxGlyphs))
                throw BuildError(place, "part " + std::to_string(part) + " has " +
                                            std::to_string(settings.chars[size_t(part)].size()) +
                                            " glyphs; a part holds at most 127");
            settings.partLines[size_t(part)] = line.number;
            continue;
        }
        if (words.size() != 2) throw BuildError(place, "\"" + key + "\" takes one value");
        const std::string& value = words[1];
        if (key == "face") {
            settings.face = value;
        } else if (key == "size") {
            settings.size = wholeNumber(value, place);
        } else if (key == "fill") {
            settings.style.fill = Paint::parse(value, place);
        } else if (key == "outline") {
            settings.style.outline = Colour::parse(value, place);
        } else if (key == "shadow") {
            settings.style.shadow = Colour::parse(value, place);
        } else if (key == "case") {
            if (value != "upper" && value != "mixed") throw BuildError(place, "case is \"upper\" or \"mixed\"");
            metrics.upperCase = value == "upper";
        } else if (key == "spacing") {
            metrics.spacing = wholeNumber(value, place);
        } else if (key == "maxheight") {
            settings.maxHeight = wholeNumber(value, place);
        } else {
            throw BuildError(place, "unknown font setting \"" + key + "\"");
        }
    }
    if (settings.face.empty() || settings.size == 0)
        throw BuildError(source.place(0), "a font needs a face and a size");
    for (int part = 0; part < 3; ++part)
        if (settings.partLines[size_t(part)] == 0)
            throw BuildError(source.place(0), "the font has no part " + std::to_string(part));
    return settings;
}

}  // namespace

BitmapFont::BitmapFont(const SourceText& source, const std::filesystem::path& fontDir) {
    Settings settings = readSettings(source, fontMetrics);
    FontFace face(fontDir, settings.face, settings.size, source.place(0));
    int pad = settings.style.margin();

    std::array<std::vector<FontFace::Glyph>, 3> glyphs;
    int above = 0, below = 0;
    for (int part = 0; part < 3; ++part) {
        Place place = source.place(settings.partLines[size_t(part)]);
        for (char32_t ch : settings.chars[size_t(part)]) {
            FontFace::Glyph glyph = face.glyph(ch, place);
            if (glyph.rows > 0) {
                above = std::max(above, glyph.top);
                below = std::max(below, glyph.rows - glyph.top);
            }
            glyphs[size_t(part)].push_back(glyph);
        }
    }
    int height = above + below + 2 * pad, baseline = pad + above;
    if (settings.maxHeight > 0 && height > settings.maxHeight)
        throw BuildError(source.place(0), "the font is " + std::to_string(height) + " pixels tall; at most " +
                                              std::to_string(settings.maxHeight) + " fit where it is used");
    fontMetrics.height = height;

    for (int part = 0; part < 3; ++part) {
        Place place = source.place(settings.partLines[size_t(part)]);
        FontMetrics::Part& metrics = fontMetrics.parts[size_t(part)];
        metrics.chars = settings.chars[size_t(part)];
        struct Cell {
            int x, pen, width;
        };
        std::vector<Cell> cells;
        int total = 0;
        for (const FontFace::Glyph& glyph : glyphs[size_t(part)]) {
            bool inked = glyph.width > 0 && glyph.rows > 0;
            int left = inked ? std::min(0, glyph.left - pad) : 0;
            int right = inked ? std::max(glyph.advance, glyph.left + glyph.width + pad) : std::max(glyph.advance, 1);
            int width = right - left;
            if (width > 127) throw BuildError(place, "a glyph is wider than 127 pixels");
            cells.push_back({total, -left, width});
            metrics.widths.push_back(width);
            total += width;
        }
        Image strip(std::max(total, 1), height);
        for (size_t i = 0; i < cells.size(); ++i) {
            const FontFace::Glyph& glyph = glyphs[size_t(part)][i];
            Mask ink(cells[i].width, height);
            for (int y = 0; y < glyph.rows; ++y)
                for (int x = 0; x < glyph.width; ++x)
                    ink.add(cells[i].pen + glyph.left + x, baseline - glyph.top + y,
                            glyph.coverage[size_t(y) * glyph.width + x] / 255.0f);
            settings.style.apply(strip, ink, cells[i].x, 0,
                                 Box{0, double(pad), double(strip.width()), double(height - 2 * pad)});
        }
        strips[size_t(part)] = strip;
    }
}

}  // namespace assets
