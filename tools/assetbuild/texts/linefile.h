// The line layout the game's text readers need: every line ends in CR LF, the bytes are
// plain ASCII, and an empty line ends the file (nothing after it is read).
#pragma once
#include <string>
#include <vector>
#include "core/place.h"

namespace assets {

class LineFile {
public:
    struct Line {
        int number;
        std::string text;
    };

    // Refuses a line not ended by CR LF: the game's line reader ends a line at CR and would
    // read a lone LF into the next line.
    static void checkLineEnds(const std::string& bytes, const Place& place);
    // Splits `bytes` into lines, refusing anything the game would read differently.
    // `endsWithEmptyLine` demands the empty line at the end (readers that stop only there).
    static std::vector<Line> split(const std::string& bytes, const Place& place, bool endsWithEmptyLine);
    static std::string join(const std::vector<std::string>& lines, bool endsWithEmptyLine);
};

}  // namespace assets
