// The help page: laying a help text out in lines and pictures, scrolling it and its scroll bar.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "animation.h"
#include "captured_diagnostics.h"
#include "gameimage.h"
#include "dobjectarray.h"
#include "dstringarray.h"
#include "gamemenu.h"
#include "helplayout.h"
#include "imagefont.h"
#include "keystate.h"
#include "menu_input.h"
#include "menu_screen.h"
#include "screencanvas.h"
#include "started_app.h"
#include "stringmanager.h"

using dfc::lang::DObjectArray;
using dfc::lang::DObjectArrayPtr;
using dfc::lang::DObjectPtr;
using dfc::lang::DString;
using dfc::lang::DStringArray;

namespace {

// A help text as the game data stores it: each paragraph a modified-UTF-8 string.
std::string helpFile(const std::vector<std::string>& paragraphs) {
    std::string bytes;
    for (const std::string& p : paragraphs) bytes += std::string{char(p.size() >> 8), char(p.size() & 0xFF)} + p;
    return bytes;
}

// What each line of the layout holds: its text, "picture N" or "" for an empty line.
std::vector<std::string> layoutLines(const std::vector<AnimationPtr>& pictures = {}) {
    std::vector<std::string> lines;
    for (int i = 0; i < HelpLayout::lineCount; ++i) {
        DObjectPtr line = HelpLayout::line(i);
        if (auto* text = dynamic_cast<DString*>(line.get())) {
            lines.push_back(platform::narrow(text->chars()));
            continue;
        }
        std::string shown = line ? "picture ?" : "";
        for (size_t p = 0; p < pictures.size(); ++p)
            if (line.get() == pictures[p].get()) shown = "picture " + std::to_string(p);
        lines.push_back(shown);
    }
    return lines;
}

// The layout as it was when it measured each line again from its start, quadratic in a long
// paragraph: the laid-out lines must not change.
std::vector<std::string> measuringFromTheStart(const std::u16string& text, int charsPerLine, int maxWidth,
                                               const ImageFontPtr& font) {
    std::vector<std::string> lines;
    auto line = [&](int from, int to) {
        lines.push_back(platform::narrow(text.substr(size_t(from), size_t(to - from))));
    };
    int start = 0, lastSpace = 0;
    for (int i = 0; i < int(text.size()); ++i) {
        const char16_t c = text[size_t(i)];
        bool ends = false;
        int end = 0, next = start;
        if ((c == u'\n' || c == u' ') && i - start > charsPerLine &&
            font->stringWidth(text.substr(size_t(start), size_t(i - start)).c_str()) > maxWidth) {
            ends = true;
            if (lastSpace - 1 > start) {
                end = lastSpace - 1;
                next = lastSpace + 1;
            } else {
                end = start + charsPerLine - 1;
                next = start + charsPerLine;
            }
            if (c == u'\n') {
                if (next == i)
                    next = i + 1;
                else
                    i = next - 1;
            }
        } else if (c == u'\n') {
            ends = true;
            end = i - 1;
            next = i + 1;
        }
        if (c == u' ') lastSpace = i;
        if (ends) line(start, end + 1);
        start = next;
    }
    return lines;
}

// A font of fixed widths that counts the characters measured: the work of a layout.
class CountingFont : public ImageFont {
public:
    int charWidth(char16_t c) override {
        ++measured;
        return c == u'z' ? 0 : 6;
    }
    int64_t measured = 0;
};

class Help : public StartedAppTest {
protected:
    GameMenuPtr laidOut(const std::vector<std::string>& paragraphs, const DObjectPtr& pictures) {
        folder.write("help/test_help.txt", helpFile(paragraphs));
        GameMenuPtr menu = new GameMenu();
        menu->layoutText(u"/help/test_help.txt", pictures);
        menu->mode = GameMenu::helpPage;
        return menu;
    }

    static DObjectArrayPtr threePictures(std::vector<AnimationPtr>* kept) {
        DObjectArrayPtr pictures = new DObjectArray(3);
        for (int i = 0; i < 3; ++i) {
            kept->push_back(new Animation());
            pictures[i] = (*kept)[size_t(i)];
        }
        return pictures;
    }
};

}  // namespace

