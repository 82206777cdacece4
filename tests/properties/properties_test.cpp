#include <map>
#include <optional>
#include <string>
#include <vector>
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "dbytearrayoutputstream.h"
#include "ddamageddataexception.h"
#include "denumeration.h"
#include "dhashtable.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "headless_test.h"
#include "keybudget.h"
#include "null_pointer.h"
#include "stringmanager.h"
#include "text.h"

using dfc::io::DByteArrayInputStream;
using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DEOFExceptionPtr;
using dfc::io::DInputStreamPtr;
using dfc::io::DIOException;
using dfc::io::DIOExceptionPtr;
using dfc::io::DPrintStream;
using dfc::lang::DExceptionPtr;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;
using dfc::util::DHashtable;
using Table = std::map<std::string, std::string>;

namespace {

// Resources by name; a name mapped to nothing opens as no stream, an unknown name throws.
std::map<std::string, std::optional<std::string>> resources;

DInputStreamPtr serve(const DStringPtr& name) {
    auto found = resources.find(narrow(name));
    if (found == resources.end()) throw DIOExceptionPtr(new DIOException(name));
    if (!found->second) return DInputStreamPtr();
    return new DByteArrayInputStream(bytesOf(*found->second));
}

DDataInputStreamPtr streamOf(const std::string& bytes) {
    return new DDataInputStream(new DByteArrayInputStream(bytesOf(bytes)));
}

Table tableOf(const dfc::util::DHashtablePtr& properties) {
    Table table;
    for (auto keys = properties->keys(); keys->hasMoreElements();) {
        DStringPtr key = DStringPtr::from(keys->nextElement());
        table[narrow(key)] = narrow(DStringPtr::from(properties->get(key)));
    }
    return table;
}

std::vector<std::string> fieldsOf(const DStringArrayPtr& fields) {
    std::vector<std::string> out;
    for (int i = 0; i < fields->length; ++i) out.push_back(narrow((*fields)[i]));
    return out;
}

class Properties : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        resources.clear();
        StringManager::properties = new DHashtable(11, 75);
        StringManager::openResource = serve;
        diagnostics = new DByteArrayOutputStream();
        DSystem::err = new DPrintStream(diagnostics);
    }
    void TearDown() override {
        StringManager::properties = nullptr;
        StringManager::openResource = opener;
        DSystem::err = nullptr;
        HeadlessTest::TearDown();
    }

    Table load(const std::string& bytes) {
        resources["/res.txt"] = bytes;
        StringManager::loadProperties(u"/res");
        return tableOf(StringManager::properties);
    }
    std::string printed() const { return textOf(diagnostics->toByteArray(), diagnostics->size()); }

    StringManager::Opener opener = StringManager::openResource;
    DByteArrayOutputStreamPtr diagnostics;
};

}  // namespace

