#include "sourcetext.h"
#include <cctype>
#include <fstream>
#include <sstream>
#include "builderror.h"

namespace assets {

std::string readFile(const std::filesystem::path& path, const Place& place) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BuildError(place, "cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw BuildError("cannot write " + path.string());
}

SourceText SourceText::load(const std::filesystem::path& path, const std::string& shownAs) {
    SourceText text = parse(readFile(path, Place{shownAs, 0}), shownAs);
    text.file = path;
    return text;
}

SourceText SourceText::parse(const std::string& bytes, const std::string& shownAs) {
    SourceText text;
    text.shownAs = shownAs;
    std::istringstream in(bytes);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        size_t last = line.find_last_not_of(" \t");
        text.content.push_back({number, line.substr(first, last - first + 1)});
    }
    return text;
}

SourceText SourceText::substituted(const std::map<std::string, std::string>& values) const {
    SourceText result = *this;
    for (Line& line : result.content) {
        std::string out;
        for (size_t i = 0; i < line.text.size();) {
            if (line.text[i] != '$') {
                out += line.text[i++];
                continue;
            }
            size_t end = i + 1;
            while (end < line.text.size() && (std::isalnum(static_cast<unsigned char>(line.text[end])) ||
                                              line.text[end] == '_'))
                ++end;
            std::string key = line.text.substr(i + 1, end - i - 1);
            auto found = values.find(key);
            if (found == values.end()) throw BuildError(place(line.number), "no value given for $" + key);
            out += found->second;
            i = end;
        }
        line.text = out;
    }
    return result;
}

std::vector<std::string> tokenize(const std::string& line, const Place& place) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        std::string token;
        if (line[i] == '"') {
            size_t close = line.find('"', i + 1);
            if (close == std::string::npos) throw BuildError(place, "unclosed quote");
            token = line.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') token += line[i++];
        }
        tokens.push_back(token);
    }
    return tokens;
}

}  // namespace assets
