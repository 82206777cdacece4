#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <set>
#include "alpharasterop.h"
#include "canvas.h"
#include "combinerrasterop.h"
#include "opaquerasterop.h"
#include "pixelrows.h"

namespace {

using Picture = std::vector<std::string>;
const std::map<uint16_t, char> inkLegend{{0, '.'}, {0xFFFF, '#'}};

// Counts the writes to each pixel: every write adds one.
struct CountingCombiner : PixelCombiner {
    uint16_t combine(uint16_t, uint16_t existing) override { return existing + 1; }
};

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The blend worked out one channel at a time.
uint16_t blendReference(uint16_t c, uint16_t d, uint32_t alpha) {
    int w5 = int(alpha >> 3), w6 = int(alpha >> 2);
    auto channel = [](int cv, int dv, int w, int scale) { return dv + floorDiv((cv - dv) * w, scale); };
    int r = channel(c >> 11, d >> 11, w5, 32);
    int g = channel((c >> 5) & 63, (d >> 5) & 63, w6, 64);
    int b = channel(c & 31, d & 31, w5, 32);
    return uint16_t((r << 11) | (g << 5) | b);
}

}  // namespace

TEST(Blend, HalfWhiteOverBlackIsHalfGrey) {
    EXPECT_EQ(0x7BEF, blend565(0xFFFF, 0x0000, 128));
    EXPECT_EQ(0x0000, blend565(0xFFFF, 0x0000, 0));
    // 255 weighs 31 of 32 and 63 of 64: not quite the colour.
    EXPECT_EQ(0xF7DE, blend565(0xFFFF, 0x0000, 255));
}

TEST(Blend, MatchesThePerChannelBlendForRandomPixels) {
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        auto c = uint16_t(random()), d = uint16_t(random());
        uint32_t alpha = random() & 0xFF;
        ASSERT_EQ(blendReference(c, d, alpha), blend565(c, d, alpha))
            << std::hex << c << " over " << d << " at " << alpha;
    }
}

TEST(PixelRows, BlockRoutinesAgreeWithSinglePixelsAtEveryLengthAndAlignment) {
    std::mt19937 random(11);
    // Two rows 80 pixels apart, starting at every offset within a 16-byte block.
    const size_t stride = 80;
    const ptrdiff_t pitch = 2 * stride;
    for (size_t offset = 0; offset < 8; ++offset)
        for (size_t count = 0; count < 70; ++count) {
            std::vector<uint16_t> src(2 * stride), dst(2 * stride);
            for (auto& p : src) p = random() & 3 ? uint16_t(random()) : 0xF81F;
            for (auto& p : dst) p = uint16_t(random());
            uint32_t alpha = random() & 0xFF;
            auto colour = uint16_t(random());
            auto expect = [&](auto pixel) {
                auto expected = dst;
                for (size_t row : {offset, offset + stride})
                    for (size_t i = row; i < row + count; ++i) expected[i] = pixel(i);
                return expected;
            };

            auto filled = dst;
            fillPixelRows(&filled[offset], pitch, count, 2, colour);
            ASSERT_EQ(expect([&](size_t) { return colour; }), filled) << offset << " " << count;

            auto keyed = dst;
            copyPixelRowsKeyed(&keyed[offset], pitch, &src[offset], pitch, count, 2, 0xF81F);
            ASSERT_EQ(expect([&](size_t i) { return src[i] == 0xF81F ? dst[i] : src[i]; }), keyed)
                << offset << " " << count;

            auto blended = dst;
            blendPixelRows(&blended[offset], pitch, &src[offset], pitch, count, 2, alpha);
            ASSERT_EQ(expect([&](size_t i) { return blend565(src[i], dst[i], alpha); }), blended)
                << offset << " " << count;

            auto tinted = dst;
            blendFillRows(&tinted[offset], pitch, count, 2, colour, alpha);
            ASSERT_EQ(expect([&](size_t i) { return blend565(colour, dst[i], alpha); }), tinted)
                << offset << " " << count;
        }
}

