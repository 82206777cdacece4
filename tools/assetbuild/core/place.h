// Where something came from: a source file as the author knows it and, when known, a line.
#pragma once
#include <string>

namespace assets {

struct Place {
    std::string file;
    int line = 0;

    std::string text() const { return line > 0 ? file + ":" + std::to_string(line) : file; }
    Place at(int otherLine) const { return Place{file, otherLine}; }
};

}  // namespace assets
