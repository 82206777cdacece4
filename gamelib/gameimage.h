#pragma once
#include <cstdint>
#include "dstring.h"
#include "gameimage.ptr"

// A named rectangle of the current image atlas, drawn as it stands, mirrored or turned.
class GameImage : public dfc::lang::DObject {
public:
    // Transform codes; the name suffixes "_mr", "_lv", "_dn" and "_up" ask for them.
    static constexpr int32_t plain = 0, mirrored = 2, turned180 = 3, turned90 = 5, turned270 = 6;

    // Never null: a name the atlas does not hold gives an empty picture, which draws nothing.
    static GameImagePtr load(const dfc::lang::DStringPtr& name);
    // Stores the code and moves the rectangle onto the atlas copy turned that way.
    virtual void transform(int32_t code);

    // Draws the picture with its top-left corner at (x, y) on the current drawing target;
    // the variants draw without the colour key.
    static void drawFrame(int x, int y, const GameImagePtr& image);
    static void drawFrameVariant(int x, int y, const GameImagePtr& image);
    void drawAt(int x, int y) const { draw(x, y, false); }
    void drawAtVariant(int x, int y) const { draw(x, y, true); }

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t transformCode = plain;

private:
    void draw(int x, int y, bool opaque) const;
};