TEST(OpaqueFill, EqualBytesFillTheWholeBufferRowPaddingIncluded) {
    for (uint16_t colour : {0x0000, 0xFFFF, 0x4242}) {
        std::unique_ptr<Surface> s(Surface::Create(5, 3));
        std::memset(s->pixels(), 0x5A, size_t(s->pitch) * 3);
        OpaqueRasterOp::instance().fill(*s, colour);
        for (int i = 0; i < s->pitch * 3; ++i) ASSERT_EQ(colour & 0xFF, s->pixels()[i]) << i;
    }
}

TEST(OpaqueFill, OtherColoursFillEveryPixelAndLeaveRowPaddingAtAnyWidth) {
    std::vector<uint32_t> widths{175, 176, 240};
    for (uint32_t w = 1; w <= 33; ++w) widths.push_back(w);
    for (uint32_t width : widths) {
        std::unique_ptr<Surface> s(Surface::Create(width, 4));
        std::memset(s->pixels(), 0x5A, size_t(s->pitch) * 4);
        OpaqueRasterOp::instance().fill(*s, 0xF800);
        for (uint32_t y = 0; y < 4; ++y) {
            for (uint32_t x = 0; x < width; ++x) ASSERT_EQ(0xF800, *s->pixelAddress(x, y)) << width;
            for (int b = int(2 * width); b < s->pitch; ++b) ASSERT_EQ(0x5A, s->pixels()[y * s->pitch + b]) << width;
        }
    }
}

TEST(AlphaFill, BlendsEveryPixelRowByRow) {
    Canvas canvas(7, 3);
    AlphaRasterOp op;
    op.setAlpha(128);
    op.fill(*canvas.target().getSurface(), 0xFFFF);
    EXPECT_EQ(Picture(3, "#######"), canvas.picture({{0x7BEF, '#'}}));
    EXPECT_TRUE(canvas.canaryIntact());
}

TEST(RasterLines, RunLengthConventions) {
    Canvas canvas(6, 4);
    auto& dst = *canvas.target().getSurface();
    auto& op = OpaqueRasterOp::instance();
    op.hline(dst, {0, 0}, 0, 0xFFFF);
    op.hline(dst, {1, 1}, 3, 0xFFFF);
    op.vline(dst, {5, 0}, 0, 0xFFFF);
    op.vline(dst, {0, 1}, 2, 0xFFFF);
    op.vline(dst, {4, 3}, -1, 0xFFFF);
    EXPECT_EQ((Picture{".....#",
                       "####..",
                       "#.....",
                       "#....."}),
              canvas.picture(inkLegend));
    EXPECT_TRUE(canvas.canaryIntact());
}

TEST(RasterLines, ShallowLineStepsHalfway) {
    Canvas canvas(4, 2);
    OpaqueRasterOp::instance().line(*canvas.target().getSurface(), {0, 0}, {3, 1}, 0xFFFF);
    EXPECT_EQ((Picture{"##..", "..##"}), canvas.picture(inkLegend));
}

TEST(RasterLines, EveryPixelOfALineIsWrittenOnceInAllOctants) {
    CountingCombiner counter;
    CombinerRasterOp op;
    op.setCombiner(&counter);
    const int centre = 13;
    for (int dx = -centre; dx <= centre; ++dx)
        for (int dy = -centre; dy <= centre; ++dy) {
            Canvas canvas(2 * centre + 1, 2 * centre + 1);
            RenderPoint p0{centre - dx / 2, centre - dy / 2}, p1{p0.x + dx, p0.y + dy};
            op.line(*canvas.target().getSurface(), p0, p1, 0);
            ASSERT_TRUE(canvas.canaryIntact());
            bool yMajor = std::abs(dx) < std::abs(dy);
            int major = std::max(std::abs(dx), std::abs(dy));
            std::set<int> majorPositions;
            int written = 0;
            for (int y = 0; y < canvas.height; ++y)
                for (int x = 0; x < canvas.width; ++x) {
                    uint16_t n = canvas.at(x, y);
                    ASSERT_LE(n, 1) << dx << "," << dy << " at " << x << "," << y;
                    if (!n) continue;
                    ++written;
                    majorPositions.insert(yMajor ? y : x);
                    // The path mirrors itself about its middle (an even run's middle pixel has no twin).
                    int position = yMajor ? y : x, middle = yMajor ? p0.y + p1.y : p0.x + p1.x;
                    if (2 * position != middle) {
                        ASSERT_EQ(1, canvas.at(p0.x + p1.x - x, p0.y + p1.y - y)) << dx << "," << dy;
                    }
                }
            ASSERT_EQ(major + 1, written) << dx << "," << dy;
            ASSERT_EQ(size_t(major + 1), majorPositions.size()) << dx << "," << dy;
            ASSERT_EQ(1, canvas.at(p0.x, p0.y));
            ASSERT_EQ(1, canvas.at(p1.x, p1.y));
        }
}

