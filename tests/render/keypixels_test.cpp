// A keyed blit of a surface that holds no key pixel takes the opaque path: the pictures must be
// those of the keyed path, for every raster operation and clip, and what a surface is known to
// hold must be forgotten whenever its pixels may change.
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>
#include "canvas.h"
#include "pixelcombiner.h"
#include "rendercontext.h"

namespace {

constexpr uint16_t key = 0xF81F;

// No pixel of it equals the key.
std::unique_ptr<RenderSurface> pattern(int width, int height) {
    std::unique_ptr<RenderSurface> s(RenderSurface::create(uint32_t(width), uint32_t(height)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *s->getSurface()->pixelAddress(uint32_t(x), uint32_t(y)) = uint16_t(x * 2654 + y * 40503 + 7) | 0x20;
    s->setColourKey(key);
    return s;
}

void plant(RenderSurface& s, int x, int y, uint16_t value) {
    *s.getSurface()->pixelAddress(uint32_t(x), uint32_t(y)) = value;
}

std::vector<uint16_t> pixelsOf(const Canvas& canvas) {
    std::vector<uint16_t> all;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) all.push_back(canvas.at(x, y));
    return all;
}

struct Average : PixelCombiner {
    uint16_t combine(uint16_t colour, uint16_t existing) override { return uint16_t((colour >> 1) + (existing >> 1)); }
};

void useOperation(RenderContext& context, int operation, Average& average) {
    if (operation == 1) context.setAlpha(100);
    if (operation == 2) context.setCombiner(&average);
}

using Draw = std::function<void(RenderContext&, const RenderSurface&)>;

}  // namespace

// The same region of a key-free source drawn twice: once with a key pixel planted outside the
// region (the keyed path), once without (the opaque path).
TEST(KeyPixels, KeyFreeSourcesDrawAsTheKeyedPathDoes) {
    const RenderRect region{1, 1, 12, 10};
    const struct {
        const char* name;
        Draw draw;
    } draws[] = {
        {"blit", [&](RenderContext& c, const RenderSurface& s) { c.blit(3, 2, s, &region); }},
        {"blit over the edges", [&](RenderContext& c, const RenderSurface& s) { c.blit(-4, 9, s, &region); }},
        {"scaled", [&](RenderContext& c, const RenderSurface& s) { c.blitScaled({2, 1, 19, 15}, s, &region); }},
    };
    const RenderRect clips[] = {{0, 0, 20, 16}, {3, 4, 9, 13}, {0, 0, 0, 0}};
    for (int operation = 0; operation < 3; ++operation)
        for (const auto& draw : draws)
            for (const RenderRect& clip : clips) {
                std::vector<uint16_t> pictures[2];
                for (int planted = 0; planted < 2; ++planted) {
                    auto source = pattern(14, 12);
                    if (planted) plant(*source, 13, 11, key);
                    Canvas canvas(20, 16, 0x1234);
                    RenderContext context(&canvas.target());
                    Average average;
                    useOperation(context, operation, average);
                    context.setClip(clip);
                    draw.draw(context, *source);
                    EXPECT_EQ(source->holdsKeyPixel(), planted == 1);
                    EXPECT_TRUE(canvas.canaryIntact());
                    pictures[planted] = pixelsOf(canvas);
                }
                EXPECT_EQ(pictures[0], pictures[1])
                    << draw.name << ", operation " << operation << ", clip " << clip.left;
            }
}

TEST(KeyPixels, ABlitOntoItsOwnPixelsKeepsTheKeyedOrder) {
    std::vector<uint16_t> pictures[2];
    for (int planted = 0; planted < 2; ++planted) {
        auto surface = pattern(24, 6);
        if (planted) plant(*surface, 23, 5, key);
        RenderContext context(surface.get());
        RenderRect from{0, 0, 20, 5};
        context.blit(1, 0, *surface, &from);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 23; ++x) pictures[planted].push_back(surface->getPixel(x, y));
    }
    EXPECT_EQ(pictures[0], pictures[1]);
}

// Each way of changing a surface after it was found free of key pixels: the key pixel it now
// holds is left out of the next blit.
TEST(KeyPixels, WhatIsKnownIsForgottenWhenThePixelsMayChange) {
    const struct {
        const char* name;
        std::function<void(RenderSurface&)> change;
    } changes[] = {
        {"drawn on", [](RenderSurface& s) { RenderContext(&s).fillRect(2, 2, 3, 3, key); }},
        {"blitted onto",
         [](RenderSurface& s) {
             std::unique_ptr<RenderSurface> dot(RenderSurface::create(1, 1));
             plant(*dot, 0, 0, key);
             RenderContext(&s).blit(2, 2, *dot);
         }},
        {"locked and written",
         [](RenderSurface& s) {
             int32_t pitch;
             void* pixels;
             RenderPoint at{2, 2};
             ASSERT_TRUE(s.lock(&pitch, &pixels, 0, &at));
             *static_cast<uint16_t*>(pixels) = key;
         }},
        {"another key", [](RenderSurface& s) { s.setColourKey(s.getPixel(2, 2)); }},
    };
    for (const auto& c : changes) {
        auto source = pattern(6, 5);
        Canvas first(6, 5), second(6, 5);
        RenderContext(&first.target()).blit(0, 0, *source);
        EXPECT_FALSE(source->holdsKeyPixel()) << c.name;
        const uint16_t under = second.at(2, 2);
        c.change(*source);
        RenderContext(&second.target()).blit(0, 0, *source);
        EXPECT_TRUE(source->holdsKeyPixel()) << c.name;
        EXPECT_EQ(second.at(2, 2), under) << c.name;
        EXPECT_EQ(second.at(3, 2), source->getPixel(3, 2)) << c.name;
    }
}

