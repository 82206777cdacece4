#include "fontmetrics.h"
#include "texts/utf8.h"

namespace assets {

char32_t upperCased(char32_t ch) {
    if (ch >= U'a' && ch <= U'z') return ch - 32;
    if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return ch - 32;
    return ch;
}

bool FontMetrics::has(char32_t ch) const {
    if (upperCase) ch = upperCased(ch);
    for (const Part& part : parts)
        if (part.chars.find(ch) != std::u32string::npos) return true;
    return false;
}

int FontMetrics::stringWidth(const std::u32string& text) const {
    int width = 0;
    for (char32_t ch : text) width += charWidth(ch);
    return width;
}

int FontMetrics::charWidth(char32_t ch) const {
    if (upperCase) ch = upperCased(ch);
    if (ch == U' ') return parts[0].widths.empty() ? 0 : parts[0].widths[0] + spacing;
    for (const Part& part : parts) {
        size_t index = part.chars.find(ch);
        if (index != std::u32string::npos) return part.widths[index] + spacing;
    }
    return 0;
}

std::string FontMetrics::encode(int part) const {
    const Part& p = parts[size_t(part)];
    std::string bytes(1, char(p.chars.size()));
    for (size_t i = 0; i < p.chars.size(); ++i) {
        bytes += encodeModifiedUtf8(std::u32string(1, p.chars[i]), Place{});
        bytes += char(p.widths[i]);
    }
    return bytes;
}

}  // namespace assets