TEST_F(Help, ParagraphsBecomeLinesAndPictureLinesBecomePictures) {
    inProgram([this] {
        std::vector<AnimationPtr> pictures;
        laidOut({"How to play", "%2", "%", "%x1", "%9", "", " ", "Go!"}, threePictures(&pictures));
        EXPECT_EQ(layoutLines(pictures), (std::vector<std::string>{"How to play", "picture 2", "%", "%x1", "%9", "",
                                                                   " ", "Go!"}));
    });
}

TEST_F(Help, PicturesMayBeOneAnimationOrNone) {
    inProgram([this] {
        AnimationPtr only = new Animation();
        laidOut({"%0", "%1"}, only);
        EXPECT_EQ(layoutLines({only}), (std::vector<std::string>{"picture 0", "%1"}));
        laidOut({"%0", "text"}, nullptr);
        EXPECT_EQ(layoutLines(), (std::vector<std::string>{"%0", "text"}));
    });
}

// A damaged help text is named once, however often it is laid out, and what was read before the
// damage is shown.
TEST_F(Help, ADamagedTextIsNamedOnceAndWhatWasReadIsShown) {
    const std::string whole = helpFile({"first", "second"});
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> lines;
        std::string printed;  // after "Help: <entry>"
    } cases[] = {
        {"whole", whole, {"first", "second"}, ""},
        {"empty", "", {}, " is empty: every text it holds is missing"},
        {"cut inside a paragraph",
         whole.substr(0, whole.size() - 2),
         {"first"},
         " is cut short: its paragraph 2 lacks its end; what followed is missing"},
        {"cut inside a length",
         helpFile({"first"}) + '\0',
         {"first"},
         " is cut short: its paragraph 2 lacks its end; what followed is missing"},
        {"no modified UTF-8",
         helpFile({"first", "\xff"}),
         {"first"},
         " is damaged: its paragraph 2 is no modified UTF-8; it and what followed are missing"},
    };
    inProgram([&] {
        beginDiagnostics();
        int made = 0;
        for (const auto& c : cases) {
            const std::string name = "help/" + std::to_string(++made) + "_help.txt";
            folder.write(name, c.bytes);
            for (int layout = 0; layout < 2; ++layout) {
                GameMenuPtr menu = new GameMenu();
                menu->layoutText(platform::widen("/" + name).c_str(), nullptr);
                EXPECT_EQ(layoutLines(), c.lines) << c.what;
            }
            const std::string named = c.printed.empty() ? "" : "Help: " + name + c.printed + "\r\n";
            EXPECT_EQ(printedDiagnostics(), named) << c.what;
            endDiagnostics();
            beginDiagnostics();
        }
        endDiagnostics();
    });
}

TEST_F(Help, LongParagraphsBreakAtBlanksOrAfterAFullLineWithoutThem) {
    inProgram([this] {
        const std::string word(200, 'm');
        laidOut({word, "short words that go on and on until they no longer fit on one line of the page"}, nullptr);
        const int perLine = GameMenu::charsPerLine;
        ASSERT_GT(perLine, 1);
        std::vector<std::string> lines = layoutLines();
        ASSERT_GT(lines.size(), 3u);
        EXPECT_EQ(lines[0], word.substr(0, size_t(perLine)));
        EXPECT_EQ(lines[1], word.substr(size_t(perLine), size_t(perLine)));
        const int maxWidth = ScreenCanvas::screenWidth - 2 * (ScreenCanvas::screenWidth >> 3) - 4;
        for (const std::string& line : lines) {
            EXPECT_NE(line.front(), ' ') << line;
            if (line[0] == 'm') continue;
            EXPECT_LE(ScreenCanvas::fonts[6]->stringWidth(platform::widen(line).c_str()), maxWidth) << line;
        }
    });
}

