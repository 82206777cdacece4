// The program run headless, as a user starts it, on damaged copies of its game data: a game
// whose data is missing or broken is dropped with a diagnostic naming what could not be read
// and the shell comes back; a start that fails says what it could not read and exits with a
// failure status, its sanitizers quiet.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>
#include "game_cases.h"
#include "image_makers.h"
#include "pixelbudget.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string built = std::string(MOSSYARD_BINARY_DIR) + "/bin/";

// A key held for 100 ms.
std::string held(int at, const char* key) {
    return std::to_string(at) + " keydown " + key + "\n" + std::to_string(at + 100) + " keyup " + key + "\n";
}

// Into the brick game, out of it through its menu's exit, and out of the program through the
// shell's exit item. Should the game fail to start, the keys meant for its menu reach the shell
// instead and end on its exit item: either way the program ends by itself.
// Small shell: right selects the brick game; in the game's menu up wraps to its exit and right
// does nothing, while on the shell the three rights undo the up; right and left come back to exit.
const std::string smartphoneKeys = held(3000, "right") + held(3400, "select") + held(10000, "up") +
                                   held(10400, "right") + held(10800, "right") + held(11200, "right") +
                                   held(11600, "select") + held(15000, "right") + held(15400, "left") +
                                   held(15800, "select");
// Large shell: down selects the brick game, up from nothing selects exit; in the game's menu up
// wraps to its exit.
const std::string pocketPcKeys = held(4000, "down") + held(4400, "select") + held(10000, "up") + held(10400, "select") +
                                 held(14000, "up") + held(14400, "select");

struct Outcome {
    int exitCode = -1;
    std::string output;
};

bool sanitizersQuiet(const std::string& output) {
    return output.find("runtime error") == std::string::npos && output.find("Sanitizer") == std::string::npos &&
           output.find("terminate called") == std::string::npos;
}

std::string shell(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
    return output;
}

// One headless run of the program in a folder of its own, beside its own copy of the data.
struct ProgramRun {
    std::string label;
    std::string folder;
    FILE* pipe = nullptr;
    Outcome outcome;
    std::string arguments;  // its own, after those of the whole batch
};

