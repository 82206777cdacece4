#include "platform.h"

namespace platform {

int fittingScale(int screenWidth, int screenHeight, int areaWidth, int areaHeight) {
    for (int scale = maxWindowScale; scale > 1; --scale)
        if (screenWidth * scale + windowFrameWidth <= areaWidth &&
            screenHeight * scale + windowFrameHeight <= areaHeight)
            return scale;
    return 1;
}

}  // namespace platform
