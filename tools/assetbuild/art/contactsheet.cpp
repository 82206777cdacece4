#include "contactsheet.h"
#include <algorithm>
#include "inkstyle.h"
#include "jpegfile.h"
#include "mockscreens.h"
#include "pngfile.h"
#include "core/sourcetext.h"
#include "texts/utf8.h"

namespace assets {

namespace {

constexpr int sheetWidth = 1000;
constexpr int pageHeight = 1000;
constexpr int gap = 12;
constexpr int labelHeight = 16;

// What the 16-bit screen shows of a colour.
Colour onScreen(Colour c) {
    uint16_t v = c.rgb565();
    int r = v >> 11, g = (v >> 5) & 63, b = v & 31;
    return Colour{uint8_t(r << 3 | r >> 2), uint8_t(g << 2 | g >> 4), uint8_t(b << 3 | b >> 2)};
}

Image decode(const std::string& name, const std::string& bytes) {
    std::string error;
    if (name.ends_with(".png")) return PngFile::toImage(PngFile::decode(bytes, error));
    JpegFile::Contents jpeg = JpegFile::decode(bytes, error);
    Image image(jpeg.width, jpeg.height);
    for (int i = 0; i < int(jpeg.pixels.size()); ++i)
        image.at(i % jpeg.width, i / jpeg.width) = Pixel{jpeg.pixels[size_t(i)], true};
    return image;
}

// Opaque copy with transparency shown as a checkerboard, enlarged.
Image shown(const Image& image, int scale) {
    Image result(image.width() * scale, image.height() * scale);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x) {
            const Pixel& p = image.at(x / scale, y / scale);
            bool light = ((x / 4) + (y / 4)) % 2 == 0;
            result.at(x, y) =
                Pixel{p.opaque ? onScreen(p.colour) : (light ? Colour{200, 200, 210} : Colour{160, 160, 175}), true};
        }
    return result;
}

}  // namespace

ContactSheet::ContactSheet(const EntrySet& entries, const std::map<std::string, FontMetrics>& fonts,
                           const std::filesystem::path& fontDir)
    : entries(entries),
      fonts(fonts),
      labelFace(std::make_unique<FontFace>(fontDir, "DejaVuSans", 11, Place{"sheet"})) {}

void ContactSheet::write(const std::filesystem::path& path) {
    for (auto& [caption, screen] : MockScreens(entries, fonts).all()) tiles.push_back({caption, shown(screen, 2)});
    addPictures();
    addFontSamples();
    std::vector<Image> pages = compose();
    for (size_t i = 0; i < pages.size(); ++i) {
        std::filesystem::path page = path;
        if (i > 0)
            page.replace_filename(path.stem().string() + "-" + std::to_string(i + 1) + path.extension().string());
        writeFile(page, PngFile::encode(pages[i]));
    }
}

void ContactSheet::addPictures() {
    for (const auto& [name, entry] : entries.all()) {
        if (entry.kind != EntrySet::Kind::picture || name.find("/font_") != std::string::npos) continue;
        Image image = decode(name, entry.bytes);
        int scale = image.width() > 300 ? 1 : 2;
        tiles.push_back({name, shown(image, scale)});
    }
}

Image ContactSheet::fontSample(const std::string& name, const FontMetrics& metrics, const std::u32string& text,
                               Colour back) const {
    std::array<Image, 3> strips;
    for (int part = 0; part < 3; ++part) {
        const EntrySet::Entry* strip = entries.find(name + "/font_" + std::to_string(part) + ".png");
        if (strip) strips[size_t(part)] = decode("x.png", strip->bytes);
    }
    Image line(std::max(1, metrics.stringWidth(text)) + 8, metrics.height + 8);
    for (int y = 0; y < line.height(); ++y)
        for (int x = 0; x < line.width(); ++x) line.at(x, y) = Pixel{back, true};
    int x = 4;
    for (char32_t ch : text) {
        if (metrics.upperCase) ch = upperCased(ch);
        if (ch == U' ') {
            x += metrics.parts[0].widths[0] + metrics.spacing;
            continue;
        }
        for (size_t part = 0; part < 3; ++part) {
            size_t index = metrics.parts[part].chars.find(ch);
            if (index == std::u32string::npos) continue;
            int offset = 0;
            for (size_t i = 0; i < index; ++i) offset += metrics.parts[part].widths[i];
            int width = metrics.parts[part].widths[index];
            line.place(strips[part].cropped(offset, 0, width, strips[part].height()), x, 4);
            x += width + metrics.spacing;
            break;
        }
    }
    return line;
}

void ContactSheet::addFontSamples() {
    const std::u32string samples[] = {
        U"The quick brown fox jumps over 13 lazy dogs.", U"ABCDEFGHIJKLM NOPQRSTUVWXYZ 0123456789",
        U"Sound: normal  <- ok  High scores  Äpfel Ørsted Ça", U"!\"#$%&'()*+,-./:;<=>?@[]_ © « » ° £ €"};
    for (const auto& [name, metrics] : fonts) {
        std::vector<Image> lines;
        for (const auto& text : samples)
            for (Colour back : {Colour{255, 255, 255}, Colour{40, 48, 60}})
                lines.push_back(shown(fontSample(name, metrics, text, back), 2));
        int width = 0, height = 0;
        for (const Image& line : lines) {
            width = std::max(width, line.width());
            height += line.height();
        }
        Image block(width, height);
        int y = 0;
        for (const Image& line : lines) {
            block.place(line, 0, y);
            y += line.height();
        }
        tiles.push_back({name + " (height " + std::to_string(metrics.height) + ")", block});
    }
}

std::vector<Image> ContactSheet::compose() const {
    struct Spot {
        int page, x, y;
    };
    std::vector<Spot> spots;
    std::vector<int> heights{0};
    int x = gap, y = gap, rowHeight = 0;
    for (const Tile& tile : tiles) {
        int labelWidth = labelFace->ink(decodeUtf8(tile.label, Place{}), 0, Place{"sheet"}).mask.width();
        int w = std::max(tile.image.width(), labelWidth), h = tile.image.height() + labelHeight;
        if (x + w > sheetWidth - gap && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        if (y + h > pageHeight && y > gap) {
            heights.back() = y;
            heights.push_back(0);
            x = gap;
            y = gap;
            rowHeight = 0;
        }
        spots.push_back({int(heights.size()) - 1, x, y});
        x += w + gap;
        rowHeight = std::max(rowHeight, h);
        heights.back() = y + rowHeight + gap;
    }
    std::vector<Image> pages;
    for (int height : heights) {
        Image page(sheetWidth, std::max(height, 1));
        for (int py = 0; py < page.height(); ++py)
            for (int px = 0; px < page.width(); ++px) page.at(px, py) = Pixel{Colour{236, 234, 228}, true};
        pages.push_back(page);
    }
    InkStyle labelInk{Paint(Colour{30, 30, 30}), std::nullopt, std::nullopt};
    for (size_t i = 0; i < tiles.size(); ++i) {
        Image& page = pages[size_t(spots[i].page)];
        FontFace::Ink ink = labelFace->ink(decodeUtf8(tiles[i].label, Place{}), 0, Place{"sheet"});
        labelInk.apply(page, ink.mask, spots[i].x, spots[i].y + 12 - ink.baseline, Box{});
        page.place(tiles[i].image, spots[i].x, spots[i].y + labelHeight);
    }
    return pages;
}

}  // namespace assets
