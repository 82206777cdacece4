// The diagnostic sink: a printed line reaches standard error as one line, whatever bytes of a
// damaged file it quotes.
#include <gtest/gtest.h>
#include <string>
#include "debugoutputstream.h"
#include "dprintstream.h"

using dfc::io::DPrintStream;
using dfc::io::DPrintStreamPtr;
using dfc::lang::DString;

TEST(DebugOutput, EachPrintedLineIsOneLineWithItsControlBytesShown) {
    struct Case {
        const char* what;
        std::u16string printed;
        std::string shown;
    } const cases[] = {
        {"plain", u"a line", "a line\n"},
        {"a NUL", std::u16string(u"before\0after", 12), "before^@after\n"},
        {"a lone line feed", u"one\ntwo", "one^Jtwo\n"},
        {"a lone carriage return", u"one\rtwo", "one^Mtwo\n"},
        {"escape and delete", u"\x1b[2J\x7f", "^[[2J^?\n"},
        {"a tab", u"a\tb", "a\tb\n"},
        // A text widens byte by byte: the UTF-8 of U+009B (C2 9B) arrives as two characters.
        {"a C1 escape after a widened UTF-8 lead byte", u"\xc2\x9b[2J", "\xc3\x82M-^[[2J\n"},
        {"a C1 line break", u"one\x85two", "oneM-^Etwo\n"},
        {"the first and last C1 controls, and a tab's", u"\x80\x9f\x89", "M-^@M-^_M-^I\n"},
        {"printable Latin-1 after them", u"\xa0\xe9", "\xc2\xa0\xc3\xa9\n"},
    };
    for (const Case& c : cases) {
        DPrintStreamPtr err = new DPrintStream(new DebugOutputStream());
        testing::internal::CaptureStderr();
        err->println(new DString(c.printed.data(), int(c.printed.size())));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.shown) << c.what;
    }
}
