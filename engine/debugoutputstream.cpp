#include "debugoutputstream.h"
#include "ce_system.h"

void DebugOutputStream::write(int v) {
    // The print stream writes one byte per code unit and ends lines "\r\n"; the host wants "\n".
    if ((v & 0xFF) == '\r') return;
    line += char16_t(v & 0xFF);
    if ((v & 0xFF) == '\n') flush();
}

void DebugOutputStream::flush() {
    if (line.empty()) return;
    OutputDebugStringW(line.c_str());
    line.clear();
}
