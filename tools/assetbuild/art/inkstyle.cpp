#include "inkstyle.h"

namespace assets {

namespace {

void layer(Image& image, const Mask& mask, int x, int y, const Paint& paint, const Box& box) {
    for (int my = 0; my < mask.height(); ++my)
        for (int mx = 0; mx < mask.width(); ++mx) {
            float coverage = mask.at(mx, my);
            if (coverage > 0) image.cover(x + mx, y + my, paint.at(x + mx + 0.5, y + my + 0.5, box), coverage);
        }
}

}  // namespace

void InkStyle::apply(Image& image, const Mask& ink, int x, int y, const Box& paintBox) const {
    Mask body = outline ? ink.grown() : ink;
    if (shadow) layer(image, body.shifted(1, 1), x, y, Paint(*shadow), paintBox);
    if (outline) layer(image, body, x, y, Paint(*outline), paintBox);
    layer(image, ink, x, y, fill, paintBox);
}

}  // namespace assets
