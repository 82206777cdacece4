#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <numbers>
#include "canvas.h"
#include "failing_new.h"
#include "opaquerasterop.h"
#include "rendercontext.h"

namespace {

using Picture = std::vector<std::string>;
constexpr uint16_t key = 0xF81F;
const std::map<char, uint16_t> letters{{'a', 1}, {'b', 2}, {'c', 3}, {'d', 4}, {'e', 5}, {'f', 6},
                                       {'g', 7}, {'h', 8}, {'i', 9}, {'j', 10}, {'k', key}, {'l', 12},
                                       {'m', 13}, {'n', 14}, {'o', 15}, {'p', 16}};
const std::map<uint16_t, char> legend = [] {
    std::map<uint16_t, char> m{{0, '.'}, {0xFFFF, '#'}};
    for (auto [c, v] : letters) m[v] = c;
    return m;
}();

std::unique_ptr<RenderSurface> sourceOf(const Picture& rows, bool keyed = false) {
    std::unique_ptr<RenderSurface> s(surfaceFrom(rows, letters));
    if (keyed) s->setColourKey(key);
    return s;
}

Picture withoutKey(Picture rows) {
    for (auto& row : rows)
        for (auto& c : row)
            if (c == 'k') c = '.';
    return rows;
}

struct DrawCase {
    const char* name;
    RenderRect clip;
    std::function<void(RenderContext&)> draw;
    Picture expected;
};

constexpr RenderRect whole{0, 0, 100, 100};

void expectPictures(int width, int height, const std::vector<DrawCase>& cases) {
    for (const auto& c : cases) {
        Canvas canvas(width, height);
        RenderContext context(&canvas.target());
        context.setClip(c.clip);
        c.draw(context);
        EXPECT_EQ(c.expected, canvas.picture(legend)) << c.name;
        EXPECT_TRUE(canvas.canaryIntact()) << c.name;
    }
}

}  // namespace

TEST(RenderContext, BlitKeepsToTheClipOnEveryEdgeKeyedOrNot) {
    struct Case {
        const char* name;
        int x, y;
        Picture expected;
    };
    const Case cases[] = {
        {"inside", 2, 1, {"......", "..abc.", "..dkf.", "..ghi.", "......"}},
        {"over the left edge", -1, 1, {"......", ".c....", ".f....", ".i....", "......"}},
        {"over the right edge", 3, 1, {"......", "...ab.", "...dk.", "...gh.", "......"}},
        {"over the top edge", 2, -1, {"......", "..ghi.", "......", "......", "......"}},
        {"over the bottom edge", 2, 2, {"......", "......", "..abc.", "..dkf.", "......"}},
        {"over a corner", 0, 0, {"......", ".kf...", ".hi...", "......", "......"}},
        {"left of the clip", -2, 1, Picture(5, "......")},
        {"right of the clip", 5, 1, Picture(5, "......")},
        {"above the clip", 1, -2, Picture(5, "......")},
        {"below the clip", 1, 4, Picture(5, "......")},
    };
    for (bool keyed : {false, true}) {
        auto source = sourceOf({"abc", "dkf", "ghi"}, keyed);
        for (const auto& c : cases) {
            Canvas canvas(6, 5);
            RenderContext context(&canvas.target());
            context.setClip({1, 1, 5, 4});
            context.blit(c.x, c.y, *source);
            EXPECT_EQ(keyed ? withoutKey(c.expected) : c.expected, canvas.picture(legend))
                << c.name << (keyed ? " keyed" : "");
            EXPECT_TRUE(canvas.canaryIntact()) << c.name;
        }
    }
}

TEST(RenderContext, BlitOfARegionNeverReadsOutsideTheSource) {
    auto source = sourceOf({"abc", "dkf", "ghi"});
    RenderRect inner{1, 0, 3, 2}, overhanging{-1, -1, 2, 2}, beyond{3, 3, 9, 9};
    expectPictures(6, 5,
                   {
                       {"inner region",
                        whole,
                        [&](RenderContext& c) { c.blit(1, 1, *source, &inner); },
                        {"......", ".bc...", ".kf...", "......", "......"}},
                       // The part of the region on the source lands where it would have.
                       {"region over the source's corner",
                        whole,
                        [&](RenderContext& c) { c.blit(1, 1, *source, &overhanging); },
                        {"......", "......", "..ab..", "..dk..", "......"}},
                       {"region off the source", whole, [&](RenderContext& c) { c.blit(0, 0, *source, &beyond); },
                        Picture(5, "......")},
                   });
}

