#include "utf8.h"
#include "core/builderror.h"

namespace assets {

std::u32string decodeUtf8(const std::string& text, const Place& place) {
    std::u32string result;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = text[i];
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0 ? 1 : 0))
            throw BuildError(place, "text is not UTF-8");
        char32_t ch = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = text[i + k];
            if ((next & 0xC0) != 0x80) throw BuildError(place, "text is not UTF-8");
            ch = (ch << 6) | (next & 0x3F);
        }
        result += ch;
        i += extra + 1;
    }
    return result;
}

std::string encodeUtf8(char32_t ch) {
    std::string out;
    if (ch < 0x80) {
        out += char(ch);
    } else if (ch < 0x800) {
        out += char(0xC0 | (ch >> 6));
        out += char(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += char(0xE0 | (ch >> 12));
        out += char(0x80 | ((ch >> 6) & 0x3F));
        out += char(0x80 | (ch & 0x3F));
    } else {
        out += char(0xF0 | (ch >> 18));
        out += char(0x80 | ((ch >> 12) & 0x3F));
        out += char(0x80 | ((ch >> 6) & 0x3F));
        out += char(0x80 | (ch & 0x3F));
    }
    return out;
}

namespace {

void appendUnit(std::string& out, char16_t unit) {
    if (unit != 0 && unit < 0x80) {
        out += char(unit);
    } else if (unit < 0x800) {
        out += char(0xC0 | (unit >> 6));
        out += char(0x80 | (unit & 0x3F));
    } else {
        out += char(0xE0 | (unit >> 12));
        out += char(0x80 | ((unit >> 6) & 0x3F));
        out += char(0x80 | (unit & 0x3F));
    }
}

}  // namespace

std::string encodeModifiedUtf8(const std::u32string& text, const Place& place) {
    std::string body;
    for (char32_t ch : text) {
        if (ch >= 0x10000) {
            char32_t v = ch - 0x10000;
            appendUnit(body, char16_t(0xD800 + (v >> 10)));
            appendUnit(body, char16_t(0xDC00 + (v & 0x3FF)));
        } else {
            appendUnit(body, char16_t(ch));
        }
    }
    if (body.size() > 0xFFFF) throw BuildError(place, "text longer than 65535 bytes");
    return std::string{char(body.size() >> 8), char(body.size() & 0xFF)} + body;
}

bool decodeModifiedUtf8(const std::string& bytes, size_t& offset, std::u16string& text) {
    if (offset + 2 > bytes.size()) return false;
    size_t length = (size_t(uint8_t(bytes[offset])) << 8) | uint8_t(bytes[offset + 1]);
    size_t end = offset + 2 + length;
    if (end > bytes.size()) return false;
    text.clear();
    for (size_t i = offset + 2; i < end;) {
        unsigned char a = bytes[i];
        auto continuation = [&](size_t k) { return k < end && (uint8_t(bytes[k]) & 0xC0) == 0x80; };
        if (a != 0 && a < 0x80) {
            text += char16_t(a);
            i += 1;
        } else if ((a >> 5) == 6 && continuation(i + 1)) {
            text += char16_t(((a & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            i += 2;
        } else if ((a >> 4) == 14 && continuation(i + 1) && continuation(i + 2)) {
            text += char16_t(((a & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            i += 3;
        } else {
            return false;
        }
    }
    offset = end;
    return true;
}

}  // namespace assets
