// The builder refuses sources that would break the game, naming the place.
#include <gtest/gtest.h>
#include <map>
#include "assettool.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

// A data tree of one folder "t" holding `files` (path -> bytes).
struct Fixture {
    std::map<std::string, std::string> files;
};

const std::string smallFont =
    "face DejaVuSans\nsize 10\ncase mixed\nspacing 1\n"
    "part 0 ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.,!?%\npart 1 \xc3\x84\npart 2 \xc2\xa9\n";

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

ToolRun build(const Fixture& fixture, const TempFolder& folder) {
    for (const auto& [path, bytes] : fixture.files) folder.write("data/t/" + path, bytes);
    return runBuilder(folder.file("data"), folder.file("out/game.dat"));
}

struct Refusal {
    const char* what;
    Fixture fixture;
    const char* place;   // file and line the message must name
    const char* reason;  // words the message must hold
};

const Refusal refusals[] = {
    {"two names share a hash",
     {{{"manifest.txt", "raw Aa.txt a.txt\nraw BB.txt a.txt\n"}, {"a.txt", "x"}}},
     "data/t/manifest.txt:2", "share the hash"},
    {"a name hashes to zero",
     {{{"manifest.txt", "raw bkscqfwg.txt a.txt\n"}, {"a.txt", "x"}}},
     "data/t/manifest.txt:1", "hashes to 0"},
    {"a sound tried as .wav shares the hash of another entry",
     {{{"manifest.txt", "music Aa.mod tune.score\nraw BB.wav a.txt\n"},
       {"tune.score", "instrument i wave=sine decay=50\npattern A 1\n1 i : C4\norder A\n"},
       {"a.txt", "x"}}},
     "data/t/manifest.txt", "share the hash"},
    {"properties lines without CR",
     {{{"manifest.txt", "props res.txt res.txt\n"}, {"res.txt", "a=1\nb=2\n"}}},
     "data/t/res.txt:1", "CR LF"},
    {"an empty line inside properties",
     {{{"manifest.txt", "props res.txt res.txt\n"}, {"res.txt", "a=1\r\n\r\nb=2\r\n"}}},
     "data/t/res.txt:2", "empty line inside"},
    {"a key given twice across files",
     {{{"manifest.txt", "props res.txt res.txt\nprops+ res.txt more.txt\n"},
       {"res.txt", "a=1\r\n"}, {"more.txt", "a=2\r\n"}}},
     "data/t/more.txt:1", "already given at data/t/res.txt:1"},
    {"an atlas picture named with a transform ending",
     {{{"manifest.txt", "atlas all all.atlas\n"},
       {"all.atlas", "width 64\nball.png = b.grid\nball_up = b.grid\n"},
       {"b.grid", "x #ffffff\n---\nxx\nxx\n"}}},
     "data/t/all.atlas:3", "ends in _up"},
    {"an animation frame missing from its atlas",
     {{{"manifest.txt", "atlas all all.atlas\nanim anim.txt anim.txt atlas=all\n"},
       {"all.atlas", "width 64\nball.png = b.grid\n"},
       {"b.grid", "x #ffffff\n---\nxx\n"},
       {"anim.txt", "spin=ball.png;ball.png_mr;bat.png\r\n"}}},
     "data/t/anim.txt:1", "bat.png is not a picture"},
    {"magenta in a JPEG",
     {{{"manifest.txt", "picture back.jpg back.draw\n"}, {"back.draw", "size 8 8\nfill #ff00ff\n"}}},
     "data/t/back.draw", "colour key 0xF81F"},
    {"more than 127 glyphs in a font part",
     {{{"manifest.txt", "font fonts/big big.font\n"},
       {"big.font",
        "face DejaVuSans\nsize 10\ncase mixed\n"
        "part 0 ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"
        "\xc3\x80\xc3\x81\xc3\x82\xc3\x83\xc3\x84\xc3\x85\xc3\x86\xc3\x87\xc3\x88\xc3\x89\xc3\x8a\xc3\x8b\xc3\x8c"
        "\xc3\x8d\xc3\x8e\xc3\x8f\xc3\x90\xc3\x91\xc3\x92\xc3\x93\xc3\x94\xc3\x95\xc3\x96\xc3\x98\xc3\x99\xc3\x9a"
        "\xc3\x9b\xc3\x9c\xc3\x9d\xc3\x9e\xc3\x9f\xc3\xa0\xc3\xa1\xc3\xa2\xc3\xa3\n"
        "part 1 \xc3\xa4\npart 2 \xc2\xa9\n"}}},
     "data/t/big.font:4", "at most 127"},
    {"a font taller than its place allows",
     {{{"manifest.txt", "font fonts/menu menu.font\n"},
       {"menu.font", "face DejaVuSans-Bold\nsize 30\nmaxheight 18\npart 0 AB\npart 1 C\npart 2 D\n"}}},
     "data/t/menu.font", "at most 18"},
    {"a help word starting with %",
     {{{"manifest.txt", "font fonts/small small.font\nhelp help.txt help.txt\n"},
       {"small.font", smallFont},
       {"help.txt", "Catch the ball.\nPress %fire to shoot.\n"}}},
     "data/t/help.txt:2", "starts with '%'"},
    {"a help text longer than the page holds",
     {{{"manifest.txt", "font fonts/small small.font\nhelp help.txt help.txt\n"},
       {"small.font", smallFont},
       {"help.txt", repeated("One more line.\n", 260)}}},
     "data/t/help.txt", "the help page holds 250"},
    {"a picture line naming a picture the game lacks",
     {{{"manifest.txt", "font fonts/small small.font\nhelp help.txt help.txt pictures=2\n"},
       {"small.font", smallFont},
       {"help.txt", "%1\nBricks\n%2\n"}}},
     "data/t/help.txt:3", "does not exist"},
    {"a picture the code draws missing from its atlas",
     {{{"manifest.txt", "atlas all all.atlas\nneed all ball.png paddle.png_mr\n"},
       {"all.atlas", "width 64\nball.png = b.grid\n"},
       {"b.grid", "x #ffffff\n---\nx\n"}}},
     "data/t/manifest.txt:2", "paddle.png_mr"},
    {"a level text with bare LF line ends",
     {{{"manifest.txt", "raw lvl/1.txt 1.txt text\n"}, {"1.txt", "#..#\r\n#..#\n####\r\n"}}},
     "data/t/1.txt:2", "LF alone"},
    {"a level text whose last line has no line end",
     {{{"manifest.txt", "raw lvl/1.txt 1.txt text\n"}, {"1.txt", "#..#\r\n####"}}},
     "data/t/1.txt:2", "no CR LF"},
    {"an entry name with a leading slash",
     {{{"manifest.txt", "raw /menu/a.txt a.txt\n"}, {"a.txt", "x"}}},
     "data/t/manifest.txt:1", "without a leading '/'"},
};

