// The drawing target of sprites and animations, pointed at a picture of a game's own and back.
#include <gtest/gtest.h>
#include "dexception.h"
#include "dimage.h"
#include "drawingtarget.h"
#include "imageatlas.h"

using dfc::lang::DException;
using dfc::lang::DExceptionPtr;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;

TEST(DrawingTargetTest, PointsAtThePictureAndBackOnEveryWayOut) {
    const DGraphicsPtr screen = DImage::createImage(4, 4)->getGraphics();
    const DGraphicsPtr field = DImage::createImage(4, 4)->getGraphics();
    const DGraphicsPtr panel = DImage::createImage(4, 4)->getGraphics();
    ImageAtlas::currentGraphics = screen;
    {
        const DrawingTarget outer(field);
        EXPECT_EQ(ImageAtlas::currentGraphics.get(), field.get());
        try {
            const DrawingTarget inner(panel);
            EXPECT_EQ(ImageAtlas::currentGraphics.get(), panel.get());
            throw DExceptionPtr(new DException(u"a picture that cannot be read"));
        } catch (DExceptionPtr&) {
        }
        EXPECT_EQ(ImageAtlas::currentGraphics.get(), field.get());
    }
    EXPECT_EQ(ImageAtlas::currentGraphics.get(), screen.get());
    ImageAtlas::currentGraphics = nullptr;
}
