#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "application_test.h"
#include "byte_arrays.h"
#include "dbytearrayoutputstream.h"
#include "dprintstream.h"
#include "drecordstore.h"
#include "dsystem.h"
#include "highscores.h"
#include "options.h"
#include "text.h"

using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DPrintStream;
using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;
using dfc::microedition::rms::DRecordStore;
using dfc::microedition::rms::DRecordStorePtr;

namespace {

class Scores : public ApplicationTest {
protected:
    // What the game menu does with a table: the stored one, or the defaults, saved at once.
    void loadTable() {
        if (HighScores::load(u"bxm", 1, &names, &scores)) return;
        HighScores::defaults(u"---", &names, &scores);
        HighScores::save(u"bxm", 1, names, scores);
    }

    std::string record(const char16_t* store) {
        DRecordStorePtr s = DRecordStore::openRecordStore(store, true);
        std::string bytes = s->getNumRecords() ? textOf(s->getRecord(1)) : std::string("none");
        s->closeRecordStore();
        return bytes;
    }

    void writeRecord(const char16_t* store, const std::string& bytes) {
        DRecordStorePtr s = DRecordStore::openRecordStore(store, true);
        s->setRecord(1, bytesOf(bytes), 0, int(bytes.size()));
        s->closeRecordStore();
    }

    // Lines printed on DSystem::err from here on.
    DByteArrayOutputStreamPtr captureErrors() {
        DByteArrayOutputStreamPtr printed = new DByteArrayOutputStream();
        DSystem::err = new DPrintStream(printed);
        return printed;
    }

    std::string storeFolder(const char* store) const {
        return dataDir.path() + "/registry/HKEY_CURRENT_USER/Software/Velloran/mossyard/" + store;
    }

    std::vector<std::string> table() const {
        std::vector<std::string> rows;
        for (int i = 0; i < names->length; ++i)
            rows.push_back(narrow((*names)[i]) + "=" + std::to_string((*scores)[i]));
        return rows;
    }

