// The desktop window's scale when none is asked for: the largest whole factor, at most 3,
// whose window with its frame fits the desktop's usable area.
#include <gtest/gtest.h>
#include "platform.h"

TEST(WindowScale, TheLargestFactorThatFitsTheUsableArea) {
    struct Case {
        int screenWidth, screenHeight, areaWidth, areaHeight, scale;
    };
    const Case cases[] = {
        {176, 220, 1920, 1080, 3},  // 528 x 660
        {240, 320, 1920, 1080, 3},  // 720 x 960 with its frame fits 1080
        {240, 320, 1024, 740, 2},   // a 1024 x 768 desktop less its panel: 960 would not fit
        {240, 320, 1024, 1008, 3},  // 960 + 48 exactly
        {240, 320, 1024, 1007, 2},
        {480, 640, 1920, 1080, 1},  // vga at 2 is 1280 high
        {480, 640, 2560, 1400, 2},
        {320, 240, 1024, 768, 3},
        {240, 320, 400, 300, 1},  // nothing fits: the smallest window all the same
        {176, 220, 0, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::fittingScale(c.screenWidth, c.screenHeight, c.areaWidth, c.areaHeight), c.scale)
            << c.screenWidth << "x" << c.screenHeight << " in " << c.areaWidth << "x" << c.areaHeight;
}
