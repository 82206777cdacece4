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
    };
    for (const Case& c : cases) {
        DPrintStreamPtr err = new DPrintStream(new DebugOutputStream());
        testing::internal::CaptureStderr();
        err->println(new DString(c.printed.data(), int(c.printed.size())));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.shown) << c.what;
    }
}