TEST(RenderContext, LinesRectanglesAndTheirEnds) {
    expectPictures(6, 5, {
        {"horizontal line leaves out its larger x", whole, [](RenderContext& c) { c.drawLine(0, 2, 4, 2, 0xFFFF); },
         {"......", "......", "####..", "......", "......"}},
        {"horizontal line drawn backwards", whole, [](RenderContext& c) { c.drawLine(4, 2, 0, 2, 0xFFFF); },
         {"......", "......", "####..", "......", "......"}},
        {"vertical line has both ends", whole, [](RenderContext& c) { c.drawLine(1, 3, 1, 0, 0xFFFF); },
         {".#....", ".#....", ".#....", ".#....", "......"}},
        {"diagonal has both ends", whole, [](RenderContext& c) { c.drawLine(3, 3, 0, 0, 0xFFFF); },
         {"#.....", ".#....", "..#...", "...#..", "......"}},
        {"rectangle outline is inclusive", whole, [](RenderContext& c) { c.drawRect(0, 0, 3, 2, 0xFFFF); },
         {"####..", "#..#..", "####..", "......", "......"}},
        {"hline of length n", whole, [](RenderContext& c) { c.drawHLine(1, 1, 3, 0xFFFF); },
         {"......", ".###..", "......", "......", "......"}},
        {"vline of length n covers n + 1", whole, [](RenderContext& c) { c.drawVLine(2, 1, 2, 0xFFFF); },
         {"......", "..#...", "..#...", "..#...", "......"}},
        {"vline ends on the clip's last row", {0, 0, 6, 3}, [](RenderContext& c) { c.drawVLine(2, -4, 40, 0xFFFF); },
         {"..#...", "..#...", "..#...", "......", "......"}},
        {"hline cut at both clip sides", {1, 0, 4, 5}, [](RenderContext& c) { c.drawHLine(-9, 0, 30, 0xFFFF); },
         {".###..", "......", "......", "......", "......"}},
        {"diagonal cut by the clip", {1, 1, 5, 4}, [](RenderContext& c) { c.drawLine(0, 0, 5, 5, 0xFFFF); },
         {"......", ".#....", "..#...", "...#..", "......"}},
        {"line with both ends outside the clip", {1, 1, 5, 4}, [](RenderContext& c) { c.drawLine(0, 4, 4, 0, 0xFFFF); },
         {"......", "...#..", "..#...", ".#....", "......"}},
        {"line far outside", whole, [](RenderContext& c) { c.drawLine(-2000000000, 3, 2000000000, 4, 0xFFFF); },
         {"......", "......", "......", "######", "......"}},
        {"rectangle cut by the clip", {0, 0, 3, 5}, [](RenderContext& c) { c.drawRect(1, 1, 4, 3, 0xFFFF); },
         {"......", ".##...", ".#....", ".##...", "......"}},
        {"fill is right and bottom exclusive", whole, [](RenderContext& c) { c.fillRect(1, 1, 3, 4, 0xFFFF); },
         {"......", ".##...", ".##...", ".##...", "......"}},
        {"plot keeps to the surface, not the clip", {0, 0, 1, 1}, [](RenderContext& c) {
             c.plot(5, 4, 0xFFFF);
             c.plot(6, 0, 0xFFFF);
             c.plot(-1, 2, 0xFFFF);
         }, {"......", "......", "......", "......", ".....#"}},
        {"polyline closes on its first point", whole, [](RenderContext& c) {
             RenderPoint points[] = {{0, 0}, {3, 0}, {3, 3}};
             c.drawPolyline(points, 3, 0xFFFF);
         }, {"####..", ".#.#..", "..##..", "...#..", "......"}},
        {"one-point and two-point polygons", whole, [](RenderContext& c) {
             RenderPoint points[] = {{5, 0}, {0, 4}, {4, 4}};
             c.fillPolygon(points, 1, 0xFFFF);
             c.fillPolygon(points + 1, 2, 0xFFFF);
         }, {".....#", "......", "......", "......", "####.."}},
        {"filled triangle", whole, [](RenderContext& c) {
             RenderPoint points[] = {{2, 0}, {4, 4}, {0, 4}};
             c.fillPolygon(points, 3, 0xFFFF);
         }, {"......", ".#....", ".##...", "###...", "......"}},
        {"circle cut by the clip", {0, 0, 3, 5}, [](RenderContext& c) { c.drawCircle(2, 2, 1, 0xFFFF); },
         {"......", "..#...", ".#....", "..#...", "......"}},
        {"circle off the clip", {0, 0, 3, 5}, [](RenderContext& c) { c.drawCircle(5, 2, 1, 0xFFFF); },
         Picture(5, "......")},
    });
}