class DamagedData : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder.file("program"));
        fs::copy_file(built + "mossyard", folder.file("program/mossyard"));
    }

    // A folder with the program, its character list and a copy of game.dat.
    std::string prepare(const std::string& label, const std::string& arguments = "") {
        const std::string dir = folder.file("run-" + std::to_string(++made));
        fs::create_directories(dir + "/data");
        std::error_code linked;
        fs::create_hard_link(folder.file("program/mossyard"), dir + "/mossyard", linked);
        if (linked) fs::copy_file(folder.file("program/mossyard"), dir + "/mossyard");
        fs::copy_file(built + "charset.dat", dir + "/charset.dat");
        fs::copy_file(built + "game.dat", dir + "/game.dat");
        runs.push_back(ProgramRun{label, dir, nullptr, {}, arguments});
        return dir;
    }

    static void removeEntry(const std::string& dir, const std::string& entry) {
        ASSERT_EQ(0, std::system(("7zz d -bso0 -bsp0 '" + dir + "/game.dat' '" + entry + "' > /dev/null").c_str()))
            << entry;
    }

    // The entry of the folder's game.dat given other bytes, stored as they are or packed.
    static void replaceEntry(const std::string& dir, const std::string& entry, const std::string& bytes,
                             const std::string& coder = "Copy") {
        removeEntry(dir, entry);
        const std::string stage = dir + "/stage/";
        fs::create_directories(fs::path(stage + entry).parent_path());
        FILE* out = std::fopen((stage + entry).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        const std::string add = "cd '" + stage + "' && 7zz a -bso0 -bsp0 -m0=" + coder + " ../game.dat '" + entry + "'";
        ASSERT_EQ(0, std::system((add + " > /dev/null").c_str())) << entry;
    }

    // An entry of the built game.dat.
    static std::string builtEntry(const std::string& entry) {
        return shell("7zz e -so '" + built + "game.dat' " + entry + " 2>/dev/null");
    }

    // Runs every prepared folder, a few at a time; each must end by itself within a minute.
    void runAll(const std::string& arguments) {
        constexpr size_t together = 4;
        for (size_t first = 0; first < runs.size(); first += together) {
            const size_t end = std::min(runs.size(), first + together);
            for (size_t i = first; i < end; ++i) {
                ProgramRun& run = runs[i];
                const std::string command = "cd '" + run.folder + "' && MOSSYARD_DATA_DIR='" + run.folder +
                                            "/data' timeout 60 ./mossyard --backend headless " + arguments + " " +
                                            run.arguments + " 2>&1";
                run.pipe = popen(command.c_str(), "r");
            }
            for (size_t i = first; i < end; ++i) {
                ProgramRun& run = runs[i];
                char buffer[4096];
                while (size_t n = fread(buffer, 1, sizeof buffer, run.pipe)) run.outcome.output.append(buffer, n);
                const int status = pclose(run.pipe);
                run.outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
    }

    // The brick game's entries for that screen: the plain ones, or the Pocket PC ones.
    static std::vector<std::string> brickEntries(bool pocketPc) {
        std::istringstream listing(shell("7zz l -slt '" + built + "game.dat'"));
        std::vector<std::string> entries;
        const std::string prefix = pocketPc ? "Path = ppc/bxm/" : "Path = bxm/";
        for (std::string line; std::getline(listing, line);)
            if (line.rfind(prefix, 0) == 0) entries.push_back(line.substr(7));
        return entries;
    }

    // Each entry removed in turn: the program never aborts and ends through the exit items; when
    // the game cannot go on, the diagnostic names the entry. The entries listed must fail so.
    void removeEachInTurn(bool pocketPc, const std::vector<std::string>& mustFail) {
        const std::vector<std::string> entries = brickEntries(pocketPc);
        ASSERT_FALSE(entries.empty());
        for (const std::string& entry : entries) removeEntry(prepare(entry), entry);
        folder.write("keys.txt", pocketPc ? pocketPcKeys : smartphoneKeys);
        runAll(std::string("--profile ") + (pocketPc ? "pocketpc" : "smartphone") + " --script '" +
               folder.file("keys.txt") + "'");
        for (const ProgramRun& run : runs) {
            const Outcome& o = run.outcome;
            EXPECT_EQ(o.exitCode, 0) << run.label << ":\n" << o.output;
            EXPECT_TRUE(sanitizersQuiet(o.output)) << run.label << ":\n" << o.output;
            const bool failed = o.output.find("GameLib: the game failed") != std::string::npos;
            if (failed) {
                EXPECT_NE(o.output.find(run.label), std::string::npos) << run.label << ":\n" << o.output;
            }
            if (std::find(mustFail.begin(), mustFail.end(), run.label) != mustFail.end()) {
                EXPECT_TRUE(failed) << run.label << ":\n" << o.output;
            }
        }
    }

    TempFolder folder;
    std::vector<ProgramRun> runs;
    int made = 0;
};

}  // namespace

TEST_F(DamagedData, EachBrickGameEntryRemovedOnTheSmartphone) {
    removeEachInTurn(false, {"bxm/help.txt", "bxm/all.png", "bxm/all.txt", "bxm/anim.txt", "bxm/splash.jpg"});
}

TEST_F(DamagedData, EachBrickGameEntryRemovedOnThePocketPc) {
    removeEachInTurn(true, {"ppc/bxm/help.txt", "ppc/bxm/all.png", "ppc/bxm/all.txt", "ppc/bxm/splash.jpg"});
}

TEST_F(DamagedData, ADamagedPictureOfTheBrickGameNamesItself) {
    // Pictures are stored as they are: a byte of the splash picture is found and flipped.
    const std::string dir = prepare("bxm/splash.jpg");
    const std::string picture = shell("7zz e -so '" + built + "game.dat' bxm/splash.jpg 2>/dev/null");
    ASSERT_GT(picture.size(), 1000u);
    std::string archive = shell("cat '" + dir + "/game.dat'");
    const size_t at = archive.find(picture);
    ASSERT_NE(at, std::string::npos);
    archive[at + picture.size() / 2] = char(archive[at + picture.size() / 2] ^ 0x5A);
    FILE* out = std::fopen((dir + "/game.dat").c_str(), "wb");
    std::fwrite(archive.data(), 1, archive.size(), out);
    std::fclose(out);
    folder.write("keys.txt", smartphoneKeys);
    runAll("--script '" + folder.file("keys.txt") + "'");
    const Outcome& o = runs[0].outcome;
    EXPECT_EQ(o.exitCode, 0) << o.output;
    EXPECT_TRUE(sanitizersQuiet(o.output)) << o.output;
    EXPECT_NE(o.output.find("GameLib: the game failed"), std::string::npos) << o.output;
    EXPECT_NE(o.output.find("bxm/splash.jpg"), std::string::npos) << o.output;
}

TEST_F(DamagedData, AStartThatFailsSaysWhatItCouldNotReadAndExitsWithAFailure) {
    struct Case {
        const char* what;
        const char* damage;  // a shell command run in the program's folder
        const char* named;
    } cases[] = {
        {"no data archive", "rm game.dat", "game.dat: it is missing, or is no regular file"},
        {"a data archive that is none", "echo not an archive > game.dat", "game.dat: it is no 7z archive"},
        // A byte of the header, which lies at the end of the file, changed.
        {"a data archive whose header is damaged",
         "python3 -c \"f = open('game.dat', 'r+b'); f.seek(-10, 2); b = f.read(1)[0]; f.seek(-10, 2); "
         "f.write(bytes([b ^ 0x5A]))\"",
         "game.dat: its header is damaged: it does not match its checksum"},
        // The keys stored as they are, then a byte of them changed: the archive's reason is told.
        {"a damaged key map",
         "mkdir s && 7zz e -bso0 -bsp0 -os game.dat keys.txt && 7zz d -bso0 -bsp0 game.dat keys.txt && "
         "(cd s && 7zz a -bso0 -bsp0 -m0=Copy ../game.dat keys.txt) && "
         "python3 -c \"d = open('game.dat', 'rb').read(); k = open('s/keys.txt', 'rb').read(); "
         "at = d.find(k) + len(k) // 2; f = open('game.dat', 'r+b'); f.seek(at); f.write(bytes([d[at] ^ 0x5A]))\"",
         "game.dat: the entry keys.txt is damaged"},
        {"no logo", "7zz d -bso0 -bsp0 game.dat logo.png", "logo.png"},
        {"no menu font", "7zz d -bso0 -bsp0 game.dat fonts/menu/font_0", "fonts/menu/font_0"},
    };
    for (const Case& c : cases) {
        const std::string dir = prepare(c.what);
        ASSERT_EQ(0, std::system(("cd '" + dir + "' && " + c.damage + " > /dev/null").c_str())) << c.what;
    }
    runAll("--frames 50");
    for (size_t i = 0; i < runs.size(); ++i) {
        const Outcome& o = runs[i].outcome;
        EXPECT_EQ(o.exitCode, 1) << cases[i].what << ":\n" << o.output;
        EXPECT_NE(o.output.find(cases[i].named), std::string::npos) << cases[i].what << ":\n" << o.output;
        EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1) << cases[i].what << ":\n" << o.output;
        // The application is released before the program's statics go.
        EXPECT_TRUE(sanitizersQuiet(o.output)) << cases[i].what << ":\n" << o.output;
    }
    // The archive is named by the path the user finds it at, not the device's.
    EXPECT_NE(runs[0].outcome.output.find("GameLib: cannot open the data archive " + runs[0].folder + "/game.dat:"),
              std::string::npos)
        << runs[0].outcome.output;
    EXPECT_NE(runs[4].outcome.output.find("cannot open the picture /logo.png: the data archive " + runs[4].folder +
                                          "/game.dat has no readable entry logo.png and there is no such file"),
              std::string::npos)
        << runs[4].outcome.output;
}