TEST_F(Help, WordsAfterABreakStayWholeWhileABlankIsInReach) {
    inProgram([this] {
        // Each paragraph takes several lines, so that lines break again after a break.
        const std::string paragraphs[] = {
            "Take every piece of gold in the level: the exit opens when the last one is gone. Walk through the "
            "open door to reach the next level. Seventy-five levels wait below.",
            "a bb ccc dddd eeeee ffffff ggggggg hhhhhhhh iiiiiiiii jjjjjjjjjj kkkkkkkkkkk llllllllllll mm",
            "Seventy-five Seventy-five Seventy-five Seventy-five Seventy-five Seventy-five Seventy-five",
            "x yy Seventy-five x yy Seventy-five x yy Seventy-five x yy Seventy-five x yy Seventy-five",
        };
        const int maxWidth = ScreenCanvas::screenWidth - 2 * (ScreenCanvas::screenWidth >> 3) - 4;
        for (const std::string& paragraph : paragraphs) {
            laidOut({paragraph}, nullptr);
            const std::vector<std::string> lines = layoutLines();
            EXPECT_GT(lines.size(), 2u) << paragraph;
            std::string joined;
            for (const std::string& line : lines) {
                joined += (joined.empty() ? "" : " ") + line;
                EXPECT_LE(ScreenCanvas::fonts[6]->stringWidth(platform::widen(line).c_str()), maxWidth) << line;
            }
            EXPECT_EQ(joined, paragraph) << "a word was cut or a blank lost";
        }
    });
}

TEST_F(Help, TextsInAColumnAsWideAsTwoWordsBreakWhereTheyShould) {
    inProgram([] {
        const ImageFontPtr font = ScreenCanvas::fonts[6];
        const int maxWidth = font->stringWidth(u"aaaa bbbb");
        const int charsPerLine = maxWidth / font->stringWidth(u"W");
        const struct {
            std::u16string text;
            std::vector<std::string> lines;
        } cases[] = {
            {u"aaaa bbbb\ncccc\n", {"aaaa bbbb", "cccc"}},
            {u"aaaa bbbb cccc dddd eeee\n", {"aaaa bbbb", "cccc dddd", "eeee"}},
            {u"aaaa bbbb cc\ndd\n", {"aaaa bbbb", "cc", "dd"}},
            // The blank before the line feed is where the line breaks; the line feed still ends the paragraph.
            {u"aaaa bbbb \ncccc dddd\n", {"aaaa bbbb", "cccc dddd"}},
            {u"aaaa bbbb aaaa bbbb \n\ncccc\n", {"aaaa bbbb", "aaaa bbbb", "", "cccc"}},
        };
        for (const auto& c : cases) {
            HelpLayout::layout(c.text.c_str(), nullptr, charsPerLine, maxWidth, font);
            EXPECT_EQ(layoutLines(), c.lines) << platform::narrow(c.text);
        }
    });
}

TEST_F(Help, LinesAreThoseOfALayoutThatMeasuresEachLineFromItsStart) {
    inProgram([] {
        const ImageFontPtr font = ScreenCanvas::fonts[6];
        // Blanks, line feeds, wide and narrow letters and one the font lacks (zero wide), mixed at random.
        const std::u16string letters = u"  \nmmWi\x01aa";
        uint32_t seed = 39;
        auto random = [&seed](uint32_t below) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 16) % below;
        };
        for (int round = 0; round < 3000; ++round) {
            std::u16string text;
            const uint32_t length = random(120);
            for (uint32_t i = 0; i < length; ++i) text += letters[random(uint32_t(letters.size()))];
            if (random(2)) text += u'\n';
            const int charsPerLine = int(random(8)) + 1;
            const int maxWidth = int(random(60));
            HelpLayout::layout(text.c_str(), nullptr, charsPerLine, maxWidth, font);
            ASSERT_EQ(layoutLines(), measuringFromTheStart(text, charsPerLine, maxWidth, font))
                << "\"" << platform::narrow(text) << "\" in " << maxWidth << " pixels, " << charsPerLine << " a line";
        }
    });
}

