// Where something came from: a source file as the author knows it and, when known, a line
// and the column of a cell in it.
#pragma once
#include <string>

namespace assets {

struct Place {
    std::string file;
    int line = 0;
    int column = 0;

    std::string text() const {
        if (line <= 0) return file;
        return file + ":" + std::to_string(line) + (column > 0 ? ":" + std::to_string(column) : "");
    }
    Place at(int otherLine) const { return Place{file, otherLine}; }
    Place cell(int otherLine, int otherColumn) const { return Place{file, otherLine, otherColumn}; }
};

}  // namespace assets