TEST(RenderRect, IntersectUniteAndExtend) {
    auto edges = [](const RenderRect& r) { return std::array{r.left, r.top, r.right, r.bottom}; };
    RenderRect a{0, 0, 4, 3}, b{2, -1, 6, 2};
    EXPECT_EQ((std::array{2, 0, 4, 2}), edges(a.intersect(b)));
    EXPECT_EQ((std::array{0, -1, 6, 3}), edges(a.unite(b)));
    EXPECT_TRUE(a.intersect({4, 0, 8, 3}).isEmpty());
    RenderRect grown = a;
    grown.extend({-2, 1});
    grown.extend({4, 3});
    EXPECT_EQ((std::array{-2, 0, 5, 4}), edges(grown));
    grown.extend({1, 1});
    EXPECT_EQ((std::array{-2, 0, 5, 4}), edges(grown));
}

TEST(RenderContext, AnEmptyClipDrawsNothingButClearFillsTheTarget) {
    auto source = sourceOf({"ab", "cd"});
    auto keyed = sourceOf({"ab", "cd"}, true);
    RenderPoint triangle[] = {{0, 0}, {5, 2}, {1, 4}};
    const std::function<void(RenderContext&)> draws[] = {
        [&](RenderContext& c) { c.blit(0, 0, *source); },
        [&](RenderContext& c) { c.blit(0, 0, *keyed); },
        [&](RenderContext& c) { c.blitScaled({0, 0, 6, 5}, *source); },
        [&](RenderContext& c) { c.blitRotated(3, 2, 0.5f, *source); },
        [](RenderContext& c) { c.drawHLine(0, 0, 6, 0xFFFF); },
        [](RenderContext& c) { c.drawVLine(0, 0, 6, 0xFFFF); },
        [](RenderContext& c) { c.drawLine(0, 0, 5, 4, 0xFFFF); },
        [](RenderContext& c) { c.drawRect(0, 0, 5, 4, 0xFFFF); },
        [](RenderContext& c) { c.fillRect(-100, -100, 100, 100, 0xFFFF); },
        [&](RenderContext& c) { c.fillPolygon(triangle, 3, 0xFFFF); },
        [&](RenderContext& c) { c.drawPolyline(triangle, 3, 0xFFFF); },
        [](RenderContext& c) { c.drawCircle(2, 2, 2, 0xFFFF); },
    };
    for (const auto& draw : draws) {
        Canvas canvas(6, 5);
        RenderContext context(&canvas.target());
        context.setClip({10, 10, 20, 20});
        ASSERT_TRUE(context.getClip().isEmpty());
        draw(context);
        EXPECT_EQ(Picture(5, "......"), canvas.picture(legend));
        EXPECT_TRUE(canvas.canaryIntact());
    }
    Canvas canvas(6, 5);
    RenderContext context(&canvas.target());
    context.setClip({10, 10, 20, 20});
    context.clear(0xFFFF);
    EXPECT_EQ(Picture(5, "######"), canvas.picture(legend));
}

TEST(RenderContext, WithoutATargetEverythingIsANoOp) {
    auto source = sourceOf({"ab"});
    RenderContext context;
    context.blit(0, 0, *source);
    context.clear(1);
    context.plot(0, 0, 1);
    context.drawLine(0, 0, 3, 3, 1);
    context.drawCircle(0, 0, 3, 1);
    static const uint8_t font[256 * 16] = {};
    context.drawText(font, u"a", 0, 0, 0, 1);
    EXPECT_EQ(nullptr, RenderContext::create(nullptr));
}

TEST(RenderContext, SetClipKeepsToTheTarget) {
    Canvas canvas(6, 5);
    RenderContext context(&canvas.target());
    context.setClip({-10, -10, 100, 100});
    RenderRect clip = context.getClip();
    EXPECT_EQ((std::array{0, 0, 6, 5}), (std::array{clip.left, clip.top, clip.right, clip.bottom}));
    context.setClip({1, 2, 3, 4});
    Canvas other(3, 2);
    EXPECT_EQ(&canvas.target(), context.setTarget(&other.target()));
    clip = context.getClip();
    EXPECT_EQ((std::array{0, 0, 3, 2}), (std::array{clip.left, clip.top, clip.right, clip.bottom}));
}

