#pragma once
#include <cstdint>
#include "gameimage.h"
#include "rectangle.h"
#include "spritebase.ptr"
#include "vector3d.h"

// A score pop-up: the points of a big score, shown for five seconds where they were scored.
class SpriteBase : public dfc::lang::DObject {
public:
    // Steps a pop-up is shown.
    static constexpr int32_t lifetime = 50;

    SpriteBase(int32_t index, const vector_3dPtr& at);

    virtual void paint(int dx, int dy);
    virtual void update();
    virtual void setPosition(int32_t x, int32_t y);

    // The score picture; -1 once expired.
    int32_t index;
    rectanglePtr bounds = new rectangle(0, 0, 0, 0);
    GameImagePtr image;
    vector_3dPtr position = new vector_3d();
    int32_t age = 0;
};
