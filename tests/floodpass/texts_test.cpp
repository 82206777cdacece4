// The game's own texts lacking a list it plays with: its land, a craft, the fuel depot or the
// plane turning. The start ends naming the key, before a river is flown with banks, craft or
// depots that cannot be seen.
#include <gtest/gtest.h>
#include <string>
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "ddamageddataexception.h"
#include "game_fixture.h"
#include "gamelib.h"
#include "stringmanager.h"
#include "text.h"

using dfc::io::DInputStreamPtr;
using dfc::lang::DStringPtr;

namespace {

// The game's text as the archive holds it, and the key whose line is left out of it.
std::string wholeText;
std::string leftOut;

std::string entryText(const DStringPtr& name) {
    const DInputStreamPtr in = GameLib::openResource(name);
    std::string bytes;
    for (int byte; (byte = in->read()) != -1;) bytes += char(byte);
    return bytes;
}

// The text without the key's line; the same text when it has none.
std::string withoutLine(const std::string& text, const std::string& key) {
    const std::string lines = "\r\n" + text;
    const size_t start = lines.find("\r\n" + key + "=");
    if (start == std::string::npos) return text;
    const size_t end = lines.find("\r\n", start + 2);
    return (lines.substr(0, start) + lines.substr(end)).substr(2);
}

DInputStreamPtr textLackingTheKey(const DStringPtr& name) {
    if (!name->equals(DStringPtr(u"/fdp/res.txt"))) return GameLib::openResource(name);
    return new dfc::io::DByteArrayInputStream(bytesOf(withoutLine(wholeText, leftOut)));
}

}  // namespace

TEST_F(FloodpassTest, AStartWithoutAListItPlaysWithEndsNamingTheKey) {
    for (const char* key : {"tankL1", "helicopterR3", "fuel", "land", "airplaneL", "airplaneR"}) {
        leftOut = key;
        inProgram([] {
            wholeText = entryText(u"/fdp/res.txt");
            ASSERT_NE(withoutLine(wholeText, leftOut), wholeText) << leftOut;
            StringManager::openResource = textLackingTheKey;
            const GameInterfacePtr game = new Floodpass();
            try {
                game->start();
                ADD_FAILURE() << leftOut << ": the game started";
            } catch (dfc::io::DDamagedDataExceptionPtr& e) {
                EXPECT_EQ(narrow(e->getMessage()), "the text fdp/res.txt has no key " + leftOut);
            }
            game->stop();
            StringManager::openResource = GameLib::openResource;
        });
    }
}