TEST_F(Help, LayoutWorkGrowsWithTheTextNotItsSquare) {
    inProgram([] {
        // One unbroken word, words of letters, and words the font draws zero wide that never fill a line.
        const std::u16string units[] = {u"m", u"mmmm ", u"zzzz "};
        for (const std::u16string& unit : units) {
            int64_t measured[2] = {};
            const size_t sizes[] = {64 * 1024, 1024 * 1024};
            for (int s = 0; s < 2; ++s) {
                std::u16string text;
                while (text.size() < sizes[s]) text += unit;
                text += u'\n';
                auto* counting = new CountingFont();
                const ImageFontPtr font = counting;
                HelpLayout::layout(text.c_str(), nullptr, 20, 100, font);
                measured[s] = counting->measured;
                // Fatal, so that a layout gone quadratic fails here rather than spend hours on a MiB.
                ASSERT_LE(measured[s], 2 * int64_t(text.size())) << "each character measured twice at most";
            }
            EXPECT_LT(double(measured[1]) / double(measured[0]), 20.0) << platform::narrow(unit);
        }
    });
}

TEST_F(Help, ATextOfMoreThanTwoHundredAndFiftyLinesKeepsThemAll) {
    inProgram([this] {
        std::vector<std::string> paragraphs;
        for (int i = 0; i < 300; ++i) paragraphs.push_back("line " + std::to_string(i));
        GameMenuPtr menu = laidOut(paragraphs, nullptr);
        ASSERT_EQ(HelpLayout::lineCount, 300);
        EXPECT_EQ(layoutLines()[299], "line 299");
        KeyState::down = true;
        for (int i = 0; i < 400; ++i) {
            handleAfterPause(menu);
        }
        EXPECT_EQ(menu->firstVisible, 300 - menu->visibleCount) << "scrolling stops at the last line";
    });
}

TEST_F(Help, AClearedLayoutHoldsNoLinesAndItsPageStillPaints) {
    inProgram([this] {
        GameMenuPtr menu = laidOut({"one", "two"}, nullptr);
        ASSERT_EQ(HelpLayout::lineCount, 2);
        HelpLayout::clear();
        EXPECT_EQ(HelpLayout::lineCount, 0);
        EXPECT_FALSE(HelpLayout::line(0));
        menu->paint();
        KeyState::down = true;
        handleAfterPause(menu);
        EXPECT_EQ(menu->firstVisible, 0);
    });
}

TEST_F(Help, AFontWithoutTheLetterWStillLaysOut) {
    inProgram([this] {
        // The help font with its "W" taken out.
        ImageFontPtr small = ScreenCanvas::fonts[6];
        ImageFontPtr withoutW = new ImageFont(*small);
        withoutW->charsets = new DStringArray(ImageFont::partSlots);
        for (int part = 0; part < ImageFont::partSlots; ++part)
            withoutW->charsets[part] = small->charsets[part]->replace(u'W', u'\x01');
        ScreenCanvas::fonts[6] = withoutW;
        laidOut({"Words the font cannot show", "12 34"}, nullptr);
        ScreenCanvas::fonts[6] = small;
        EXPECT_EQ(GameMenu::charsPerLine, 1);
        EXPECT_EQ(layoutLines(), (std::vector<std::string>{"Words the font", "cannot show", "12 34"}));
    });
}

TEST_F(Help, FireAndTheRightSoftKeyTurnThePageAndTheLeftSoftKeyCloses) {
    inProgram([this] {
        std::vector<std::string> paragraphs;
        for (int i = 0; i < 40; ++i) paragraphs.push_back("line " + std::to_string(i));
        GameMenuPtr menu = laidOut(paragraphs, nullptr);
        menu->paint();
        const int page = menu->visibleCount;
        EXPECT_EQ(menu->lastDrawnLine, page - 1);
        KeyState::fire = true;
        handleAfterPause(menu);
        KeyState::fire = false;
        EXPECT_EQ(menu->firstVisible, page - 1) << "the last line of a page heads the next";
        for (int i = 0; i < 10; ++i) {
            menu->paint();
            KeyState::rightSoft = true;
            handleAfterPause(menu);
        }
        KeyState::rightSoft = false;
        EXPECT_EQ(menu->firstVisible, 40 - page) << "the last page ends with the last line";
        EXPECT_FALSE(menu->closeRequested);
        KeyState::leftSoft = true;
        handleAfterPause(menu);
        EXPECT_TRUE(menu->closeRequested);
    });
}