namespace {

// Keys that choose the game of that registry number from the shell (as the shell lists it on
// that screen), from the time at on; at is then the time of the choice.
std::string choosingKeys(bool pocketPc, int game, int& at) {
    const int smallOrder[] = {0, 7, 6, 3, 4, 5, 2, 1};
    const int steps = pocketPc ? game : smallOrder[game];
    std::string keys;
    for (int i = 0; i <= steps; ++i, at += 400) keys += held(at, pocketPc ? "down" : "right");
    return keys + held(at, "select");
}

// The choice and a close once the game has loaded.
std::string openingKeys(bool pocketPc, int game) {
    int at = 3000;
    const std::string keys = choosingKeys(pocketPc, game, at);
    return keys + std::to_string(at + 9000) + " close\n";
}

std::string repeated(const std::string& text, int times) {
    std::string all;
    while (times-- > 0) all += text;
    return all;
}

}  // namespace

// A text cut short, or a large-screen atlas text missing, is named with its entry: the game
// plays on with what it read, or, with no text for its picture, goes back to the shell.
TEST_F(DamagedData, ATextCutShortOrALargeAtlasTextMissingIsNamed) {
    struct Case {
        const char* entry;
        int keep;  // bytes kept; -1: the entry removed
        bool pocketPc;
        int game;
        const char* named;
    } const cases[] = {
        {"dtv/all.txt", 3600, false, 2, "ImageAtlas: dtv/all.txt is cut short"},
        {"ppc/dtv/all.txt", 7000, true, 2, "ImageAtlas: ppc/dtv/all.txt is cut short"},
        {"bxm/anim.txt", 1000, false, 0, "StringManager: bxm/anim.txt is cut short: its last line"},
        {"fdp/res.txt", 1222, false, 7, "StringManager: fdp/res.txt is cut short: its last line, \"land="},
        {"ppc/tnx/all.txt", -1, true, 3, "no readable entry ppc/tnx/all.txt (tnx/all.txt is laid out for the small"},
    };
    for (const Case& c : cases) {
        const std::string script = "keys-" + std::to_string(made + 1) + ".txt";
        folder.write(script, openingKeys(c.pocketPc, c.game));
        const std::string dir = prepare(c.entry, std::string("--profile ") + (c.pocketPc ? "pocketpc" : "smartphone") +
                                                     " --script '" + folder.file(script) + "'");
        if (c.keep < 0) {
            removeEntry(dir, c.entry);
            continue;
        }
        const std::string bytes = builtEntry(c.entry);
        ASSERT_GT(int(bytes.size()), c.keep) << c.entry;
        replaceEntry(dir, c.entry, bytes.substr(0, size_t(c.keep)));
    }
    runAll("");
    for (size_t i = 0; i < runs.size(); ++i) {
        const Outcome& o = runs[i].outcome;
        EXPECT_EQ(o.exitCode, 0) << cases[i].entry << ":\n" << o.output;
        EXPECT_TRUE(sanitizersQuiet(o.output)) << cases[i].entry << ":\n" << o.output;
        EXPECT_NE(o.output.find(cases[i].named), std::string::npos) << cases[i].entry << ":\n" << o.output;
        const bool failed = o.output.find("GameLib: the game failed") != std::string::npos;
        EXPECT_EQ(failed, cases[i].keep < 0) << cases[i].entry << ":\n" << o.output;
    }
}