namespace {

bool anyKeyPixel(const RenderSurface& s) {
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.getPixel(x, y) == key) return true;
    return false;
}

// Leaves the key whatever the colour drawn.
struct Stamp : PixelCombiner {
    uint16_t combine(uint16_t, uint16_t) override { return key; }
};

std::unique_ptr<RenderSurface> dotOf(int size, uint16_t colour) {
    std::unique_ptr<RenderSurface> dot(RenderSurface::create(uint32_t(size), uint32_t(size)));
    RenderContext(dot.get()).clear(colour);
    return dot;
}

struct Write {
    std::string name;
    std::function<void(RenderContext&, uint16_t)> write;
};

// Thirty one-pixel blits, the colour in the given one and another colour in the rest: past the
// sixteen rectangles kept between two looks, each dot lies outside the round of those before it,
// so a dot left out of that round goes unseen.
Write manyBlits(int coloured) {
    return {"30 blits, the colour in blit " + std::to_string(coloured), [coloured](RenderContext& c, uint16_t colour) {
                for (int i = 0; i < 30; ++i)
                    c.blit((i + 1) / 2, i / 2, *dotOf(1, i == coloured ? colour : uint16_t(0x0841)));
            }};
}

}  // namespace

// The answer is kept through a render context's writes instead of a whole look after each: it
// must still be the pixels' own after every kind of write, with the key's colour or another,
// and a surface whose key pixels are all drawn over must be found free of them again. A draw
// per row: one draw's telling must not stand in for another's.
TEST(KeyPixels, TheAnswerFollowsEveryWriteOfAContext) {
    static uint8_t font[256 * 16] = {};
    font[16 * 'I' + 3] = 0x80;
    static Stamp stamp;
    std::vector<Write> writes = {
        {"plot", [](RenderContext& c, uint16_t colour) { c.plot(3, 2, colour); }},
        {"horizontal line", [](RenderContext& c, uint16_t colour) { c.drawHLine(1, 5, 6, colour); }},
        {"vertical line", [](RenderContext& c, uint16_t colour) { c.drawVLine(7, 1, 4, colour); }},
        {"line", [](RenderContext& c, uint16_t colour) { c.drawLine(0, 0, 9, 6, colour); }},
        {"circle", [](RenderContext& c, uint16_t colour) { c.drawCircle(6, 5, 3, colour); }},
        {"polygon",
         [](RenderContext& c, uint16_t colour) {
             const RenderPoint corners[] = {{1, 1}, {8, 2}, {4, 7}};
             c.fillPolygon(corners, 3, colour);
         }},
        {"rectangle", [](RenderContext& c, uint16_t colour) { c.fillRect(2, 2, 5, 4, colour); }},
        {"text", [](RenderContext& c, uint16_t colour) { c.drawText(font, u"I", 0, 4, 1, colour); }},
        {"clear", [](RenderContext& c, uint16_t colour) { c.clear(colour); }},
        {"blended rectangle",
         [](RenderContext& c, uint16_t colour) {
             c.setAlpha(120);
             c.fillRect(0, 0, 12, 9, colour);
         }},
        {"combined rectangle",
         [](RenderContext& c, uint16_t colour) {
             c.setCombiner(&stamp);
             c.fillRect(1, 1, 4, 3, colour);
         }},
        {"blit", [](RenderContext& c, uint16_t colour) { c.blit(5, 5, *dotOf(2, colour)); }},
        {"scaled",
         [](RenderContext& c, uint16_t colour) {
             c.blitScaled({0, 0, 3, 3}, *dotOf(2, colour));
         }},
        {"rotated", [](RenderContext& c, uint16_t colour) { c.blitRotated(9, 2, 0.5f, *dotOf(2, colour)); }},
        {"scaled and rotated",
         [](RenderContext& c, uint16_t colour) {
             std::unique_ptr<RenderSurface> scratch(RenderSurface::create(3, 3));
             c.blitScaledRotated(9, 2, 0.5f, *dotOf(2, colour), *scratch);
         }},
        // The blit looks at its own pixels for key pixels before it writes them.
        {"blit onto its own pixels",
         [](RenderContext& c, uint16_t) {
             c.setCombiner(&stamp);
             const RenderRect from{0, 0, 4, 3};
             c.blit(1, 1, *c.getTarget(), &from);
         }},
    };
    for (int coloured = 0; coloured < 30; ++coloured) writes.push_back(manyBlits(coloured));
    for (const Write& w : writes)
        for (uint16_t colour : {key, uint16_t(0x0841)}) {
            auto surface = pattern(16, 15);
            ASSERT_FALSE(surface->holdsKeyPixel());
            RenderContext context(surface.get());
            w.write(context, colour);
            EXPECT_EQ(surface->holdsKeyPixel(), anyKeyPixel(*surface)) << w.name << ", colour " << colour;
            context.setOpaque();
            context.clear(0x1234);
            EXPECT_FALSE(surface->holdsKeyPixel()) << w.name << " drawn over";
        }
}

// What is known of the key pixels holds only while every write is told: what is handed out to
// read must not be a way to write.
static_assert(std::is_same_v<decltype(std::declval<const RenderSurface&>().getSurface()), const Surface*>);
static_assert(std::is_same_v<decltype(std::declval<const Surface&>().pixelAddress(0, 0)), const uint16_t*>);
static_assert(std::is_same_v<decltype(std::declval<const Surface&>().pixels()), const uint8_t*>);
