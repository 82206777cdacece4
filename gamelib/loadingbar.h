#pragma once
#include <cstdint>

// The loading bar of start-up and of the games' loading screens: a 108 x 10 outline centred
// on the screen, filled from the left by the percentage done. Each advance adds the step.
class LoadingBar {
public:
    // Sets the bar up and draws its first step.
    static void start(int32_t y, int32_t percent, int32_t step, int32_t frameColor, int32_t barColor);
    // Adds the step, kept within 0..100, and draws the bar.
    static void advance();

    static int32_t percent;

private:
    static int32_t y;
    static int32_t step;
    static int32_t frameColor;
    static int32_t barColor;
};