// Damage only the loaders can see: each is named in exactly one line, with its entry, and the
// program goes on as for any damaged entry (a game goes back to the shell, a start fails).
TEST_F(DamagedData, DamagedFontsAtlasesAndTextsAreNamedInOneLine) {
    std::string metrics = builtEntry("fonts/menu/font_0");
    ASSERT_GT(metrics.size(), 3u);
    ++metrics.back();  // the last glyph a pixel wider than its strip holds
    std::string resources = builtEntry("fdp/res.txt").substr(0, 1222);
    resources[1219] = '\0';  // in the last line, which the cut leaves without its line end
    std::string picture = builtEntry("bxm/all.png");
    ASSERT_GT(picture.size(), 1000u);
    picture[picture.size() / 2] ^= 0x5A;  // in its pixel data
    struct Case {
        const char* entry;
        std::string bytes;
        bool pocketPc;
        int game;
        int exitCode;
        const char* named;
    } const cases[] = {
        {"fonts/menu/font_0", metrics, false, 0, 1,
         "GameLib: the program cannot start: the font metrics fonts/menu/font_0 are damaged: its glyphs add up to "},
        {"ppc/bxm/all.png", builtEntry("bxm/all.png"), true, 0, 0,
         "GameLib: the game failed: the image atlas ppc/bxm/all.txt is damaged: 58 of its 151 rectangles lie outside "
         "its picture ppc/bxm/all.png"},
        {"bxm/all.txt", builtEntry("bxm/help.txt"), false, 0, 0,
         "GameLib: the game failed: the image atlas bxm/all.txt is damaged: line 1, \"^@"},
        {"fdp/res.txt", resources, false, 7, 0,
         "StringManager: fdp/res.txt is cut short: its last line, \"land=land00.png^@la\", lacks its line end"},
        // Read at each start of the game, its lost keys looked up: named once all the same.
        {"bxm/anim.txt", builtEntry("bxm/anim.txt").substr(0, 400), false, 0, 0,
         "StringManager: bxm/anim.txt is cut short: its last line, \"bxm_bon1=bon1_1.png;bon1_1.png;bon1_1.png;bon1\""},
        {"bxm/splash.jpg", builtEntry("bxm/splash.jpg").substr(0, 200), false, 0, 0,
         "GameLib: the game failed: the picture bxm/splash.jpg is damaged: it is no PNG or JPEG picture that decodes"},
        {"bxm/all.png", picture, false, 0, 0,
         "GameLib: the game failed: the picture bxm/all.png is damaged: it is no PNG or JPEG picture that decodes"},
        // Its poses' pictures lost with it: they are not named pose by pose.
        {"gdr/all.txt", builtEntry("gdr/all.txt").substr(0, 400), false, 5, 0,
         "ImageAtlas: gdr/all.txt is cut short, without the empty line that ends an atlas: it ends inside the line "
         "\"bri\"; the pictures from there on are missing"},
        {"logo.png", builtEntry("logo.png").substr(0, 100), false, 0, 1,
         "GameLib: the program cannot start: the picture logo.png is damaged: it is no PNG or JPEG picture that "
         "decodes"},
    };
    for (const Case& c : cases) {
        const std::string script = "keys-" + std::to_string(made + 1) + ".txt";
        folder.write(script, openingKeys(c.pocketPc, c.game));
        const std::string dir = prepare(c.entry, std::string("--profile ") + (c.pocketPc ? "pocketpc" : "smartphone") +
                                                     " --script '" + folder.file(script) + "'");
        replaceEntry(dir, c.entry, c.bytes);
    }
    runAll("");
    for (size_t i = 0; i < runs.size(); ++i) {
        const Outcome& o = runs[i].outcome;
        EXPECT_EQ(o.exitCode, cases[i].exitCode) << cases[i].entry << ":\n" << o.output;
        EXPECT_EQ(o.output.rfind(cases[i].named, 0), 0u) << cases[i].entry << ":\n" << o.output;
        EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1) << cases[i].entry << ":\n" << o.output;
        EXPECT_EQ(o.output.back(), '\n') << cases[i].entry << ":\n" << o.output;
    }
}

