#include "drawingtarget.h"
#include "imageatlas.h"

using dfc::microedition::lcdui::DGraphicsPtr;

DrawingTarget::DrawingTarget(const DGraphicsPtr& graphics) : previous(ImageAtlas::currentGraphics) {
    ImageAtlas::currentGraphics = graphics;
}

DrawingTarget::~DrawingTarget() { ImageAtlas::currentGraphics = previous; }
