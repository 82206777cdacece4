// Image atlases, the sprites cut from them in every transform, and animations.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include <vector>
#include "animation.h"
#include "captured_diagnostics.h"
#include "d7zipinputstream.h"
#include "dbytearrayoutputstream.h"
#include "ddamageddataexception.h"
#include "dioexception.h"
#include "dgraphics.h"
#include "dhashtable.h"
#include "dimage.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "gameimage.h"
#include "gamelib.h"
#include "imageatlas.h"
#include "keybudget.h"
#include "pixelbudget.h"
#include "platform.h"
#include "program_fixture.h"
#include "stringmanager.h"

using dfc::io::D7zipInputStream;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::lang::DStringArray;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

namespace {

constexpr uint16_t white = 0xFFFF;
constexpr int atlasWidth = 7, atlasHeight = 4;

uint16_t atlasPixel(int x, int y) { return uint16_t(0x2000 + x * 16 + y); }

class AtlasTest : public ProgramTest {
protected:
    void writeAtlas(const std::string& text) {
        std::vector<uint16_t> pixels;
        for (int y = 0; y < atlasHeight; ++y)
            for (int x = 0; x < atlasWidth; ++x) pixels.push_back(atlasPixel(x, y));
        writePicture("t/atlas.png", atlasWidth, atlasHeight, pixels);
        folder.write("t/atlas.txt", text);
    }
};

// The sprite "sq": 3 x 2 pixels at (1, 1) of the atlas, so that no turn maps it onto itself.
const char* const spriteLine = "sq;1;1;3;2\r\n";

// Pixel (i, j) of the sprite as the transform shows it, from the untransformed sprite.
uint16_t shown(int code, int i, int j) {
    const int w = 3, h = 2;
    int sx = i, sy = j;
    switch (code) {
    case 2: sx = w - 1 - i; break;
    case 3: sx = w - 1 - i, sy = h - 1 - j; break;
    case 5: sx = j, sy = h - 1 - i; break;  // a quarter turn clockwise
    case 6: sx = w - 1 - j, sy = i; break;  // a quarter turn counter-clockwise
    default: break;
    }
    return atlasPixel(1 + sx, 1 + sy);
}

}  // namespace

TEST_F(AtlasTest, EverySuffixDrawsTheSpriteTurnedItsWay) {
    writeAtlas(spriteLine);
    inProgram([] {
        GameLib::loadImageSet(u"/t/atlas");
        struct Case {
            const char16_t* name;
            int code, width, height;
        } cases[] = {
            {u"sq", 0, 3, 2}, {u"sq_mr", 2, 3, 2}, {u"sq_lv", 3, 3, 2}, {u"sq_dn", 5, 2, 3}, {u"sq_up", 6, 2, 3}};
        for (const Case& c : cases) {
            GameImagePtr sprite = GameImage::load(c.name);
            EXPECT_EQ(sprite->transformCode, c.code);
            EXPECT_EQ(sprite->width, c.width);
            EXPECT_EQ(sprite->height, c.height);
            for (bool variant : {false, true}) {
                DImagePtr target = DImage::createImage(12, 10);
                ImageAtlas::currentGraphics = target->getGraphics();
                if (variant)
                    GameImage::drawFrameVariant(4, 5, sprite);
                else
                    sprite->drawAt(4, 5);
                std::vector<uint16_t> expected(12 * 10, white);
                for (int j = 0; j < c.height; ++j)
                    for (int i = 0; i < c.width; ++i) expected[(5 + j) * 12 + 4 + i] = shown(c.code, i, j);
                EXPECT_EQ(pixelsOf(target), expected) << platform::narrow(c.name) << (variant ? " variant" : "");
            }
        }
    });
}

TEST_F(AtlasTest, TurnedRectanglesAreMeasuredOnTheTurnedAtlas) {
    // The atlas is 7 x 4: a mirrored x is 7 - width - x, a quarter-turned one 4 - height - y.
    writeAtlas(spriteLine);
    inProgram([] {
        GameLib::loadImageSet(u"/t/atlas");
        GameImagePtr mirrored = GameImage::load(u"sq_mr");
        EXPECT_EQ(mirrored->x, 3);
        GameImagePtr down = GameImage::load(u"sq_dn");
        EXPECT_EQ(std::vector<int>({down->x, down->y}), std::vector<int>({1, 1}));
        GameImagePtr up = GameImage::load(u"sq_up");
        EXPECT_EQ(std::vector<int>({up->x, up->y}), std::vector<int>({1, 3}));
    });
}