// A text of one line as long as an entry may be, packed small: named in one short line, the
// line quoted only in part; nothing of the game asks for the pictures a cut atlas lost one by one.
TEST_F(DamagedData, AHugeLineIsQuotedInPartAndNamedOnce) {
    struct Case {
        const char* entry;
        std::string bytes;
        int game;  // -1: none opened
        std::string named;
    } const cases[] = {
        {"keys.txt", std::string(size_t(64) << 20, '\0'), -1,
         "StringManager: keys.txt is cut short: its last line, \"" + repeated("^@", 60) +
             "...\", lacks its line end; what followed is missing\n"},
        {"bxm/all.txt", std::string(size_t(8) << 20, 'a'), 0,
         "ImageAtlas: bxm/all.txt is cut short, without the empty line that ends an atlas: it ends inside the line \"" +
             std::string(60, 'a') + "...\"; the pictures from there on are missing\n"},
    };
    for (const Case& c : cases) {
        const std::string script = "keys-" + std::to_string(made + 1) + ".txt";
        folder.write(script, c.game < 0 ? "2000 close\n" : openingKeys(false, c.game));
        replaceEntry(prepare(c.entry, "--script '" + folder.file(script) + "'"), c.entry, c.bytes, "LZMA");
    }
    runAll("");
    for (size_t i = 0; i < runs.size(); ++i) {
        const Outcome& o = runs[i].outcome;
        EXPECT_EQ(o.exitCode, 0) << cases[i].entry << ":\n" << o.output.substr(0, 2000);
        EXPECT_EQ(o.output, cases[i].named) << cases[i].entry << ":\n" << o.output.substr(0, 2000);
    }
}

