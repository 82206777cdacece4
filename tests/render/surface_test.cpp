#include <gtest/gtest.h>
#include <cstdint>
#include <memory>
#include "surface.h"

TEST(Surface, CreateRoundsRowsUpToFourBytes) {
    struct Case { uint32_t width; int32_t pitch; };
    for (Case c : {Case{1, 4}, Case{2, 4}, Case{3, 8}, Case{4, 8}, Case{5, 12}, Case{176, 352}, Case{175, 352}}) {
        std::unique_ptr<Surface> s(Surface::Create(c.width, 3));
        ASSERT_TRUE(s) << c.width;
        EXPECT_EQ(c.pitch, s->pitch) << c.width;
        EXPECT_EQ(c.width, s->width);
        EXPECT_EQ(3u, s->height);
        EXPECT_TRUE(s->ownsPixels);
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(s->pixels()) % 4);
        // Every byte of every row is ours to write.
        for (uint32_t y = 0; y < 3; ++y) *s->pixelAddress(c.width - 1, y) = 0xABCD;
        EXPECT_EQ(0xABCD, *reinterpret_cast<uint16_t*>(s->pixels() + 2 * s->pitch + 2 * (c.width - 1)));
    }
}

TEST(Surface, CreateRefusesRowsTooWideToAddress) {
    EXPECT_EQ(nullptr, Surface::Create(0x80000000u, 1));
    EXPECT_EQ(nullptr, Surface::Create(0xFFFFFFFFu, 0xFFFFFFFFu));
}

TEST(Surface, CallerOwnedPixelsAreLeftToTheCaller) {
    uint16_t pixels[4 * 2] = {};
    {
        Surface s(pixels, 3, 2, 8);
        EXPECT_FALSE(s.ownsPixels);
        *s.pixelAddress(2, 1) = 0x1234;
    }
    EXPECT_EQ(0x1234, pixels[4 + 2]);
    std::unique_ptr<Surface> heap(new Surface(pixels, 3, 2, 8));
    heap.reset();
    EXPECT_EQ(0x1234, pixels[6]);
}