    DStringArrayPtr names;
    DintArrayPtr scores;
};

std::string defaultRecord() {
    std::string bytes(1, '\x08');
    for (int i = 0; i < 8; ++i) bytes += std::string("\x00\x04--- \x00\x00\x00\x00", 10);
    bytes.resize(128, '\0');  // 81 bytes written, stored in the stream's 64-byte steps
    return bytes;
}

TEST_F(Scores, TheFirstRunSavesTheDefaultTable) {
    loadTable();
    EXPECT_EQ(std::vector<std::string>(8, "--- =0"), table());
    EXPECT_EQ(defaultRecord(), record(u"bxmhs1"));
    // Read back, not made again.
    names = nullptr;
    loadTable();
    EXPECT_EQ(std::vector<std::string>(8, "--- =0"), table());
}

TEST_F(Scores, ScoresEnterBelowTheirEquals) {
    struct Case {
        int score;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {80, {"a=100", "b=90", "c=80", "new=80", "d=70"}},
        {1000, {"new=1000", "a=100", "b=90", "c=80", "d=70"}},
        {71, {"a=100", "b=90", "c=80", "new=71", "d=70"}},
        {60, {"a=100", "b=90", "c=80", "d=70", "e=60"}},
    };
    for (const Case& c : cases) {
        names = new DStringArray(5, u"a", u"b", u"c", u"d", u"e");
        scores = new DintArray(5, 100, 90, 80, 70, 60);
        HighScores::insert(names, scores, u"new", c.score);
        EXPECT_EQ(c.expected, table()) << c.score;
    }
}

TEST_F(Scores, AScoreEntersWhenItBeatsTheLowestEntry) {
    loadTable();
    EXPECT_FALSE(HighScores::isHighScore(scores, 0));
    EXPECT_TRUE(HighScores::isHighScore(scores, 1));
    EXPECT_FALSE(HighScores::isHighScore(DintArrayPtr(), 5));
    EXPECT_FALSE(HighScores::isHighScore(new DintArray(0), 5));
    EXPECT_TRUE(HighScores::isHighScore(new DintArray(3, 30, 20, 10), 11));
    EXPECT_FALSE(HighScores::isHighScore(new DintArray(3, 30, 20, 10), 10));
}

TEST_F(Scores, NamesAndScoresRoundTrip) {
    loadTable();
    HighScores::insert(names, scores, u"Zo\u00eb \u65e5\u672c", 1234);
    HighScores::insert(names, scores, u"", -5);
    HighScores::save(u"bxm", 1, names, scores);
    std::vector<std::string> saved = table();
    names = nullptr;
    scores = nullptr;
    ASSERT_TRUE(HighScores::load(u"bxm", 1, &names, &scores));
    EXPECT_EQ(saved, table());
    EXPECT_EQ("Zo\u00eb \u65e5\u672c=1234", table()[0]);
}

TEST_F(Scores, TheTableNumberMayComeFirst) {
    loadTable();
    HighScores::insert(names, scores, u"ann", 30);
    HighScores::save(2, u"bxm", names, scores);
    std::vector<std::string> saved = table();
    names = nullptr;
    ASSERT_TRUE(HighScores::load(u"bxm", 2, &names, &scores));
    EXPECT_EQ(saved, table());
    names = nullptr;
    ASSERT_TRUE(HighScores::load(2, u"bxm", &names, &scores));
    EXPECT_EQ(saved, table());
}

TEST_F(Scores, ADamagedTableGivesWayToTheDefaults) {
    const std::pair<const char*, std::string> damaged[] = {
        {"count 0", std::string(64, '\0')},
        {"cut inside a name", std::string("\x02\x00\x05" "ab", 5)},
        {"cut inside a score", std::string("\x01\x00\x01" "a\x00\x00", 6)},
        {"fewer entries than counted", std::string("\x03\x00\x01" "a\x00\x00\x00\x07", 8)},
        {"a broken name", std::string("\x01\x00\x01\x80\x00\x00\x00\x07", 8)},
        {"empty", std::string()},
    };
    for (const auto& [what, bytes] : damaged) {
        writeRecord(u"bxmhs1", bytes);
        loadTable();
        EXPECT_EQ(std::vector<std::string>(8, "--- =0"), table()) << what;
        EXPECT_EQ(defaultRecord(), record(u"bxmhs1")) << what;
    }
    // A store whose only record is not record 1.
    DRecordStore::deleteRecordStore(u"bxmhs1");
    DRecordStorePtr odd = DRecordStore::openRecordStore(u"bxmhs1", true);
    odd->setRecord(2, bytesOf("x"), 0, 1);
    odd->closeRecordStore();
    loadTable();
    EXPECT_EQ(defaultRecord(), record(u"bxmhs1"));
}

TEST_F(Scores, AFailedSaveIsReportedAndKeepsTheOldTable) {
    loadTable();
    DByteArrayOutputStreamPtr printed = captureErrors();
    DStringArrayPtr broken = new DStringArray(2, u"a");  // the second name is missing
    HighScores::save(u"bxm", 1, broken, new DintArray(2, 5, 4));
    EXPECT_EQ("can't save high scores bxmhs1 in " + storeFolder("bxmhs1") + ": the record is malformed\r\n",
              textOf(printed->toByteArray(), printed->size()));
    EXPECT_EQ(defaultRecord(), record(u"bxmhs1"));
}

// Damage is named, with the store's folder and what is wrong, before the defaults or the next
// save replace it; a store read again and again is named once.
TEST_F(Scores, ADamagedRecordIsNamedOnceBeforeItIsReplaced) {
    DByteArrayOutputStreamPtr printed = captureErrors();
    writeRecord(u"op_bxmB", std::string("\x01\x02", 2));
    for (int start = 0; start < 3; ++start) EXPECT_EQ(0, Options::load(u"bxmB", 0));
    writeRecord(u"bxmhs1", std::string("\x02\x00\x05"
                                       "ab",
                                       5));
    loadTable();
    loadTable();
    EXPECT_EQ(std::vector<std::string>(8, "--- =0"), table());
    writeRecord(u"bxmhs2", std::string(64, '\0'));
    HighScores::load(u"bxm", 2, &names, &scores);
    writeRecord(u"bxmhs3", "x");
    std::filesystem::resize_file(storeFolder("bxmhs3") + "/=1", 1 << 30);  // sparse: no disk taken
    HighScores::load(u"bxm", 3, &names, &scores);
    EXPECT_EQ("can't read option bxmB in " + storeFolder("op_bxmB") +
                  ": the record is cut short; its default is used\r\n"
                  "can't read high scores bxmhs1 in " +
                  storeFolder("bxmhs1") +
                  ": the record is cut short; the defaults replace them\r\n"
                  "can't read high scores bxmhs2 in " +
                  storeFolder("bxmhs2") +
                  ": the table has no entries; the defaults replace them\r\n"
                  "can't read high scores bxmhs3 in " +
                  storeFolder("bxmhs3") + ": larger than the limit of 1048576 bytes; the defaults replace them\r\n",
              textOf(printed->toByteArray(), printed->size()));
    Options::save(u"bxmB", 1);
    EXPECT_EQ(1, Options::load(u"bxmB", 0));
}

// The store's folder is a file: a failure that permission bits cannot stand in for under root.
TEST_F(Scores, AFailedSaveNamesTheFolderAndTheReasonOncePerStore) {
    DByteArrayOutputStreamPtr printed = captureErrors();
    std::filesystem::create_directories(storeFolder(""));
    for (const char* store : {"op_bxmsfx_level", "op_bxmopenlevel", "bxmhs1"}) std::ofstream(storeFolder(store));
    for (int attempt = 0; attempt < 40; ++attempt) {
        Options::save(u"bxmsfx_level", attempt);
        Options::save(u"bxmopenlevel", attempt);
    }
    HighScores::defaults(u"---", &names, &scores);
    HighScores::save(u"bxm", 1, names, scores);
    HighScores::save(u"bxm", 1, names, scores);
    EXPECT_EQ("can't save option bxmsfx_level in " + storeFolder("op_bxmsfx_level") + ": Not a directory\r\n" +
                  "can't save option bxmopenlevel in " + storeFolder("op_bxmopenlevel") + ": Not a directory\r\n" +
                  "can't save high scores bxmhs1 in " + storeFolder("bxmhs1") + ": Not a directory\r\n",
              textOf(printed->toByteArray(), printed->size()));
}

TEST_F(Scores, OptionsRoundTripInA64ByteRecord) {
    for (int value : {3, 0, -1, 0x12345678}) {
        Options::save(u"bxmsfx_level", value);
        EXPECT_EQ(value, Options::load(u"bxmsfx_level", 2));
    }
    Options::save(u"bxmopenlevel", 7);
    EXPECT_EQ(std::string("\x00\x00\x00\x07", 4) + std::string(60, '\0'), record(u"op_bxmopenlevel"));
}

TEST_F(Scores, AnUnsavedOrDamagedOptionReadsAsItsDefaultWithoutWriting) {
    EXPECT_EQ(2, Options::load(u"bxmmusic_level", 2));
    EXPECT_EQ("none", record(u"op_bxmmusic_level"));
    writeRecord(u"op_bxmB", std::string("\x01\x02", 2));
    EXPECT_EQ(0, Options::load(u"bxmB", 0));
    EXPECT_EQ(std::string("\x01\x02", 2), record(u"op_bxmB"));
}

TEST_F(Scores, AnOptionThatCannotBeSavedIsReported) {
    DByteArrayOutputStreamPtr printed = captureErrors();
    Options::save(u"bad\\\\key", 1);  // an empty key name inside: the registry refuses it
    EXPECT_EQ(
        "can't save option bad\\\\key in " + dataDir.path() + "/registry/HKEY_CURRENT_USER: a key name is empty\r\n",
        textOf(printed->toByteArray(), printed->size()));
}

}  // namespace