TEST_F(AtlasTest, TheTextEndsAtAnEmptyLineOrItsEnd) {
    struct Case {
        const char* text;
        std::vector<const char16_t*> found, missing;
    } cases[] = {
        {"a;0;0;1;1\r\nb;1;0;2;2", {u"a", u"b"}, {}},
        {"a;0;0;1;1\r\n\r\nb;1;0;2;2\r\n", {u"a"}, {u"b"}},
        {"b;1;0;2;2;extra;more\r\n", {u"b"}, {}},
        {"", {}, {u"a"}},
    };
    for (const Case& c : cases) {
        writeAtlas(c.text);
        inProgram([&] {
            GameLib::loadImageSet(u"/t/atlas");
            for (const char16_t* name : c.found) EXPECT_TRUE(ImageAtlas::find(name)) << c.text;
            for (const char16_t* name : c.missing) EXPECT_FALSE(ImageAtlas::find(name)) << c.text;
        });
    }
}

TEST_F(AtlasTest, ALaterLineReplacesAnEarlierOneAndAnUnknownNameIsEmpty) {
    writeAtlas("sq;0;0;1;1\r\nsq;1;1;3;2\r\n");
    inProgram([] {
        GameLib::loadImageSet(u"/t/atlas");
        EXPECT_EQ(GameImage::load(u"sq")->width, 3);
        GameImagePtr unknown = GameImage::load(u"nothing_mr");
        ASSERT_TRUE(unknown);
        EXPECT_EQ(std::vector<int>({unknown->x, unknown->y, unknown->width, unknown->height}),
                  std::vector<int>({0, 0, 0, 0}));
        DImagePtr target = DImage::createImage(4, 4);
        ImageAtlas::currentGraphics = target->getGraphics();
        unknown->drawAt(0, 0);
        EXPECT_EQ(pixelsOf(target), std::vector<uint16_t>(16, white));
    });
}

TEST(AnimationTest, EachFrameShowsForItsDelayAndTheWrapIsReported) {
    AnimationPtr animation = Animation::AnimationFromCount(3);
    for (int i = 0; i < 3; ++i) animation->addFrame(GameImage::load(u"none"));
    std::vector<int> shown;
    std::vector<bool> finished;
    animation->paint(0, 0);
    EXPECT_EQ(animation->current, 0) << "not playing before reset";
    animation->reset();
    for (int call = 0; call < 8; ++call) {
        shown.push_back(animation->current);
        animation->paint(0, 0);
        finished.push_back(animation->finished);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 0}));
    EXPECT_EQ(finished, (std::vector<bool>{false, false, false, false, false, false, true, false}));
    EXPECT_TRUE(animation->toString().isNull());
}

TEST(AnimationTest, ALoweredDelayStillMovesTheAnimationOn) {
    AnimationPtr animation = Animation::AnimationFromCount(2);
    animation->delay = 5;
    animation->reset();
    for (int call = 0; call < 4; ++call) animation->paint(0, 0);
    animation->delay = 1;
    animation->paint(0, 0);
    EXPECT_EQ(animation->current, 1);
}

// The pictures an atlas lacks are named once for the atlas, with how many of the first list
// that meets them, however many lists name others.
TEST_F(AtlasTest, AFrameNameMissingFromTheAtlasIsReportedOnce) {
    writeAtlas(std::string(spriteLine) + "\r\n");
    inProgram([] {
        GameLib::loadImageSet(u"/t/atlas");
        dfc::io::DByteArrayOutputStreamPtr bytes = new dfc::io::DByteArrayOutputStream();
        DSystem::err = new dfc::io::DPrintStream(bytes);
        const std::u16string longName(70, u'n');
        AnimationPtr animation =
            Animation::AnimationFromNames(new DStringArray(3, u"sq_up", longName.c_str(), u"gone"));
        EXPECT_EQ(animation->frames->length, 3);
        EXPECT_EQ(animation->frames[0]->width, 2);
        EXPECT_EQ(animation->added, 0);
        for (int list = 0; list < 1000; ++list) Animation::AnimationFromNames(new DStringArray(2, u"other", u"gone"));
        const std::string printed(reinterpret_cast<const char*>(bytes->toByteArray()->data), bytes->size());
        EXPECT_EQ(printed, "Animation: the image atlas t/atlas.txt lacks 2 of the 3 pictures of a list, the first \"" +
                               std::string(60, 'n') + "...\"; the others it lacks go unnamed\r\n");
    });
}