// Pictures each within the size a picture may have, but more than all pictures may hold at once:
// the one that would pass the budget is named in one line, and the program goes on as for a
// damaged picture (a game goes back to the shell, a start fails).
TEST_F(DamagedData, APicturePastThePixelBudgetIsNamedInOneLine) {
    // Declared only: refused from its header, before its pixels are looked for.
    std::vector<uint8_t> atlas = encodePng({1, 1, PNG_COLOR_TYPE_GRAY, 8, false, {{0}}, {}, {}});
    declarePngSize(atlas, 4096, 4096);
    // Two strips of the menu font, each of its own width and three fifths of the budget: the
    // second finds too little room left.
    std::map<std::string, std::vector<uint8_t>> strips;
    uint32_t width = 0, height = 0;
    for (const char* entry : {"fonts/menu/font_0.png", "fonts/menu/font_1.png"}) {
        const std::string built = builtEntry(entry);
        ASSERT_GT(built.size(), 24u) << entry;
        width = uint32_t(uint8_t(built[18])) << 8 | uint8_t(built[19]);
        height = uint32_t(PixelBudget::limit * 3 / 5 / width);
        const std::vector<std::vector<uint8_t>> rows(height, std::vector<uint8_t>(width));
        strips[entry] = encodePng({width, height, PNG_COLOR_TYPE_GRAY, 8, false, rows, {}, {}});
    }
    const std::string pastBudget =
        " pixels would pass the " + std::to_string(PixelBudget::limit) + " pixels that pictures may hold at once\n";
    const struct {
        std::map<std::string, std::vector<uint8_t>> entries;
        int exitCode;
        std::string named;
    } cases[] = {
        {{{"gdr/all.png", atlas}},
         0,
         "GameLib: the game failed: the picture gdr/all.png is too large: 4096 x 4096" + pastBudget},
        {strips, 1,
         "GameLib: the program cannot start: the picture fonts/menu/font_1.png is too large: " + std::to_string(width) +
             " x " + std::to_string(height) + pastBudget},
    };
    for (const auto& c : cases) {
        const std::string script = "keys-" + std::to_string(made + 1) + ".txt";
        folder.write(script, openingKeys(false, 5));
        const std::string dir = prepare(c.entries.begin()->first, "--script '" + folder.file(script) + "'");
        for (const auto& [entry, bytes] : c.entries)
            replaceEntry(dir, entry, std::string(bytes.begin(), bytes.end()), "LZMA");
    }
    runAll("");
    for (size_t i = 0; i < runs.size(); ++i) {
        const Outcome& o = runs[i].outcome;
        EXPECT_EQ(o.exitCode, cases[i].exitCode) << runs[i].label << ":\n" << o.output;
        EXPECT_EQ(o.output, cases[i].named) << runs[i].label;
    }
}