TEST(RasterCircles, RadiusZeroOneAndFive) {
    struct Case {
        int radius;
        Picture expected;
    };
    const Case cases[] = {
        {0, {"...........", "...........", "...........", "...........", "...........", ".....#.....",
             "...........", "...........", "...........", "...........", "..........."}},
        {1, {"...........", "...........", "...........", "...........", ".....#.....", "....#.#....",
             ".....#.....", "...........", "...........", "...........", "..........."}},
        {5, {"...#####...", "..#.....#..", ".#.......#.", "#.........#", "#.........#", "#.........#",
             "#.........#", "#.........#", ".#.......#.", "..#.....#..", "...#####..."}},
    };
    for (const auto& c : cases) {
        Canvas canvas(11, 11);
        OpaqueRasterOp::instance().circle(*canvas.target().getSurface(), {5, 5}, c.radius, 0xFFFF);
        EXPECT_EQ(c.expected, canvas.picture(inkLegend)) << c.radius;
        EXPECT_TRUE(canvas.canaryIntact());
    }
}

TEST(RasterCircles, RadiusZeroAppliesThePixelRuleFourTimesAndNegativeNone) {
    CountingCombiner counter;
    CombinerRasterOp op;
    op.setCombiner(&counter);
    Canvas canvas(3, 3);
    op.circle(*canvas.target().getSurface(), {1, 1}, 0, 0);
    op.circle(*canvas.target().getSurface(), {0, 0}, -1, 0);
    EXPECT_EQ((Picture{"...", ".4.", "..."}), canvas.picture({{0, '.'}, {4, '4'}}));
}

TEST(RasterCircles, ClippedCircleKeepsToTheClip) {
    Canvas canvas(11, 11);
    OpaqueRasterOp::instance().circleClipped(*canvas.target().getSurface(), {5, 5}, 5, 0xFFFF, {0, 0, 6, 4});
    EXPECT_EQ((Picture{"...###.....", "..#........", ".#.........", "#..........", "...........", "...........",
                       "...........", "...........", "...........", "...........", "..........."}),
              canvas.picture(inkLegend));
}

TEST(RasterCopies, KeyedCopiesPassOnlyNonKeyPixelsToTheCombiner) {
    CountingCombiner counter;
    CombinerRasterOp op;
    op.setCombiner(&counter);
    Canvas canvas(3, 1);
    std::unique_ptr<RenderSurface> src(surfaceFrom({"kak"}, {{'k', 0xF81F}, {'a', 0x0001}}));
    op.copyKeyed(*canvas.target().getSurface(), {0, 0}, *src->getSurface(), {0, 0, 3, 1}, 0xF81F);
    EXPECT_EQ((Picture{".1."}), canvas.picture({{0, '.'}, {1, '1'}}));
}

TEST(RasterCopies, IdentityTransformReadsTheSamePixelAndLeavesTheRestAlone) {
    Canvas canvas(4, 3);
    std::unique_ptr<RenderSurface> src(surfaceFrom({"ab", "cd"}, {{'a', 1}, {'b', 2}, {'c', 3}, {'d', 4}}));
    OpaqueRasterOp::instance().copyAffine(*canvas.target().getSurface(), {0, 0, 4, 3}, {1024, 0, 0, 1024, 0, 0},
                                          *src->getSurface());
    EXPECT_EQ((Picture{"ab..", "cd..", "...."}), canvas.picture({{0, '.'}, {1, 'a'}, {2, 'b'}, {3, 'c'}, {4, 'd'}}));
    EXPECT_TRUE(canvas.canaryIntact());
}