TEST_F(Help, APageDownMovesOnEvenWhenAPictureFilledThePage) {
    inProgram([this] {
        // A picture line takes the width of its first frame in height: this one more than a page.
        AnimationPtr tall = Animation::AnimationFromCount(1);
        GameImagePtr frame = GameImage::load(u"no such picture");
        frame->width = 1000;
        tall->frames[0] = frame;
        std::vector<std::string> paragraphs = {"%0"};
        for (int i = 0; i < 40; ++i) paragraphs.push_back("line " + std::to_string(i));
        GameMenuPtr menu = laidOut(paragraphs, tall);
        menu->paint();
        EXPECT_EQ(menu->lastDrawnLine, 0);
        KeyState::fire = true;
        handleAfterPause(menu);
        EXPECT_EQ(menu->firstVisible, 1);
    });
}

TEST_F(Help, ALineThatWouldRunIntoTheLabelsWaitsForTheNextPage) {
    inProgram([this] {
        // A picture line so tall that the text line after it starts two pixels above the labels.
        AnimationPtr picture = Animation::AnimationFromCount(1);
        GameImagePtr frame = GameImage::load(u"no such picture");
        picture->frames[0] = frame;
        std::vector<std::string> paragraphs = {"%0"};
        for (int i = 0; i < 10; ++i) paragraphs.push_back("mmmm mmmm mmmm mmmm");
        GameMenuPtr menu = laidOut(paragraphs, picture);
        frame->width = GameMenu::helpBottom - GameMenu::helpTop - 4;
        const platform::Picture& screen = shown(menu);
        const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
        const int quitWidth = ScreenCanvas::fonts[2]->stringWidth(StringManager::getProperty(u"quit"));
        const int downWidth = ScreenCanvas::fonts[2]->stringWidth(StringManager::getProperty(u"down"));
        constexpr uint16_t white565 = 0xFFFF;
        EXPECT_EQ(marked(screen, quitWidth + 1, GameMenu::helpBottom, width - downWidth - 1, height, white565), 0)
            << "nothing but the labels below the text";
        EXPECT_EQ(menu->lastDrawnLine, 0);
        KeyState::fire = true;
        handleAfterPause(menu);
        EXPECT_EQ(menu->firstVisible, 1) << "the next page starts with the line that did not fit";
        shown(menu);
        EXPECT_GT(menu->lastDrawnLine, 1);
    });
}

TEST_F(Help, TappingTheTextScrollsAndTappingQuitCloses) {
    inProgram([this] {
        std::vector<std::string> paragraphs;
        for (int i = 0; i < 40; ++i) paragraphs.push_back("line " + std::to_string(i));
        GameMenuPtr menu = laidOut(paragraphs, nullptr);
        auto tapAt = [&](int x, int y) { tapMenu(menu, x, y); };
        const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
        tapAt(width / 2, GameMenu::helpBottom - 2);
        EXPECT_EQ(menu->firstVisible, 1) << "the lower half scrolls on";
        tapAt(width / 2, GameMenu::helpTop + 2);
        EXPECT_EQ(menu->firstVisible, 0) << "the upper half scrolls back";
        tapAt(width / 2, GameMenu::helpTop + 2);
        EXPECT_EQ(menu->firstVisible, 0);
        EXPECT_FALSE(menu->closeRequested);
        tapAt(3, height - 2);
        EXPECT_TRUE(menu->closeRequested);
    });
}

TEST(ScrollThumb, StaysInsideItsTrack) {
    struct Case {
        int track, lines, visible, first;
        int offset, length;
    } cases[] = {
        {100, 40, 10, 0, 0, 25},    // the first page
        {100, 40, 10, 30, 74, 25},  // the last page: the thumb's frame ends on the track's last row
        {100, 4, 10, 0, 0, 99},     // fewer lines than fit: the thumb fills the track
        {100, 40, 10, 60, 74, 25},  // scrolled past the end by a game
        {100, 10, 10, 0, 0, 99},
    };
    for (const Case& c : cases) {
        GameMenu::Thumb thumb = GameMenu::scrollThumb(c.track, c.lines, c.visible, c.first);
        EXPECT_EQ(thumb.offset, c.offset) << c.lines << " lines from " << c.first;
        EXPECT_EQ(thumb.length, c.length) << c.lines << " lines from " << c.first;
        EXPECT_LE(thumb.offset + thumb.length + 1, c.track);
    }
}