namespace {

// The choice, the first item of the game's menu chosen (twice: Dotvor's first page is one more
// menu), and a close a little into play.
std::string playingKeys(int game) {
    int at = 3000;
    const std::string keys = choosingKeys(false, game, at);
    return keys + held(at + 2500, "select") + held(at + 3500, "select") + std::to_string(at + 5000) + " close\n";
}

std::vector<std::string> linesOf(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Whether a line shows a source path or a C++ class name, outside what it quotes of the data
// (between its first and last double quote). Entries and resource names hold "/" as well.
bool showsTheSource(std::string line) {
    const size_t open = line.find('"'), close = line.rfind('"');
    if (open != close) line.erase(open, close - open + 1);
    static const std::regex source(R"(\.cpp|\.ptr|\.h:|std::|Exception|\bD[A-Z][a-z])");
    return std::regex_search(line, source);
}

}  // namespace

// The shared texts, or a game's own, cut short, empty or binary: every game that reads them
// plays on, drawing the texts it lacks as nothing, or, without a key that gives it what it plays
// with, goes back to the shell in one line naming the key. No line shows a source path or a
// class name.
TEST_F(DamagedData, EveryGamePlaysOnDamagedTextsOrEndsNamingTheKey) {
    const int rockvale = 1, floodpass = 7;
    const struct {
        const char* entry;
        std::vector<int> games;
        // The games that cannot play without the text, each with the one line that ends it.
        std::map<int, std::string> ends;
    } damagedTexts[] = {
        // Rockvale's shots' speeds are among the shared texts.
        {"res.txt",
         {0, 1, 2, 3, 4, 5, 6, 7},
         {{rockvale, "GameLib: the game failed: the text res.txt has no key dx1k"}}},
        // Floodpass's own hold the lists of its land, craft and plane.
        {"fdp/res.txt", {floodpass}, {{floodpass, "GameLib: the game failed: the text fdp/res.txt has no key tankL1"}}},
    };
    constexpr int leftAlone = -1;
    folder.write("keys-shell.txt", "5000 close\n");
    struct Expected {
        int game;
        std::string end;  // empty: the game plays
    };
    std::vector<Expected> expected;  // by run
    for (const auto& text : damagedTexts) {
        const std::string bytes = builtEntry(text.entry);
        ASSERT_GT(bytes.size(), 300u) << text.entry;
        const struct {
            const char* what;
            std::string bytes;
        } variants[] = {{"cut at byte 300", bytes.substr(0, 300)},
                        {"empty", ""},
                        {"binary", builtEntry("logo.png").substr(0, 300)}};
        for (const auto& variant : variants) {
            // The shell left alone shows the screen a game that ends goes back to.
            std::vector<int> games{leftAlone};
            games.insert(games.end(), text.games.begin(), text.games.end());
            for (int game : games) {
                const std::string script =
                    game == leftAlone ? "keys-shell.txt" : "keys-" + std::to_string(game) + ".txt";
                if (game != leftAlone) folder.write(script, playingKeys(game));
                const std::string label = std::string(text.entry) + " " + variant.what + ", " +
                                          (game == leftAlone ? "shell" : gameNames[game]);
                replaceEntry(prepare(label, "--script '" + folder.file(script) + "'"), text.entry, variant.bytes);
                const auto end = text.ends.find(game);
                expected.push_back({game, end == text.ends.end() ? "" : end->second});
            }
        }
    }
    runAll("--profile smartphone --capture last.png");
    std::string shellScreen;
    for (size_t i = 0; i < runs.size(); ++i) {
        const ProgramRun& run = runs[i];
        const Outcome& o = run.outcome;
        EXPECT_EQ(o.exitCode, 0) << run.label << ":\n" << o.output;
        EXPECT_TRUE(sanitizersQuiet(o.output)) << run.label << ":\n" << o.output;
        // The lines that end a game, and those that name a key.
        std::vector<std::string> ending;
        for (const std::string& line : linesOf(o.output)) {
            EXPECT_FALSE(showsTheSource(line)) << run.label << ": " << line;
            if (line.rfind("GameLib:", 0) == 0 || line.find("has no key") != std::string::npos) ending.push_back(line);
        }
        const std::string screen = shell("cat '" + run.folder + "/last.png'");
        ASSERT_FALSE(screen.empty()) << run.label;
        if (expected[i].game == leftAlone) {
            shellScreen = screen;
        } else if (!expected[i].end.empty()) {
            EXPECT_EQ(ending, std::vector<std::string>{expected[i].end}) << run.label << ":\n" << o.output;
            EXPECT_TRUE(screen == shellScreen) << run.label << ": the shell comes back";
            continue;
        }
        EXPECT_TRUE(ending.empty()) << run.label << ":\n" << o.output;
        if (expected[i].game != leftAlone) {
            EXPECT_FALSE(screen == shellScreen) << run.label << ": the game plays";
        }
    }
}

namespace {

// Two visits to the game from the shell. Each starts play, plays a while, pauses back to the
// game's menu, starts again and plays on, and leaves for the shell; where a game's pages differ
// (Dotvor's one more menu, a score page), the keys still start it more than once a visit.
std::string visitKeys(bool pocketPc, int game, int& at) {
    std::string keys = choosingKeys(pocketPc, game, at);
    const auto play = [&](int from, int to) {
        const char* const moves[] = {"left", "select", "right", "up", "select", "down"};
        for (int t = from, i = 0; t < to; t += 500, ++i) keys += held(t, moves[i % 6]);
    };
    keys += held(at + 2500, "select") + held(at + 3500, "select");
    play(at + 4000, at + 8000);
    keys += held(at + 8500, "softleft") + held(at + 9000, "up") + held(at + 9400, "select");     // the game's menu
    keys += held(at + 10500, "down") + held(at + 10900, "select") + held(at + 11900, "select");  // START again
    play(at + 12400, at + 15000);
    keys += held(at + 15500, "softleft") + held(at + 16000, "up") + held(at + 16400, "select");
    keys += held(at + 17500, "up") + held(at + 17900, "select");  // the shell
    at += 20000;
    return keys;
}

std::string sessionKeys(bool pocketPc, int game) {
    int at = 3000;
    const std::string first = visitKeys(pocketPc, game, at);
    return first + visitKeys(pocketPc, game, at);
}

// The text cut just after a line end, before the line of that key: it looks whole, but lacks
// the keys from there on.
std::string cutBefore(const std::string& text, const std::string& key) {
    return text.substr(0, text.find("\r\n" + key + "=") + 2);
}

// Every third key given another first letter.
std::string keysRenamed(std::string text) {
    int line = 0;
    for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        if (++line % 3 == 0) text[at] = '~';
        if (text.find('\n', at) == std::string::npos) break;
    }
    return text;
}

// Each list of frames longer by names the atlas lacks.
std::string framesMissing(const std::string& text, int names) {
    std::string missing;
    for (int i = 0; i < names; ++i) missing += ";lost" + std::to_string(i) + ".png";
    std::string longer;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        longer += line + missing + "\r\n";
    }
    return longer;
}

