// One of our own text sources (manifest, pixel grid, drawing, font, sound, score): UTF-8
// lines, '#' at the start of a line begins a comment, blank lines are ignored.
#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include "place.h"

namespace assets {

class SourceText {
public:
    struct Line {
        int number;
        std::string text;
    };

    // Reads the file; `shownAs` is the name used in messages.
    static SourceText load(const std::filesystem::path& path, const std::string& shownAs);
    // The same from bytes already read.
    static SourceText parse(const std::string& bytes, const std::string& shownAs);
    // Replaces every $name by its value; an unknown name is an error at its line.
    SourceText substituted(const std::map<std::string, std::string>& values) const;

    const std::vector<Line>& lines() const { return content; }
    Place place(int line) const { return Place{shownAs, line}; }
    const std::string& name() const { return shownAs; }
    const std::filesystem::path& path() const { return file; }

private:
    std::filesystem::path file;
    std::string shownAs;
    std::vector<Line> content;
};

// Splits a line at blanks; "double quotes" keep blanks inside one token.
std::vector<std::string> tokenize(const std::string& line, const Place& place);

// Reads a whole file as bytes; a missing file is an error naming `place`.
std::string readFile(const std::filesystem::path& path, const Place& place);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace assets