TEST_F(AtlasTest, AnAnimationByKeyNeedsItsListAndEveryFrame) {
    writeAtlas(std::string(spriteLine) + "\r\n");
    struct Case {
        const char16_t* key;
        int frames;  // 0: no animation
        const char* printed;
    };
    const Case cases[] = {
        {u"spin", 3, ""},
        {u"absent", 0, "StringManager: the text table has no key \"absent\"; any other key it lacks goes unnamed\r\n"},
        {u"broken", 0,
         "Animation: the image atlas t/atlas.txt lacks 1 of the 2 pictures of a list, the first \"gone\"; the others "
         "it lacks go unnamed\r\n"},
    };
    inProgram([&] {
        GameLib::loadImageSet(u"/t/atlas");
        StringManager::properties = new dfc::util::DHashtable(11, 75);
        StringManager::properties->put(DStringPtr(u"spin"), DStringPtr(u"sq;sq_up;sq_mr"));
        StringManager::properties->put(DStringPtr(u"broken"), DStringPtr(u"sq;gone"));
        for (const Case& c : cases) {
            dfc::io::DByteArrayOutputStreamPtr bytes = new dfc::io::DByteArrayOutputStream();
            DSystem::err = new dfc::io::DPrintStream(bytes);
            AnimationPtr animation = Animation::fromProperty(c.key);
            const std::string printed(reinterpret_cast<const char*>(bytes->toByteArray()->data), bytes->size());
            EXPECT_EQ(animation ? animation->frames->length : 0, c.frames) << platform::narrow(c.key);
            EXPECT_EQ(printed, c.printed) << platform::narrow(c.key);
        }
        StringManager::properties = nullptr;
    });
}

// An atlas text ends with an empty line: one that ends without it was cut short, and says
// where; the pictures read before the cut stay, and those after it are not named one by one.
TEST_F(AtlasTest, ATextCutShortIsNamedWithWhereItEnds) {
    const std::string cut = "ImageAtlas: t/atlas.txt is cut short, without the empty line that ends an atlas: ";
    const std::string longName(70, 'b'), quotedName = "\"" + longName.substr(0, 60) + "...\"";
    struct Case {
        const char* what;
        std::string text;
        std::vector<const char16_t*> found;
        std::string printed;
    } const cases[] = {
        {"whole", "a;0;0;1;1\r\nb;1;0;2;2\r\n\r\n", {u"a", u"b"}, ""},
        {"cut after a line", "a;0;0;1;1\r\nb;1;0;2;2\r\n", {u"a", u"b"},
         cut + "it ends after the picture \"b\"; the pictures after it are missing\r\n"},
        {"cut inside a line", "a;0;0;1;1\r\nb;1;0", {u"a"},
         cut + "it ends inside the line \"b;1;0\"; the pictures from there on are missing\r\n"},
        {"cut after a separator", "a;0;0;1;1\r\nb;1;", {u"a"},
         cut + "it ends inside the line \"b;1;\"; the pictures from there on are missing\r\n"},
        {"cut inside the end line", "a;0;0;1;1\r\n\r", {u"a"},
         cut + "it ends after the picture \"a\"; the pictures after it are missing\r\n"},
        {"cut before its first byte", "", {}, cut + "it is empty\r\n"},
        {"cut after a long name", "a;0;0;1;1\r\n" + longName + ";0;0;1;1\r\n", {u"a"},
         cut + "it ends after the picture " + quotedName + "; the pictures after it are missing\r\n"},
        {"cut inside a long line", "a;0;0;1;1\r\n" + longName, {u"a"},
         cut + "it ends inside the line " + quotedName + "; the pictures from there on are missing\r\n"},
        {"whole after a cut", "a;0;0;1;1\r\n\r\n", {u"a"}, ""},
    };
    for (const Case& c : cases) {
        writeAtlas(c.text);
        inProgram([&] {
            beginDiagnostics();
            GameLib::loadImageSet(u"/t/atlas");
            for (const char16_t* name : c.found) EXPECT_TRUE(ImageAtlas::find(name)) << c.what;
            EXPECT_EQ(printedDiagnostics(), c.printed) << c.what;
            Animation::AnimationFromNames(new DStringArray(1, u"gone"));
            const std::string lacking =
                "Animation: the image atlas t/atlas.txt lacks 1 of the 1 pictures of a list, the "
                "first \"gone\"; the others it lacks go unnamed\r\n";
            EXPECT_EQ(printedDiagnostics(), c.printed.empty() ? lacking : c.printed) << c.what;
            endDiagnostics();
        });
    }
}