TEST_F(Properties, ParsesLinesOfKeyEqualsValue) {
    const std::string longest(StringManager::longestLine, 'v');
    struct Case {
        const char* what;
        std::string bytes;
        Table expected;
    };
    const Case cases[] = {
        {"CR LF lines; no '=' skips; an empty line ends the file", "a=1\r\nb==2\r\nc\r\n\r\nd=4\r\n",
         {{"a", "1"}, {"b", "=2"}}},
        {"nothing trimmed", " key = value \r\n", {{" key ", " value "}}},
        {"a lone LF stays in the line", "a=1\nb=2\r\nc=3\r\n", {{"a", "1\nb=2"}, {"c", "3"}}},
        {"the last duplicate wins", "k=1\r\nk=2\r\n", {{"k", "2"}}},
        {"a last line without its line end is kept", "a=1\r\nz=26", {{"a", "1"}, {"z", "26"}}},
        {"a CR as the very last byte", "a=1\r", {{"a", "1"}}},
        {"empty key and empty value", "=v\r\nk=\r\n", {{"", "v"}, {"k", ""}}},
        {"an empty file", "", {}},
        {"an empty first line", "\r\na=1\r\n", {}},
        {"bytes above 0x7F widen unsigned", "k=\xE9\xFF\r\n", {{"k", "\xC3\xA9\xC3\xBF"}}},
        {"a long line keeps its start", "k=" + longest + "\r\nz=1\r\n", {{"k", longest.substr(2)}, {"z", "1"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(load(c.bytes), c.expected) << c.what;
}

TEST_F(Properties, LoadingReplacesWhatWasLoadedBefore) {
    resources["/keys.txt"] = "KEY_LEFT_SOFT1=21\r\n";
    resources["/res.txt"] = "score=Score\r\n";
    StringManager::loadProperties(u"/keys");
    StringManager::loadProperties(u"/res");
    EXPECT_EQ(tableOf(StringManager::properties), (Table{{"score", "Score"}}));
}

TEST_F(Properties, DatIsReadWhenTheOpenerGivesNoTxtStream) {
    resources["/bxm/anim.txt"] = std::nullopt;
    resources["/bxm/anim.dat"] = "ball=b1;b2\r\n";
    StringManager::loadProperties(u"/bxm/anim");
    EXPECT_EQ(tableOf(StringManager::properties), (Table{{"ball", "b1;b2"}}));
}

TEST_F(Properties, MissingResourcePassesTheOpenersExceptionOnAfterEmptying) {
    load("a=1\r\n");
    EXPECT_THROW(StringManager::loadProperties(u"/missing"), DIOExceptionPtr);
    EXPECT_TRUE(tableOf(StringManager::properties).empty());
}

TEST_F(Properties, ReadLineGivesNullForAnEmptyLineAndThrowsAtTheEnd) {
    DDataInputStreamPtr in = streamOf("ab\r\n\r\ncd");
    EXPECT_EQ(narrow(StringManager::readLine(in)), "ab");
    EXPECT_FALSE(StringManager::readLine(in));
    EXPECT_EQ(narrow(StringManager::readLine(in)), "cd");
    EXPECT_THROW(StringManager::readLine(in), DEOFExceptionPtr);
    EXPECT_THROW(StringManager::readLine(streamOf("")), DEOFExceptionPtr);
}

// The first key a text lacks names the text, once, whatever is looked up after it.
TEST_F(Properties, MissingKeyIsNullWithADiagnostic) {
    load("title=Brixmoor\r\n");
    EXPECT_EQ(narrow(StringManager::getProperty(u"title")), "Brixmoor");
    EXPECT_EQ(printed(), "");
    for (int frame = 0; frame < 100; ++frame) {
        EXPECT_FALSE(StringManager::getProperty(u"subtitle"));
        EXPECT_FALSE(StringManager::getProperty(u"score"));
    }
    EXPECT_EQ(printed(), "StringManager: res.txt has no key \"subtitle\"; any other key it lacks goes unnamed\r\n");

    // Outside the frame there may be no diagnostic stream: the answer is the same.
    DSystem::err = nullptr;
    EXPECT_FALSE(StringManager::getProperty(u"subtitle"));
}

// Joined to a number, a missing text must add nothing: a null would read "null".
TEST_F(Properties, TheTextOfAMissingKeyIsEmptyWithADiagnostic) {
    load("score=Score\r\n");
    EXPECT_EQ(narrow(StringManager::getText(u"score") + u" " + 5), "Score 5");
    EXPECT_EQ(narrow(StringManager::getText(u"level") + u" " + 5), " 5");
    EXPECT_EQ(printed(), "StringManager: res.txt has no key \"level\"; any other key it lacks goes unnamed\r\n");
}

// A key a game cannot play without is named with the text that lacks it, as the opener served it.
TEST_F(Properties, ARequiredKeyTheTextLacksIsNamedWithTheText) {
    const auto named = [](const char16_t* key) {
        try {
            StringManager::requireKey(key);
            return std::string("(nothing thrown)");
        } catch (DDamagedDataExceptionPtr& e) {
            return narrow(e->getMessage());
        }
    };
    load("a=1\r\nb=\r\n");
    EXPECT_EQ(named(u"a"), "(nothing thrown)");
    EXPECT_EQ(named(u"b"), "(nothing thrown)");
    EXPECT_EQ(named(u"c"), "the text res.txt has no key c");
    resources["/bxm/anim.txt"] = std::nullopt;
    resources["/bxm/anim.dat"] = "a=1\r\n";
    StringManager::loadProperties(u"/bxm/anim");
    EXPECT_EQ(named(u"c"), "the text bxm/anim.dat has no key c");
    EXPECT_EQ(printed(), "") << "the one line is the game's end";
}

TEST_F(Properties, GetIntParsesOrFallsBackToTheDefault) {
    load("n=42\r\nneg=-7\r\nword=abc\r\n");
    struct Case {
        const char16_t* key;
        int defaultValue;
        int expected;
    };
    const Case cases[] = {
        {u"n", 5, 42},   {u"neg", 5, -7}, {u"word", 5, 0},  // a text without a number reads as 0
        {u"KEY_LEFT_SOFT2", 0, 0}, {u"KEY_LEFT_SOFT1", 10000, 10000},
    };
    for (const Case& c : cases) EXPECT_EQ(StringManager::getInt(c.key, c.defaultValue), c.expected);
    EXPECT_EQ(printed(), "") << "a missing integer is not reported";
}

TEST_F(Properties, SplitKeepsEveryFieldBetweenSeparators) {
    struct Case {
        const char16_t* text;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {u"1;2;;3", {"1", "2", "", "3"}}, {u";", {"", ""}},         {u"", {""}},
        {u"abc", {"abc"}},                {u";a;", {"", "a", ""}}, {u"b1;b2", {"b1", "b2"}},
    };
    for (const Case& c : cases) EXPECT_EQ(fieldsOf(StringManager::split(c.text, u';')), c.fields);
    EXPECT_EQ(fieldsOf(StringManager::split(u"go left", u' ')), (std::vector<std::string>{"go", "left"}));
}

TEST_F(Properties, SplitOfNullThrowsWithItsThrowSite) {
    try {
        StringManager::split(DStringPtr(), u';');
        FAIL() << "no exception";
    } catch (DExceptionPtr& e) {
        EXPECT_NE(narrow(e->getMessage()).find("stringmanager.cpp:"), std::string::npos);
    }
}

TEST_F(Properties, WithoutTheTableEveryLookUpNamesTheHashtable) {
    StringManager::properties = nullptr;
    EXPECT_TRUE(namesNull("DHashtable", [] { StringManager::getProperty(u"a"); }));
    EXPECT_TRUE(namesNull("DHashtable", [] { StringManager::getInt(u"a", 1); }));
    EXPECT_TRUE(namesNull("DHashtable", [] { StringManager::loadProperties(u"/res"); }));
}

// A text cut short is named by its entry with the line it ends in; what was read is kept.
TEST_F(Properties, ATextCutShortIsNamedWithItsLastLine) {
    struct Case {
        const char* what;
        std::string bytes;
        Table expected;
        std::string printed;
    };
    const std::string cut = "StringManager: res.txt is cut short: its last line, ";
    const Case cases[] = {
        {"every line ended", "a=1\r\nland=l00.png;l01.png\r\n", {{"a", "1"}, {"land", "l00.png;l01.png"}}, ""},
        {"ended by an empty line", "a=1\r\n\r\nb=", {{"a", "1"}}, ""},
        {"cut inside a line",
         "a=1\r\nland=l00.png;l0",
         {{"a", "1"}, {"land", "l00.png;l0"}},
         cut + "\"land=l00.png;l0\", lacks its line end; what followed is missing\r\n"},
        {"cut inside a long line, quoted in part",
         "land=" + std::string(100, 'l'),
         {{"land", std::string(100, 'l')}},
         cut + "\"land=" + std::string(55, 'l') + "...\", lacks its line end; what followed is missing\r\n"},
        {"cut between CR and LF",
         "a=1\r",
         {{"a", "1"}},
         cut + "\"a=1\", lacks its line end; what followed is missing\r\n"},
        {"cut before its first byte", "", {}, "StringManager: res.txt is empty: every text it holds is missing\r\n"},
    };
    for (const Case& c : cases) {
        // A table of its own: a damaged text is named once while its table lasts.
        StringManager::properties = new DHashtable(11, 75);
        diagnostics = new DByteArrayOutputStream();
        DSystem::err = new DPrintStream(diagnostics);
        EXPECT_EQ(load(c.bytes), c.expected) << c.what;
        EXPECT_EQ(printed(), c.printed) << c.what;
    }
    // The ".dat" stand-in is the entry named.
    diagnostics = new DByteArrayOutputStream();
    DSystem::err = new DPrintStream(diagnostics);
    resources["/bxm/anim.txt"] = std::nullopt;
    resources["/bxm/anim.dat"] = "ball=b1;b";
    StringManager::loadProperties(u"/bxm/anim");
    EXPECT_EQ(printed(), "StringManager: bxm/anim.dat is cut short: its last line, \"ball=b1;b\", lacks its line end; "
                         "what followed is missing\r\n");
}

// A damaged text is named once however often it is read, and the keys it lost are not named one
// by one after it; a whole text still names each key it lacks.
TEST_F(Properties, ADamagedTextIsNamedOnceAndTheKeysItLostAreNotNamedAgain) {
    const std::string named = "StringManager: res.txt is cut short: its last line, \"sub\", lacks its line end; what "
                              "followed is missing\r\n";
    load("title=Brixmoor\r\nsub");
    load("title=Brixmoor\r\nsub");
    // Damaged another way, the entry has still been named.
    load("title=Brixmoor\r\nsu");
    EXPECT_FALSE(StringManager::getProperty(u"subtitle"));
    EXPECT_FALSE(StringManager::getProperty(u"pause"));
    EXPECT_EQ(printed(), named);

    load("title=Brixmoor\r\n");
    EXPECT_FALSE(StringManager::getProperty(u"subtitle"));
    EXPECT_EQ(printed(),
              named + "StringManager: res.txt has no key \"subtitle\"; any other key it lacks goes unnamed\r\n");

    // A text that cannot be opened was named by its opener.
    resources.erase("/res.txt");
    EXPECT_THROW(StringManager::loadProperties(u"/res"), DIOExceptionPtr);
    EXPECT_FALSE(StringManager::getProperty(u"subtitle"));
    EXPECT_EQ(printed(),
              named + "StringManager: res.txt has no key \"subtitle\"; any other key it lacks goes unnamed\r\n");
}

// A table walks every key of a bucket, and keys can share one hash at will ("Aa" and "BB" do):
// a text keeps its first keys within the bound and names the rest once, left out.
TEST_F(Properties, ATextPastItsKeysKeepsTheFirstAndNamesTheRestOnce) {
    auto sharingOneHash = [](int n) {
        std::vector<std::string> keys;
        for (int bits = 0; bits < n; ++bits) {
            std::string key;
            for (int block = 0; block < 4; ++block) key += (bits >> block & 1) ? "BB" : "Aa";
            keys.push_back(key);
        }
        return keys;
    };
    std::vector<std::string> many;
    for (int i = 0; i <= KeyBudget::keys; ++i) many.push_back("k" + std::to_string(i));
    const std::vector<std::string> sharing = sharingOneHash(KeyBudget::keysOfOneHash + 1);
    for (const auto& keys : {many, sharing}) {
        StringManager::properties = new DHashtable(11, 75);
        diagnostics = new DByteArrayOutputStream();
        DSystem::err = new DPrintStream(diagnostics);
        std::string text;
        for (const std::string& key : keys) text += key + "=v\r\n";
        const Table table = load(text + "after=v\r\n");
        EXPECT_EQ(table.size(), keys.size() - 1);
        EXPECT_FALSE(table.count(keys.back()));
        EXPECT_FALSE(StringManager::getProperty(u"after"));
        EXPECT_EQ(printed(), "StringManager: res.txt holds more keys than a text may (4096, or 8 of one hash): the "
                             "rest are left out\r\n");
    }
}
