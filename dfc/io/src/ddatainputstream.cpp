#include "ddatainputstream.h"
#include <string>
#include "dbyterange.h"
#include "dioexception.h"

namespace dfc::io {

using namespace lang;

uint64_t DDataInputStream::readBigEndian(int n) {
    int bytes[8];
    for (int i = 0; i < n; ++i) bytes[i] = in->read();
    uint64_t value = 0;
    for (int i = 0; i < n; ++i) {
        if (bytes[i] < 0) DFC_THROW(DEOFException);
        value = value << 8 | uint64_t(bytes[i] & 0xFF);
    }
    return value;
}

void DDataInputStream::readFully(const DbyteArrayPtr& b, int off, int len) {
    checkRange(b, off, len);
    for (int n = 0; n < len;) {
        int c = in->read(b, off + n, len - n);
        if (c < 0) DFC_THROW(DEOFException);
        n += c;
    }
}

DStringPtr DDataInputStream::readUTF() {
    int utflen = readUnsignedShort();
    DbyteArrayPtr bytes = new DbyteArray(utflen);
    readFully(bytes);
    auto byte = [&](int i) { return bytes->data[i] & 0xFF; };
    auto continuation = [&](int i) {
        if ((byte(i) & 0xC0) != 0x80) DFC_THROW(DUTFDataFormatException);
        return byte(i) & 0x3F;
    };
    std::u16string units;
    for (int i = 0; i < utflen;) {
        int c = byte(i);
        switch (c >> 4) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
            units += char16_t(c);
            i += 1;
            break;
        case 12: case 13:
            i += 2;
            if (i > utflen) DFC_THROW(DUTFDataFormatException);
            units += char16_t((c & 0x1F) << 6 | continuation(i - 1));
            break;
        case 14:
            i += 3;
            if (i > utflen) DFC_THROW(DUTFDataFormatException);
            units += char16_t((c & 0x0F) << 12 | continuation(i - 2) << 6 | continuation(i - 1));
            break;
        default: DFC_THROW(DUTFDataFormatException);
        }
    }
    return new DString(units.data(), int(units.size()));
}

}  // namespace dfc::io