TEST(RenderContext, ScaledBlits) {
    auto two = sourceOf({"ab", "cd"});
    auto twoKeyed = sourceOf({"ab", "ck"}, true);
    auto four = sourceOf({"abcd", "efgh", "ijkl", "mnop"});
    RenderRect region{1, 1, 3, 3};
    expectPictures(6, 5, {
        {"twice the size", whole, [&](RenderContext& c) { c.blitScaled({1, 0, 5, 4}, *two); },
         {".aabb.", ".aabb.", ".ccdd.", ".ccdd.", "......"}},
        {"half the size takes every second pixel", whole, [&](RenderContext& c) { c.blitScaled({0, 0, 2, 2}, *four); },
         {"fh....", "np....", "......", "......", "......"}},
        {"a region twice the size", whole, [&](RenderContext& c) { c.blitScaled({0, 0, 4, 4}, *four, &region); },
         {"ffgg..", "ffgg..", "jjkk..", "jjkk..", "......"}},
        {"cut by the clip", {0, 0, 3, 3}, [&](RenderContext& c) { c.blitScaled({-1, -1, 3, 3}, *two); },
         {"abb...", "cdd...", "cdd...", "......", "......"}},
        {"keyed", whole, [&](RenderContext& c) { c.blitScaled({0, 0, 4, 4}, *twoKeyed); },
         {"aabb..", "aabb..", "cc....", "cc....", "......"}},
        {"zero width", whole, [&](RenderContext& c) { c.blitScaled({2, 0, 2, 4}, *two); }, Picture(5, "......")},
        {"zero height", whole, [&](RenderContext& c) { c.blitScaled({0, 3, 4, 3}, *two); }, Picture(5, "......")},
        {"turned inside out", whole, [&](RenderContext& c) { c.blitScaled({4, 4, 0, 0}, *two); }, Picture(5, "......")},
    });
}

TEST(RenderContext, RotatedBlits) {
    auto source = sourceOf({"abc", "def"});
    auto keyed = sourceOf({"abk", "def"}, true);
    auto scratch = std::unique_ptr<RenderSurface>(RenderSurface::create(4, 2));
    auto pair = sourceOf({"ab"});
    expectPictures(6, 5,
                   {
                       {"no turn",
                        whole,
                        [&](RenderContext& c) { c.blitRotated(3, 2, 0.0f, *source); },
                        {"......", ".abc..", ".def..", "......", "......"}},
                       {"a quarter turn",
                        whole,
                        [&](RenderContext& c) { c.blitRotated(3, 2, std::numbers::pi_v<float> / 2, *source); },
                        {"......", "..cf..", "..be..", "..ad..", "......"}},
                       {"keyed quarter turn",
                        whole,
                        [&](RenderContext& c) { c.blitRotated(3, 2, std::numbers::pi_v<float> / 2, *keyed); },
                        {"......", "...f..", "..be..", "..ad..", "......"}},
                       {"cut by the clip",
                        {0, 0, 6, 2},
                        [&](RenderContext& c) { c.blitRotated(3, 2, 0.0f, *source); },
                        {"......", ".abc..", "......", "......", "......"}},
                       {"scaled then turned, within the caller's clip",
                        {0, 0, 3, 5},
                        [&](RenderContext& c) {
                            c.blitScaledRotated(3, 2, 0.0f, *pair, *scratch);
                            RenderRect clip = c.getClip();
                            EXPECT_EQ(3, clip.right);
                            c.drawHLine(0, 4, 6, 0xFFFF);
                        },
                        {"......", ".aa...", ".aa...", "......", "###..."}},
                   });
}

TEST(RenderContext, AlphaFromTwoHundredAndFiftyTwoUpIsOpaque) {
    Canvas canvas(1, 1);
    RenderContext context(&canvas.target());
    for (int alpha : {252, 253, 254, 255, 255 + 256}) {
        EXPECT_EQ(&OpaqueRasterOp::instance(), context.setAlpha(alpha)) << alpha;
        EXPECT_EQ(&OpaqueRasterOp::instance(), context.getOp());
    }
    RasterOp* blending = context.setAlpha(251);
    ASSERT_NE(nullptr, blending);
    EXPECT_NE(&OpaqueRasterOp::instance(), blending);
    EXPECT_EQ(blending, context.setAlpha(128 + 256));
    context.clear(0xFFFF);
    EXPECT_EQ(0x7BEF, canvas.at(0, 0));
}