TEST(AssetBuilderRefuses, BrokenSourcesNamingThePlace) {
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        ToolRun run = build(refusal.fixture, folder);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(refusal.place), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(refusal.reason), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(folder.file("out/game.dat")));
    }
}

// The same kinds of sources, well made, build: the refusals above come from the faults.
TEST(AssetBuilderRefuses, NothingWhenTheSourcesAreSound) {
    Fixture fixture{{{"manifest.txt",
                      "props res.txt res.txt\nprops+ res.txt more.txt\nneedkeys res.txt a b\n"
                      "atlas all all.atlas\nanim anim.txt anim.txt atlas=all\nneed all ball.png_up\n"
                      "picture back.jpg back.draw +ppc\nfont fonts/small small.font\n"
                      "help help.txt help.txt pictures=1 +ppc\nsound hit.wav hit.sfx\n"
                      "raw lvl/1.txt level.txt text\n"},
                     {"level.txt", "#..#\r\n\r\n####\r\n"},
                     {"res.txt", "a=1\r\n"},
                     {"more.txt", "b=2\r\n"},
                     {"all.atlas", "width 64\nball.png = b.grid\n"},
                     {"b.grid", "x #ffffff\n. transparent\n---\nx.\n.x\n"},
                     {"anim.txt", "spin=ball.png;ball.png_mr\r\n"},
                     {"back.draw", "size 8 8\nfill #203040-#80a0c0\n"},
                     {"small.font", smallFont},
                     {"help.txt", "%0\nCatch the ball. 100% fun!\n\nMore.\n"},
                     {"hit.sfx", "voice wave=square freq=440..880 length=40\n"}}};
    TempFolder folder;
    ToolRun run = build(fixture, folder);
    ASSERT_EQ(run.status, 0) << run.output;
    std::filesystem::path stage = folder.file("out/game.dat.stage");
    EXPECT_TRUE(std::filesystem::exists(stage / "ppc" / "help.txt"));
    EXPECT_TRUE(std::filesystem::exists(stage / "ppc" / "fonts" / "small" / "font_0.png"));
    EXPECT_FALSE(std::filesystem::exists(stage / "ppc" / "fonts" / "small" / "font_0"));
    EXPECT_EQ(readBytes(stage / "res.txt"), "a=1\r\nb=2\r\n");
    EXPECT_EQ(readBytes(stage / "all.txt"), "ball.png;0;0;2;2\r\n\r\n");
}

}  // namespace

// The game's archive reader knows the Copy and LZMA coders only: the read-back check refuses
// an archive packed with any other.
TEST(AssetBuilderRefuses, AnArchiveWithACoderTheGameCannotRead) {
    TempFolder folder;
    folder.write("a.txt", repeated("some text\r\n", 50));
    const std::string tool = std::string(MOSSYARD_BINARY_DIR) + "/tools/assetbuild";
    struct Case {
        const char* coder;
        int status;
    };
    for (const Case& c : {Case{"PPMd", 1}, Case{"BZip2", 1}, Case{"LZMA", 0}, Case{"Copy", 0}}) {
        SCOPED_TRACE(c.coder);
        const std::string archive = folder.file(std::string(c.coder) + ".7z");
        ASSERT_EQ(runCommand("cd '" + folder.file("") + "' && 7zz a -t7z -m0=" + c.coder + " '" + archive + "' a.txt")
                      .status,
                  0);
        ToolRun run = runCommand("'" + tool + "' check '" + archive + "'");
        EXPECT_EQ(run.status, c.status) << run.output;
        if (c.status != 0) {
            EXPECT_NE(run.output.find("a.txt is packed with"), std::string::npos) << run.output;
        }
    }
}
