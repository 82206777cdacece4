#pragma once
#include <cstdint>
#include <memory>
#include "dgraphics.ptr"
#include "dimage.ptr"
#include "dprimitives.h"
#include "dstring.h"

class RenderSurface;

namespace dfc::microedition::lcdui {

// An RGB565 picture with the colour key 0xF81F: pixels of that value are left out when the
// image is drawn with DGraphics::drawImage.
class DImage : public lang::DObject {
public:
    static constexpr int32_t colourKey = 0xF81F;

    // Transforms: 0 none, 2 mirrored left to right, 3 turned 180 degrees, 5 a quarter turn
    // clockwise, 6 a quarter turn counter-clockwise. Others throw DIllegalArgumentException.
    static constexpr int TRANS_NONE = 0;
    static constexpr int TRANS_MIRROR = 2;
    static constexpr int TRANS_ROT180 = 3;
    static constexpr int TRANS_ROT90 = 5;
    static constexpr int TRANS_ROT270 = 6;

    // A PNG or JPEG file beside the executable, else the archive entry under "image.path";
    // throws DDamagedDataException naming the picture when neither is a picture that decodes.
    static DImagePtr createImage(lang::DStringPtr name, int transform = TRANS_NONE);
    // A transformed copy; the source is not changed.
    static DImagePtr createImage(DImagePtr source, int transform);
    // A blank white image to draw on.
    static DImagePtr createImage(int width, int height);
    // From 0xAARRGGBB values in rows; with processAlpha, anything not fully opaque is keyed out.
    static DImagePtr createRGBImage(lang::DintArrayPtr rgb, int width, int height, bool processAlpha);

    ~DImage() override;

    DGraphicsPtr getGraphics();
    // Pixels as 0xAARRGGBB: 0 for key pixels, otherwise opaque with the low bits of each channel 0.
    void getRGB(lang::DintArrayPtr rgb, int offset, int scanlength, int x, int y, int width, int height);

    int getWidth() const;
    int getHeight() const;
    // Whether drawing it sets every pixel it spans: no pixel has the colour key's value.
    bool isOpaque() const;
    RenderSurface* getSurface() const { return surface.get(); }

private:
    explicit DImage(std::unique_ptr<RenderSurface> pixels);

    std::unique_ptr<RenderSurface> surface;
};

}  // namespace dfc::microedition::lcdui
