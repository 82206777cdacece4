// A sheet to look at what was made: every picture at twice its size (as the device's
// 16-bit screen shows it, transparency as a checkerboard) and samples of every font.
#pragma once
#include <filesystem>
#include <map>
#include <memory>
#include "packing/entryset.h"
#include "fonts/fontface.h"
#include "fonts/fontmetrics.h"
#include "image.h"

namespace assets {

class ContactSheet {
public:
    ContactSheet(const EntrySet& entries, const std::map<std::string, FontMetrics>& fonts,
                 const std::filesystem::path& fontDir);
    void write(const std::filesystem::path& path);

private:
    struct Tile {
        std::string label;
        Image image;
    };
    void addPictures();
    void addFontSamples();
    Image fontSample(const std::string& name, const FontMetrics& metrics, const std::u32string& text,
                     Colour back) const;
    std::vector<Image> compose() const;

    const EntrySet& entries;
    const std::map<std::string, FontMetrics>& fonts;
    std::unique_ptr<FontFace> labelFace;
    std::vector<Tile> tiles;
};

}  // namespace assets
