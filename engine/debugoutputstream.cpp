#include "debugoutputstream.h"
#include "ce_system.h"

namespace {

constexpr char16_t firstPrintable = 0x20, deleteByte = 0x7F;

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
    if ((byte < firstPrintable && byte != u'\t') || byte == deleteByte) {
        line += u'^';
        line += char16_t(byte ^ 0x40);
    } else {
        line += byte;
    }
}

void DebugOutputStream::flush() {
    if (line.empty()) return;
    OutputDebugStringW(line.c_str());
    line.clear();
}
