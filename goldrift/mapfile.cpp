#include "mapfile.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "stringmanager.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DInputStreamPtr;
using dfc::lang::DcharArray;
using dfc::lang::DStringPtr;

namespace {

constexpr int carriageReturn = 13, lineFeed = 10;

}  // namespace

bool MapFile::read(const DInputStreamPtr& in) {
    DDataInputStreamPtr data = new DDataInputStream(in);
    try {
        width = readSize(data);
        if (width < 1) return refuse(u"the first line is not a width");
        height = readSize(data);
        if (height < 1) return refuse(u"the second line is not a height");
    } catch (dfc::lang::DExceptionPtr&) {
        return refuse(u"the file ends before its size");
    }
    // Each size has up to five digits: the product is taken apart so that it cannot overflow.
    if (width > maxCells / height) return refuse(u"the map has more than 32767 cells");
    try {
        return readCells(data);
    } catch (dfc::lang::DExceptionPtr&) {
        // A file stream throws at its end where the archive's stream gives -1.
        return refuse(u"the file ends before its last cell");
    }
}

int32_t MapFile::readSize(const DDataInputStreamPtr& in) {
    const DStringPtr line = StringManager::readLine(in);
    if (!line || line->length() > 5) return -1;
    int32_t value = 0;
    for (int i = 0; i < line->length(); ++i) {
        const char16_t digit = line->charAt(i);
        if (digit < u'0' || digit > u'9') return -1;
        value = value * 10 + (digit - u'0');
    }
    return value;
}

bool MapFile::readCells(const DDataInputStreamPtr& in) {
    cells = new DcharArray(width * height);
    bool hero = false;
    for (int i = 0; i < width * height;) {
        const int byte = in->read();
        if (byte < 0) return refuse(u"the file ends before its last cell");
        if (byte == carriageReturn || byte == lineFeed) continue;
        cells[i++] = char16_t(byte);
        hero = hero || byte == 'P';
    }
    if (!hero) return refuse(u"the map has no hero's start 'P'");
    return true;
}

bool MapFile::refuse(const char16_t* reason) {
    fault = DStringPtr(reason);
    cells = nullptr;
    return false;
}