// Names that share one hash ("Aa" and "BB" do) past the bound: the first are kept, the rest left
// out and named once, so that a text cannot make its table's filling grow with its square.
TEST_F(AtlasTest, PicturesPastTheKeysOfOneHashAreLeftOutAndNamedOnce) {
    std::vector<std::string> names;
    for (int bits = 0; bits <= KeyBudget::keysOfOneHash; ++bits) {
        std::string name;
        for (int block = 0; block < 4; ++block) name += (bits >> block & 1) ? "BB" : "Aa";
        names.push_back(name);
    }
    std::string text;
    for (const std::string& name : names) text += name + ";0;0;1;1\r\n";
    writeAtlas(text + "after;0;0;1;1\r\n\r\n");
    inProgram([&] {
        beginDiagnostics();
        GameLib::loadImageSet(u"/t/atlas");
        GameLib::loadImageSet(u"/t/atlas");
        for (size_t i = 0; i < names.size(); ++i) {
            const std::u16string name(names[i].begin(), names[i].end());
            EXPECT_EQ(bool(ImageAtlas::find(name.c_str())), i + 1 < names.size()) << names[i];
        }
        EXPECT_FALSE(ImageAtlas::find(u"after"));
        EXPECT_EQ(printedDiagnostics(), "ImageAtlas: t/atlas.txt holds more keys than a text may (4096, or 8 of one "
                                        "hash): the rest are left out\r\n");
        endDiagnostics();
    });
}

// A text that is no atlas, or whose rectangles would cut noise out of the picture (7 x 4), is
// refused with one message naming it, and leaves no atlas to draw from.
TEST_F(AtlasTest, ADamagedTextIsRefusedNamingItsEntry) {
    // A help text's strings begin with their length: a NUL, and here a unit separator.
    const char helpLike[] = "\0\x1fHelp text\r\nwith lines of words";
    const std::string damaged = "the image atlas t/atlas.txt is damaged: ";
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    } const cases[] = {
        {"too few fields", "a;0;0;1;1\r\nb;0;0;1\r\n\r\n",
         damaged + "line 2, \"b;0;0;1\", is not name;x;y;width;height"},
        {"a field no number", "a;0;0;1;x\r\n\r\n", damaged + "line 1, \"a;0;0;1;x\", is not name;x;y;width;height"},
        {"a negative field", "a;-1;0;1;1\r\n\r\n", damaged + "line 1, \"a;-1;0;1;1\", is not name;x;y;width;height"},
        {"a number too long", "a;0;0;1;0000000001\r\n\r\n",
         damaged + "line 1, \"a;0;0;1;0000000001\", is not name;x;y;width;height"},
        {"a text of another kind", std::string(helpLike, sizeof helpLike - 1),
         damaged + "line 1, \"" + std::string(helpLike, 11) + "\", is not name;x;y;width;height"},
        {"another kind, without line ends", std::string(helpLike, 11),
         damaged + "line 1, \"" + std::string(helpLike, 11) + "\", is not name;x;y;width;height"},
        {"a control byte in a name", "a\x01;0;0;1;1\r\n\r\n",
         damaged + "line 1, \"a\x01;0;0;1;1\", is not name;x;y;width;height"},
        {"cut short after a field that is no number", "a;0;0;1;1\r\nb;1;x",
         damaged + "line 2, \"b;1;x\", is not name;x;y;width;height"},
        {"a long line", "a" + std::string(70, ';') + "\r\n\r\n",
         damaged + "line 1, \"a" + std::string(59, ';') + "...\", is not name;x;y;width;height"},
        {"outside", "in;0;0;7;4\r\nwide;1;0;7;1\r\ndeep;0;2;1;3\r\n\r\n",
         damaged +
             "2 of its 3 rectangles lie outside its picture t/atlas.png (7 x 4), the first \"wide\" at (1, 0) 7 x 1"},
        {"outside, with a long name", std::string(70, 'w') + ";1;0;7;1\r\n\r\n",
         damaged + "1 of its 1 rectangles lie outside its picture t/atlas.png (7 x 4), the first \"" +
             std::string(60, 'w') + "...\" at (1, 0) 7 x 1"},
        {"empty", "e;2;2;0;1\r\n\r\n",
         damaged +
             "1 of its 1 rectangles lie outside its picture t/atlas.png (7 x 4), the first \"e\" at (2, 2) 0 x 1"},
    };
    for (const Case& c : cases) {
        writeAtlas(c.text);
        inProgram([&] {
            beginDiagnostics();
            try {
                GameLib::loadImageSet(u"/t/atlas");
                ADD_FAILURE() << c.what << ": loaded";
            } catch (DDamagedDataExceptionPtr& e) {
                const DStringPtr message = e->getMessage();
                EXPECT_EQ(std::string(message->chars(), message->chars() + message->length()), c.message) << c.what;
            }
            EXPECT_FALSE(ImageAtlas::find(u"a")) << c.what;
            EXPECT_FALSE(ImageAtlas::find(u"in")) << c.what;
            EXPECT_EQ(ImageAtlas::width, 0) << c.what;
            EXPECT_EQ(printedDiagnostics(), "") << c.what;
            endDiagnostics();
        });
    }
}