TEST(RenderContext, AFailedSetAlphaOrSetCombinerKeepsThePreviousOperation) {
    struct Keep : PixelCombiner {
        uint16_t combine(uint16_t, uint16_t existing) override { return existing; }
    } keep;
    Canvas canvas(1, 1);
    RenderContext context(&canvas.target());
    failNextAllocations(1);
    EXPECT_EQ(nullptr, context.setAlpha(100));
    EXPECT_EQ(&OpaqueRasterOp::instance(), context.getOp());
    RasterOp* combining = context.setCombiner(&keep);
    ASSERT_NE(nullptr, combining);
    failNextAllocations(1);
    EXPECT_EQ(nullptr, context.setAlpha(100));
    EXPECT_EQ(combining, context.getOp());
    context.clear(0xFFFF);
    EXPECT_EQ(0, canvas.at(0, 0));

    RenderContext other(&canvas.target());
    failNextAllocations(1);
    EXPECT_EQ(nullptr, other.setCombiner(&keep));
    EXPECT_EQ(&OpaqueRasterOp::instance(), other.getOp());
    EXPECT_EQ(nullptr, other.setCombiner(nullptr));
    EXPECT_EQ(&OpaqueRasterOp::instance(), other.getOp());
}

TEST(RenderContext, TextAlignsOnTheTargetAndIgnoresTheClip) {
    static uint8_t font[256 * 16] = {};
    font[16 * 'I'] = 0xC0;                            // two columns on the glyph's first row
    for (int row = 0; row < 16; ++row) font[16 * 'T' + row] = 0x80;  // one column all the way down
    expectPictures(20, 2, {
        {"left at x", {0, 0, 1, 1}, [](RenderContext& c) { c.drawText(font, u"I", 0, 2, 0, 0xFFFF); },
         {"..##................", "...................."}},
        {"centred", whole, [](RenderContext& c) { c.drawText(font, u"I", 2, 0, 0, 0xFFFF); },
         {"......##............", "...................."}},
        {"right", whole, [](RenderContext& c) { c.drawText(font, u"I", 3, 0, 0, 0xFFFF); },
         {"............##......", "...................."}},
        // Wider than the target: the first character starts left of it.
        {"centred and too wide", whole, [](RenderContext& c) { c.drawText(font, u"III", 2, 0, 0, 0xFFFF); },
         {"......##.......##...", "...................."}},
        {"other alignments start at 0", whole, [](RenderContext& c) { c.drawText(font, u"I", 7, 5, 0, 0xFFFF); },
         {"##..................", "...................."}},
        {"low byte picks the glyph, cut at the surface", whole,
         [](RenderContext& c) { c.drawText(font, u"\u0154", 0, 17, 1, 0xFFFF); },
         {"....................", ".................#.."}},
        {"no font, no text", whole, [](RenderContext& c) {
             c.drawText(nullptr, u"I", 0, 0, 0, 0xFFFF);
             c.drawText(font, u"", 0, 0, 0, 0xFFFF);
         }, Picture(2, "....................")},
    });
}

TEST(RenderSurface, CloneCopiesEveryPixelAndTheKey) {
    auto source = sourceOf({"akb", "kkc"}, true);
    std::unique_ptr<RenderSurface> copy(source->clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(key, copy->getColourKey());
    ASSERT_EQ(3, copy->width());
    ASSERT_EQ(2, copy->height());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(source->getPixel(x, y), copy->getPixel(x, y));
    auto plain = sourceOf({"ab"});
    std::unique_ptr<RenderSurface> plainCopy(plain->clone());
    EXPECT_EQ(-1, plainCopy->getColourKey());
}

TEST(RenderSurface, LockGivesThePitchAndAPixelAddress) {
    std::unique_ptr<RenderSurface> s(RenderSurface::create(3, 2));
    int32_t pitch = 0;
    void* address = nullptr;
    ASSERT_TRUE(s->lock(&pitch, &address));
    EXPECT_EQ(8, pitch);
    EXPECT_EQ(s->getSurface()->pixels(), address);
    RenderPoint p{2, 1};
    ASSERT_TRUE(s->lock(&pitch, &address, 0, &p));
    EXPECT_EQ(s->getSurface()->pixels() + 8 + 4, address);
    EXPECT_TRUE(s->unlock());
    failNextAllocations(1);
    EXPECT_EQ(nullptr, RenderSurface::create(3, 2));
    failNextAllocations(1);
    EXPECT_EQ(nullptr, s->clone());
}
