#include "pixelgrid.h"
#include <map>
#include "core/builderror.h"

namespace assets {

Image PixelGrid::load(const SourceText& source) {
    std::map<char, Pixel> palette;
    std::vector<const SourceText::Line*> rows;
    bool inRows = false;
    for (const SourceText::Line& line : source.lines()) {
        Place place = source.place(line.number);
        if (inRows) {
            rows.push_back(&line);
            continue;
        }
        if (line.text == "---") {
            inRows = true;
            continue;
        }
        std::vector<std::string> tokens = tokenize(line.text, place);
        if (tokens.size() != 2 || tokens[0].size() != 1)
            throw BuildError(place, "a palette line is one character and a colour");
        char symbol = tokens[0][0];
        if (symbol == '#') throw BuildError(place, "'#' cannot name a colour: it starts a comment");
        if (!palette
                 .emplace(symbol, tokens[1] == "transparent" ? Pixel{} : Pixel{Colour::parse(tokens[1], place), true})
                 .second)
            throw BuildError(place, std::string("'") + symbol + "' is given twice");
    }
    if (rows.empty()) throw BuildError(source.place(0), "no pixel rows (they follow a line \"---\")");
    int width = int(rows.front()->text.size());
    Image image(width, int(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        Place place = source.place(rows[y]->number);
        if (int(rows[y]->text.size()) != width)
            throw BuildError(place, "row is " + std::to_string(rows[y]->text.size()) + " pixels wide, the first is " +
                                        std::to_string(width));
        for (int x = 0; x < width; ++x) {
            auto found = palette.find(rows[y]->text[x]);
            if (found == palette.end())
                throw BuildError(place, std::string("'") + rows[y]->text[x] + "' is not in the palette");
            image.at(x, int(y)) = found->second;
        }
    }
    return image;
}

}  // namespace assets
