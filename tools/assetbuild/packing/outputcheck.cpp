#include "outputcheck.h"
#include "art/atlas.h"
#include "core/builderror.h"
#include "gamelib/glyphstrip.h"
#include "texts/helptext.h"
#include "art/jpegfile.h"
#include "sound/modsong.h"
#include "art/pngfile.h"
#include "texts/properties.h"
#include "sound/soundeffect.h"
#include "texts/utf8.h"

namespace assets {

namespace {

std::string position(int index, int width) {
    return "(" + std::to_string(index % width) + ", " + std::to_string(index / width) + ")";
}

PngFile::Contents decodePng(const std::string& name, const EntrySet::Entry& entry) {
    std::string error;
    PngFile::Contents contents = PngFile::decode(entry.bytes, error);
    if (!error.empty()) throw BuildError(entry.origin, name + ": " + error);
    return contents;
}

}  // namespace

void OutputCheck::all(const EntrySet& entries) {
    for (const auto& [name, entry] : entries.all()) {
        std::string error;
        switch (entry.kind) {
            case EntrySet::Kind::picture: picture(name, entry); break;
            case EntrySet::Kind::atlasText: atlasText(entries, name, entry); break;
            case EntrySet::Kind::properties: Properties::read(entry.bytes, Place{name}, false); break;
            case EntrySet::Kind::keys: Properties::read(entry.bytes, Place{name}, true); break;
            case EntrySet::Kind::help: {
                std::vector<std::u16string> paragraphs;
                if (!HelpText::decode(entry.bytes, paragraphs))
                    throw BuildError(entry.origin, name + " is not a sequence of modified-UTF-8 strings");
                break;
            }
            case EntrySet::Kind::sound:
                if (!SoundEffect::check(entry.bytes, error)) throw BuildError(entry.origin, name + ": " + error);
                break;
            case EntrySet::Kind::music:
                if (!ModSong::check(entry.bytes, error)) throw BuildError(entry.origin, name + ": " + error);
                break;
            case EntrySet::Kind::fontMetrics:
            case EntrySet::Kind::raw: break;
        }
    }
}

void OutputCheck::picture(const std::string& name, const EntrySet::Entry& entry) {
    if (name.ends_with(".png")) {
        PngFile::Contents png = decodePng(name, entry);
        if (png.colourType != 2 && png.colourType != 3)
            throw BuildError(entry.origin, name + " has an alpha channel or is grey; the game ignores alpha");
        for (uint8_t value : png.transparency)
            if (value != 0 && value != 255)
                throw BuildError(entry.origin, name + " has partly transparent palette entries; the game has no alpha");
        for (size_t i = 0; i < png.pixels.size(); ++i)
            if (png.pixels[i].isKey() && !(png.pixels[i] == Colour{255, 0, 255}))
                throw BuildError(entry.origin, name + ": pixel " + position(int(i), png.width) +
                                                   " is near magenta and would turn transparent");
    } else if (name.ends_with(".jpg")) {
        std::string error;
        JpegFile::Contents jpeg = JpegFile::decode(entry.bytes, error);
        if (!error.empty()) throw BuildError(entry.origin, name + ": " + error);
        if (jpeg.components != 3) throw BuildError(entry.origin, name + " is not a colour JPEG");
        for (size_t i = 0; i < jpeg.pixels.size(); ++i)
            if (jpeg.pixels[i].isKey())
                throw BuildError(entry.origin, name + ": pixel " + position(int(i), jpeg.width) +
                                                   " decodes to the colour key 0xF81F and would show as a hole");
    } else {
        throw BuildError(entry.origin, name + ": a picture is a .png or a .jpg");
    }
}

void OutputCheck::atlasText(const EntrySet& entries, const std::string& name, const EntrySet::Entry& entry) {
    std::string pictureName = name.substr(0, name.size() - 4) + ".png";
    const EntrySet::Entry* picture = entries.find(pictureName);
    if (!picture) throw BuildError(entry.origin, name + " has no picture " + pictureName);
    PngFile::Contents png = decodePng(pictureName, *picture);
    Atlas::read(entry.bytes, Place{name}, png.width, png.height);
}

void OutputCheck::font(const EntrySet& entries, const std::string& name, const Place& origin) {
    int height = -1;
    for (int part = 0; part < 3; ++part) {
        std::string base = name + "/font_" + std::to_string(part);
        const EntrySet::Entry* metrics = entries.find(base);
        if (!metrics) throw BuildError(origin, base + " was not made");
        const std::string& bytes = metrics->bytes;
        int count = bytes.empty() ? -1 : int(static_cast<signed char>(bytes[0]));
        if (count < 0) throw BuildError(origin, base + ": glyph count missing or above 127");
        size_t offset = 1;
        int total = 0;
        for (int glyph = 0; glyph < count; ++glyph) {
            std::u16string text;
            if (!decodeModifiedUtf8(bytes, offset, text) || offset >= bytes.size())
                throw BuildError(origin, base + ": glyph " + std::to_string(glyph) + " cannot be read");
            int width = static_cast<signed char>(bytes[offset++]);
            if (width <= 0) throw BuildError(origin, base + ": glyph " + std::to_string(glyph) + " has no width");
            if (part == 0 && glyph == 0 && text != u" ")
                throw BuildError(origin, base + ": the first glyph must be the blank, whose width spaces words");
            total += width;
        }
        if (offset != bytes.size()) throw BuildError(origin, base + " has bytes after its last glyph");
        for (const std::string& strip : {base + ".png", "ppc/" + base + ".png"}) {
            const EntrySet::Entry* picture = entries.find(strip);
            if (!picture) throw BuildError(origin, strip + " was not made");
            PngFile::Contents png = decodePng(strip, *picture);
            if (!GlyphStrip::fits(count, total, png.width))
                throw BuildError(origin, strip + " is " + std::to_string(png.width) +
                                             " pixels wide but its glyphs add up to " + std::to_string(total));
            if (height >= 0 && png.height != height)
                throw BuildError(origin, strip + " is not as tall as the font's first strip");
            height = png.height;
        }
    }
}

}  // namespace assets
