#include "debugoutputstream.h"
#include "ce_system.h"

namespace {

constexpr char16_t firstPrintable = 0x20, deleteByte = 0x7F, firstC1 = 0x80, lastC1 = 0x9F;

}  // namespace

void DebugOutputStream::write(int v) {
    const char16_t byte = char16_t(v & 0xFF);
    if (carriageReturn) {
        carriageReturn = false;
        // The host wants "\n" where the print stream ends a line with "\r\n".
        if (byte == u'\n') {
            line += u'\n';
            flush();
            return;
        }
        append(u'\r');
    }
    if (byte == u'\r')
        carriageReturn = true;
    else
        append(byte);
}

void DebugOutputStream::append(char16_t byte) {
    if (byte >= firstC1 && byte <= lastC1) {
        // A terminal obeys these too: 0x9B starts an escape sequence, 0x85 breaks the line.
        line += u"M-";
        appendCaret(char16_t(byte - firstC1));
    } else if ((byte < firstPrintable && byte != u'\t') || byte == deleteByte) {
        appendCaret(byte);
    } else {
        line += byte;
    }
}

void DebugOutputStream::appendCaret(char16_t control) {
    line += u'^';
    line += char16_t(control ^ 0x40);
}

void DebugOutputStream::flush() {
    if (line.empty()) return;
    OutputDebugStringW(line.c_str());
    line.clear();
}
