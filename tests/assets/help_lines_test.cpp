// The builder's count of a help text's lines: the lines the game's help page shows, so that a
// text the builder lets through fits the page.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "fonts/fontmetrics.h"
#include "gamemenu.h"
#include "helplayout.h"
#include "imagefont.h"
#include "screencanvas.h"
#include "started_app.h"
#include "texts/helptext.h"

namespace {

// The game's font as the builder describes one.
assets::FontMetrics metricsOf(ImageFont& font) {
    assets::FontMetrics metrics;
    for (int part = 0; part < font.partCount; ++part) {
        const dfc::lang::DStringPtr chars = font.charsets[part];
        for (int i = 0; i < chars->length(); ++i) {
            metrics.parts[size_t(part)].chars += char32_t(chars->charAt(i));
            metrics.parts[size_t(part)].widths.push_back(font.widths[part][i]);
        }
    }
    metrics.spacing = font.spacing;
    metrics.upperCase = font.upperCase;
    return metrics;
}

// A help text as the game data stores it: each paragraph a modified-UTF-8 string.
std::string helpFile(const std::vector<std::string>& paragraphs) {
    std::string bytes;
    for (const std::string& p : paragraphs) bytes += std::string{char(p.size() >> 8), char(p.size() & 0xFF)} + p;
    return bytes;
}

std::string repeated(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

class BuilderHelp : public StartedAppTest {};

}  // namespace

TEST_F(BuilderHelp, TheBuilderCountsTheLinesTheGameShows) {
    const struct {
        const char* what;
        std::vector<std::string> paragraphs;
    } cases[] = {
        {"prose",
         {"Take every piece of gold in the level: the exit opens when the last one is gone. Walk through "
          "the open door to reach the next level. Seventy-five levels wait below."}},
        // Each blank that ends a line is where the next line may break.
        {"blanks that cut", {repeated("iiiiiiiiii ", 30), repeated("Seventy-five ", 12)}},
        {"blanks after a long word", {std::string(40, 'm') + "  i i i i i i i i i i i i i i i i i i i i i i i"}},
        // The blank that ends the first paragraph overflows a full line of the help font: the
        // line feed right after that cut ends the paragraph, and the next starts after it.
        {"a line feed right after a cut",
         {std::string(16, 'i') + " " + std::string(15, 'i') + " ", std::string(20, 'm')}},
        {"words without blanks", {std::string(200, 'm'), std::string(61, 'i'), "m " + std::string(90, 'W')}},
        {"empty paragraphs", {"", repeated("mmm ", 15), "", "", repeated("mmm ", 16)}},
    };
    inProgram([&] {
        const ImageFontPtr font = ScreenCanvas::fonts[6];
        const assets::FontMetrics metrics = metricsOf(*font);
        for (const auto& c : cases) {
            folder.write("help/test_help.txt", helpFile(c.paragraphs));
            GameMenuPtr menu = new GameMenu();
            menu->layoutText(u"/help/test_help.txt", nullptr);
            std::u32string text;
            for (const std::string& p : c.paragraphs) text += std::u32string(p.begin(), p.end()) + U'\n';
            EXPECT_GT(HelpLayout::lineCount, int(c.paragraphs.size())) << c.what << ": some paragraph breaks";
            EXPECT_EQ(assets::HelpText::layoutLines(text, metrics, ScreenCanvas::screenWidth), HelpLayout::lineCount)
                << c.what;
        }
    });
}