// Without room for every turned copy the atlas keeps none, nor itself: a turned sprite is never
// cut from the unturned picture. Its room is free again, and with room enough it loads whole.
TEST_F(AtlasTest, AnAtlasWithoutRoomForAllItsTurnedCopiesIsRefusedWhole) {
    writeAtlas(spriteLine);
    inProgram([] {
        // Room for the atlas and one copy, not two.
        const int room = int(PixelBudget::room()), left = 2 * atlasWidth * atlasHeight + 1;
        DImagePtr most = DImage::createImage(1024, (room - left) / 1024);
        DImagePtr rest = DImage::createImage((room - left) % 1024, 1);
        try {
            GameLib::loadImageSet(u"/t/atlas");
            ADD_FAILURE() << "loaded";
        } catch (DDamagedDataExceptionPtr& e) {
            EXPECT_EQ(platform::narrow(e->getMessage()->chars()),
                      "the turned copies of the image atlas t/atlas.png: a picture of 4 x 7 pixels would pass the " +
                          std::to_string(PixelBudget::limit) + " pixels that pictures may hold at once");
        }
        for (int code : {0, 2, 3, 5, 6}) EXPECT_FALSE(ImageAtlas::picture(code)) << code;
        EXPECT_EQ(PixelBudget::room(), uint64_t(left));
        most = nullptr;
        GameLib::loadImageSet(u"/t/atlas");
        for (int code : {2, 3, 5, 6}) EXPECT_NE(ImageAtlas::picture(code).get(), ImageAtlas::picture(0).get()) << code;
    });
}

using PocketPcAtlasTest = PocketPcProgramTest;

// A large screen draws the large picture of the archive: the small screen's rectangles are
// never paired with it, so an atlas whose large-screen text is missing does not load.
TEST_F(PocketPcAtlasTest, ALargePictureIsNeverCutByTheSmallScreensText) {
    writePicture("large.png", 4, 4, std::vector<uint16_t>(16, 0x1234));
    writePicture("small.png", 2, 2, std::vector<uint16_t>(4, 0x4321));
    Files atlas{{"t/all.png", folder.read("small.png")},
                {"t/all.txt", "a;0;0;2;2\r\n\r\n"},
                {"ppc/t/all.png", folder.read("large.png")}};
    pack("game.dat", atlas);
    inProgram([] {
        D7zipInputStream::openArchive(u"game.dat", u"");
        try {
            GameLib::loadImageSet(u"/t/all");
            ADD_FAILURE() << "loaded";
        } catch (DDamagedDataExceptionPtr& e) {
            const std::string message = platform::narrow(e->getMessage()->chars());
            EXPECT_NE(message.find("no readable entry ppc/t/all.txt (t/all.txt is laid out for the small screen)"),
                      std::string::npos)
                << message;
        }
        EXPECT_FALSE(ImageAtlas::find(u"a"));
    });
    std::filesystem::remove(folder.file("game.dat"));
    atlas.push_back({"ppc/t/all.txt", "a;0;0;4;4\r\n\r\n"});
    pack("game.dat", atlas);
    inProgram([] {
        D7zipInputStream::openArchive(u"game.dat", u"");
        GameLib::loadImageSet(u"/t/all");
        EXPECT_EQ(GameImage::load(u"a")->width, 4);
        EXPECT_EQ(ImageAtlas::width, 4);
    });
}
