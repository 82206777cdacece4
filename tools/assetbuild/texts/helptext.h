// Help texts: a UTF-8 source, one paragraph a line, stored as the sequence of modified-UTF-8
// strings the help page reads. A paragraph "%N" shows picture N of the game's pictures.
#pragma once
#include <string>
#include <vector>
#include "core/place.h"
#include "fonts/fontmetrics.h"
#include "gamelib/helpbox.h"

namespace assets {

class HelpText {
public:
    static constexpr int maxLines = HelpBox::lineSlots;
    static constexpr int narrowestScreen = 176;

    // Checks the source against the help page's rules; `pictures` is how many pictures the
    // game hands the page (-1: not known).
    HelpText(const std::string& source, const Place& place, const FontMetrics& font, int pictures);

    std::string encode() const;
    // Lines the help page makes of `text` (paragraphs joined by line feeds) on a screen
    // `screenWidth` wide, breaking as the game does.
    static int layoutLines(const std::u32string& text, const FontMetrics& font, int screenWidth);
    // Reads stored help back into paragraphs; false when the bytes are not such a sequence.
    static bool decode(const std::string& bytes, std::vector<std::u16string>& paragraphs);

private:
    std::vector<std::u32string> paragraphs;
    Place where;
};

}  // namespace assets