// The river's screens made 127, an object in each of their cells, before the levels of the real
// file (which name only screens it has).
std::string screensFullOfObjects(const std::string& real) {
    constexpr size_t cells = 572, kind = 1;
    const size_t count = size_t(real.at(0));
    std::string screen;
    for (size_t cell = 0; cell < cells; ++cell) screen += real.substr(1 + 3 * cell, 2) + char(kind);
    return char(127) + repeated(screen, 127) + real.substr(1 + count * cells * 3);
}

}  // namespace

// Long sessions on each class of damage: the game entered twice, played, its START pressed
// again, back to the shell. Each fault is named once however often it is met: a few lines in
// all, none twice, none naming an entry the archive never had.
TEST_F(DamagedData, LongSessionsNameEachFaultOnce) {
    const int brixmoor = 0, tunnex = 3, tanks = 4, goldrift = 5, swarmline = 6, floodpass = 7;
    const std::string shared = builtEntry("res.txt");
    const struct {
        const char* what;
        const char* entry;
        std::string bytes;
        bool pocketPc;
        int game;
        const char* named;
    } cases[] = {
        {"res.txt cut after a line end, the tank game", "res.txt", cutBefore(shared, "score"), false, tanks,
         "StringManager: res.txt has no key"},
        {"res.txt cut after a line end, Swarmline", "res.txt", cutBefore(shared, "score"), true, swarmline,
         "StringManager: res.txt has no key"},
        {"res.txt with keys renamed, Goldrift", "res.txt", keysRenamed(shared), false, goldrift,
         "StringManager: res.txt has no key"},
        {"frame names missing", "bxm/anim.txt", framesMissing(builtEntry("bxm/anim.txt"), 6000), false, brixmoor,
         "bxm/all.txt lacks"},
        {"every cell a bag", "tnx/data/1.txt", std::string(2, '\0') + std::string(1200, 'B'), false, tunnex,
         "more than the 15 it can hold"},
        {"screens full of objects", "fdp/screens.bin", screensFullOfObjects(builtEntry("fdp/screens.bin")), false,
         floodpass, "fdp/screens.bin drops"},
        {"atlas cut", "gdr/all.txt", builtEntry("gdr/all.txt").substr(0, 400), false, goldrift,
         "ImageAtlas: gdr/all.txt is cut short"},
        {"round cut", "bxm/data/round01.txt", builtEntry("bxm/data/round01.txt").substr(0, 30), false, brixmoor,
         "Brixmoor: round 1 cannot be played"},
        {"map cut", "gdr/maps/1.txt", builtEntry("gdr/maps/1.txt").substr(0, 30), false, goldrift,
         "Goldrift: level 1 cannot be played"},
        {"tank levels cut", "tanks/dat/mapbcl.bin", builtEntry("tanks/dat/mapbcl.bin").substr(0, 100), false, tanks,
         "tanks: level file damaged"},
        {"large atlas empty", "ppc/tnx/all.txt", "", true, tunnex, "ImageAtlas: ppc/tnx/all.txt is cut short"},
    };
    for (const auto& c : cases) {
        const std::string script = "keys-" + std::to_string(made + 1) + ".txt";
        folder.write(script, sessionKeys(c.pocketPc, c.game));
        const std::string dir = prepare(c.what, std::string("--profile ") + (c.pocketPc ? "pocketpc" : "smartphone") +
                                                    " --script '" + folder.file(script) + "'");
        replaceEntry(dir, c.entry, c.bytes, c.bytes.size() > (size_t(1) << 20) ? "LZMA" : "Copy");
    }
    runAll("--frames 2000");
    for (size_t i = 0; i < runs.size(); ++i) {
        const Outcome& o = runs[i].outcome;
        const std::string& label = runs[i].label;
        EXPECT_TRUE(o.exitCode == 0 || o.exitCode == 1) << label << ":\n" << o.output;
        EXPECT_TRUE(sanitizersQuiet(o.output)) << label << ":\n" << o.output.substr(0, 4000);
        EXPECT_NE(o.output.find(cases[i].named), std::string::npos) << label << ":\n" << o.output.substr(0, 4000);
        EXPECT_EQ(o.output.find("has no readable entry"), std::string::npos) << label << ":\n" << o.output;
        std::vector<std::string> lines = linesOf(o.output);
        EXPECT_LE(lines.size(), 4u) << label << ":\n" << o.output.substr(0, 4000);
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(std::adjacent_find(lines.begin(), lines.end()), lines.end()) << label << ":\n"
                                                                               << o.output.substr(0, 4000);
    }
}
