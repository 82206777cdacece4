#include "ddataoutputstream.h"
#include "dioexception.h"

namespace dfc::io {

using namespace lang;

namespace {

int encodedLength(char16_t unit) { return unit >= 0x0001 && unit <= 0x007F ? 1 : unit < 0x0800 ? 2 : 3; }

}  // namespace

void DDataOutputStream::writeBigEndian(uint64_t v, int n) {
    for (int shift = 8 * (n - 1); shift >= 0; shift -= 8) out->write(int((v >> shift) & 0xFF));
}

void DDataOutputStream::writeChars(const DStringPtr& s) {
    for (int i = 0; i < s->length(); ++i) writeChar(s->chars()[i]);
}

void DDataOutputStream::writeUTF(const DStringPtr& s) {
    const char16_t* units = s->chars();
    int utflen = 0;
    for (int i = 0; i < s->length(); ++i) utflen += encodedLength(units[i]);
    if (utflen > 65535) DFC_THROW(DUTFDataFormatException);
    writeBigEndian(uint32_t(utflen), 2);
    for (int i = 0; i < s->length(); ++i) {
        char16_t u = units[i];
        switch (encodedLength(u)) {
        case 1: out->write(u); break;
        case 2:
            out->write(0xC0 | (u >> 6 & 0x1F));
            out->write(0x80 | (u & 0x3F));
            break;
        default:
            out->write(0xE0 | (u >> 12 & 0x0F));
            out->write(0x80 | (u >> 6 & 0x3F));
            out->write(0x80 | (u & 0x3F));
        }
    }
}

}  // namespace dfc::io
