#include "linefile.h"
#include "core/builderror.h"

namespace assets {

void LineFile::checkLineEnds(const std::string& bytes, const Place& place) {
    int number = 1;
    for (size_t start = 0; start < bytes.size(); ++number) {
        size_t cr = bytes.find('\r', start), lf = bytes.find('\n', start);
        if (lf < cr) throw BuildError(place.at(number), "line ends in LF alone; the game's lines end in CR LF");
        if (cr == std::string::npos)
            throw BuildError(place.at(number), "last line has no CR LF; the game would not read it");
        if (cr + 1 >= bytes.size() || bytes[cr + 1] != '\n')
            throw BuildError(place.at(number), "line ends in CR without LF");
        start = cr + 2;
    }
}

std::vector<LineFile::Line> LineFile::split(const std::string& bytes, const Place& place, bool endsWithEmptyLine) {
    checkLineEnds(bytes, place);
    std::vector<Line> lines;
    bool ended = false;
    int number = 1;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t cr = bytes.find('\r', start);
        std::string text = bytes.substr(start, cr - start);
        if (ended)
            throw BuildError(place.at(number - 1), "empty line inside the file; the game stops reading there");
        if (text.empty()) {
            ended = true;
        } else {
            for (char c : text)
                if (c < 0x20 || c > 0x7E)
                    throw BuildError(place.at(number), "character " + std::to_string(int(uint8_t(c))) +
                                                           " is not printable ASCII");
            lines.push_back({number, text});
        }
        start = cr + 2;
        ++number;
    }
    if (endsWithEmptyLine && !ended)
        throw BuildError(place.at(number), "the file must end with an empty line; the game reads until it");
    return lines;
}

std::string LineFile::join(const std::vector<std::string>& lines, bool endsWithEmptyLine) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    if (endsWithEmptyLine) bytes += "\r\n";
    return bytes;
}

}  // namespace assets
