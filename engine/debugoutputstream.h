#pragma once
#include <string>
#include "doutputstream.h"

// The diagnostic stream's sink: whole lines go to the debug output, so the messages the library
// prints about bad data (a missing key, a broken level) reach the person running the program.
// A line ends only at the print stream's "\r\n": control bytes inside a message (quoted from a
// damaged file, say) are shown in caret form, and the C1 controls 0x80 to 0x9F as "M-" and the
// caret form of their low bits, so that none cuts the line short, breaks it or starts an escape.
class DebugOutputStream : public dfc::io::DOutputStream {
public:
    void write(int v) override;
    void flush() override;

private:
    void append(char16_t byte);
    void appendCaret(char16_t control);

    std::u16string line;
    bool carriageReturn = false;
};
