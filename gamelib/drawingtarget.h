#pragma once
#include "dgraphics.h"

// Points the drawing of sprites and animations (the atlas's current graphics) at other
// graphics while the object lives, and back where it was when the scope is left, by an
// exception too: a picture drawn into a buffer can never leave the screen's drawing behind.
class DrawingTarget {
public:
    explicit DrawingTarget(const dfc::microedition::lcdui::DGraphicsPtr& graphics);
    ~DrawingTarget();
    DrawingTarget(const DrawingTarget&) = delete;
    DrawingTarget& operator=(const DrawingTarget&) = delete;

private:
    dfc::microedition::lcdui::DGraphicsPtr previous;
};
