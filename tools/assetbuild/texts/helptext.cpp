#include "helptext.h"
#include "core/builderror.h"
#include "gamelib/helpbox.h"
#include "gamelib/helplines.h"
#include "utf8.h"

namespace assets {

namespace {

bool isPictureLine(const std::u32string& paragraph) {
    if (paragraph.size() < 2 || paragraph[0] != U'%') return false;
    for (size_t i = 1; i < paragraph.size(); ++i)
        if (paragraph[i] < U'0' || paragraph[i] > U'9') return false;
    return true;
}

void checkParagraph(const std::u32string& paragraph, const Place& place, const FontMetrics& font, int pictures) {
    if (isPictureLine(paragraph)) {
        std::string digits;
        for (size_t i = 1; i < paragraph.size(); ++i) digits += char(paragraph[i]);
        if (pictures >= 0 && (digits.size() > 4 || std::stoi(digits) >= pictures))
            throw BuildError(place,
                             "picture %" + digits + " does not exist; the game gives " + std::to_string(pictures));
        return;
    }
    for (size_t i = 0; i < paragraph.size(); ++i) {
        char32_t ch = paragraph[i];
        bool wordStart = i == 0 || paragraph[i - 1] == U' ';
        if (ch == U'%' && wordStart) {
            size_t end = paragraph.find(U' ', i);
            std::u32string word = paragraph.substr(i, end == std::u32string::npos ? end : end - i);
            std::string shown;
            for (char32_t w : word) shown += encodeUtf8(w);
            throw BuildError(place, "word \"" + shown + "\" starts with '%'; a broken line beginning with it would "
                                                       "show a picture");
        }
        if (ch != U' ' && !font.has(ch))
            throw BuildError(place, "\"" + encodeUtf8(ch) + "\" is not in the help text's font");
    }
}

}  // namespace

HelpText::HelpText(const std::string& source, const Place& place, const FontMetrics& font, int pictures)
    : where(place) {
    std::u32string text = decodeUtf8(source, place);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(U'\n', start);
        if (end == std::u32string::npos) end = text.size();
        std::u32string paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == U'\r') paragraph.pop_back();
        paragraphs.push_back(paragraph);
        start = end + 1;
    }
    while (!paragraphs.empty() && paragraphs.back().empty()) paragraphs.pop_back();
    std::u32string joined;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        checkParagraph(paragraphs[i], place.at(int(i) + 1), font, pictures);
        joined += paragraphs[i] + U'\n';
    }
    int lines = layoutLines(joined, font, narrowestScreen);
    if (lines > maxLines)
        throw BuildError(place, "the help text makes " + std::to_string(lines) + " lines on a screen " +
                                    std::to_string(narrowestScreen) + " pixels wide; the help page holds " +
                                    std::to_string(maxLines));
}

std::string HelpText::encode() const {
    std::string bytes;
    for (size_t i = 0; i < paragraphs.size(); ++i) bytes += encodeModifiedUtf8(paragraphs[i], where.at(int(i) + 1));
    return bytes;
}

int HelpText::layoutLines(const std::u32string& text, const FontMetrics& font, int screenWidth) {
    const int32_t maxWidth = HelpBox::textWidth(screenWidth, HelpBox::boxX(screenWidth));
    int count = 0;
    HelpLines breaking([&](int32_t i) { return text[size_t(i)]; }, [&](char32_t c) { return font.charWidth(c); },
                       [&](int32_t, int32_t) { ++count; }, HelpBox::charsPerLine(maxWidth, font.charWidth(U'W')),
                       maxWidth);
    breaking.breakText(int32_t(text.size()));
    return count;
}

bool HelpText::decode(const std::string& bytes, std::vector<std::u16string>& paragraphs) {
    paragraphs.clear();
    size_t offset = 0;
    std::u16string text;
    while (offset < bytes.size()) {
        if (!decodeModifiedUtf8(bytes, offset, text)) return false;
        paragraphs.push_back(text);
    }
    return true;
}

}  // namespace assets
