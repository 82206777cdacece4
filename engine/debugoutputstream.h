#pragma once
#include <string>
#include "doutputstream.h"

// The diagnostic stream's sink: whole lines go to the debug output, so the messages the library
// prints about bad data (a missing key, a broken level) reach the person running the program.
class DebugOutputStream : public dfc::io::DOutputStream {
public:
    void write(int v) override;
    void flush() override;

private:
    std::u16string line;
};
