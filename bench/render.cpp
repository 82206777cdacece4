// The renderer's inner loops on screen-sized surfaces, each beside the same work done by
// pixman and, for copies and fills, by the C library's memcpy and memset.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <pixman.h>
#include <cstring>
#include <memory>
#include <random>
#include <vector>
#include "image_makers.h"
#include "imagecodec.h"
#include "rendercontext.h"

namespace {

constexpr uint16_t key = 0xF81F;

// Other work on the machine only ever adds time: the fastest repetition is the fairest.
double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// The two screens the games run on.
void screens(benchmark::internal::Benchmark* b) {
    b->Args({176, 220})->Args({240, 320})->ComputeStatistics("min", fastest);
}

std::unique_ptr<RenderSurface> noise(int width, int height, uint32_t seed) {
    std::unique_ptr<RenderSurface> s(RenderSurface::create(width, height));
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *s->getSurface()->pixelAddress(x, y) = uint16_t(random()) | 0x0020;  // never the key
    return s;
}

pixman_image_t* pixmanOver(RenderSurface& s) {
    Surface* p = s.getSurface();
    return pixman_image_create_bits(PIXMAN_r5g6b5, int(p->width), int(p->height),
                                    reinterpret_cast<uint32_t*>(p->pixels()), p->pitch);
}

struct Frame {
    explicit Frame(const benchmark::State& state)
        : width(int(state.range(0))), height(int(state.range(1))), target(noise(width, height, 1)),
          picture(noise(width, height, 2)), context(target.get()) {}
    ~Frame() {
        if (pixmanTarget) pixman_image_unref(pixmanTarget);
    }
    pixman_image_t* pixmanDestination() { return pixmanTarget ? pixmanTarget : (pixmanTarget = pixmanOver(*target)); }
    size_t bytes() const { return size_t(target->getSurface()->pitch) * height; }

    int width;
    int height;
    std::unique_ptr<RenderSurface> target;
    std::unique_ptr<RenderSurface> picture;
    RenderContext context;
    pixman_image_t* pixmanTarget = nullptr;
};

// --- Opaque full-frame blit -------------------------------------------------------------

void BlitOpaque(benchmark::State& state) {
    Frame f(state);
    for (auto _ : state) {
        f.context.blit(0, 0, *f.picture);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.bytes()));
}

void BlitOpaqueMemcpy(benchmark::State& state) {
    Frame f(state);
    for (auto _ : state) {
        std::memcpy(f.target->getSurface()->pixels(), f.picture->getSurface()->pixels(), f.bytes());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.bytes()));
}

void BlitOpaquePixman(benchmark::State& state) {
    Frame f(state);
    pixman_image_t* source = pixmanOver(*f.picture);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, f.pixmanDestination(), 0, 0, 0, 0, 0, 0, f.width,
                                 f.height);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(source);
    state.SetBytesProcessed(int64_t(state.iterations() * f.bytes()));
}

// --- Keyed sprites from an atlas, with a clip -------------------------------------------

// An atlas of round sprites on the key colour, as game atlases are.
std::unique_ptr<RenderSurface> spriteAtlas(int size) {
    const int across = 8;
    auto atlas = noise(size * across, size * across, 3);
    for (int y = 0; y < size * across; ++y)
        for (int x = 0; x < size * across; ++x) {
            int dx = x % size * 2 + 1 - size, dy = y % size * 2 + 1 - size;
            if (dx * dx + dy * dy > size * size) *atlas->getSurface()->pixelAddress(x, y) = key;
        }
    atlas->setColourKey(key);
    return atlas;
}

struct Sprite {
    int x, y;
    RenderRect from;
};

// 100 sprites at scattered places, some across the clip's edges.
std::vector<Sprite> scatter(int size, int width, int height) {
    std::mt19937 random(5);
    std::vector<Sprite> sprites;
    for (int i = 0; i < 100; ++i) {
        int cell = int(random() % 64);
        int left = cell % 8 * size, top = cell / 8 * size;
        sprites.push_back({int(random() % (width + size)) - size, int(random() % (height + size)) - size,
                           {left, top, left + size, top + size}});
    }
    return sprites;
}

constexpr int clipMargin = 10;

void BlitKeyedSprites(benchmark::State& state) {
    Frame f(state);
    int size = int(state.range(2));
    auto atlas = spriteAtlas(size);
    auto sprites = scatter(size, f.width, f.height);
    f.context.setClip({clipMargin, clipMargin, f.width - clipMargin, f.height - clipMargin});
    for (auto _ : state) {
        for (const auto& s : sprites) f.context.blit(s.x, s.y, *atlas, &s.from);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations() * sprites.size()));
}

// pixman has no colour key: the same sprites as 32-bit pictures whose alpha is 0 or 255.
void BlitKeyedSpritesPixman(benchmark::State& state) {
    Frame f(state);
    int size = int(state.range(2));
    auto atlas = spriteAtlas(size);
    int side = atlas->width();
    std::vector<uint32_t> argb(size_t(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            uint16_t p = atlas->getPixel(x, y);
            uint32_t rgb = uint32_t((p >> 11) << 19 | ((p >> 5) & 63) << 10 | (p & 31) << 3);
            argb[size_t(y) * side + x] = p == key ? 0 : 0xFF000000u | rgb;
        }
    pixman_image_t* source = pixman_image_create_bits(PIXMAN_a8r8g8b8, side, side, argb.data(), side * 4);
    pixman_image_t* destination = f.pixmanDestination();
    pixman_region32_t clip;
    pixman_region32_init_rect(&clip, clipMargin, clipMargin, f.width - 2 * clipMargin, f.height - 2 * clipMargin);
    pixman_image_set_clip_region32(destination, &clip);
    auto sprites = scatter(size, f.width, f.height);
    for (auto _ : state) {
        for (const auto& s : sprites)
            pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, destination, s.from.left, s.from.top, 0, 0, s.x,
                                     s.y, size, size);
        benchmark::ClobberMemory();
    }
    pixman_region32_fini(&clip);
    pixman_image_unref(source);
    state.SetItemsProcessed(int64_t(state.iterations() * sprites.size()));
}

void spriteSizes(benchmark::internal::Benchmark* b) {
    for (int size : {8, 16, 32}) b->Args({176, 220, size})->Args({240, 320, size});
    b->ComputeStatistics("min", fastest);
}

// --- Solid fills ------------------------------------------------------------------------

// range(2): the width filled; odd widths leave a pixel of each row out.
void FillSolid(benchmark::State& state) {
    Frame f(state);
    int width = int(state.range(2));
    for (auto _ : state) {
        f.context.fillRect(0, 0, width, f.height, 0xF800);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * 2 * width * f.height));
}

void FillSolidPixman(benchmark::State& state) {
    Frame f(state);
    int width = int(state.range(2));
    Surface* s = f.target->getSurface();
    for (auto _ : state) {
        pixman_fill(reinterpret_cast<uint32_t*>(s->pixels()), s->pitch / 4, 16, 0, 0, width, f.height, 0xF800);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * 2 * width * f.height));
}

void fillWidths(benchmark::internal::Benchmark* b) {
    b->Args({176, 220, 176})->Args({176, 220, 175})->Args({240, 320, 240})->Args({240, 320, 239});
    b->ComputeStatistics("min", fastest);
}

// A colour with two equal bytes clears the whole buffer with one byte fill.
void ClearEqualBytes(benchmark::State& state) {
    Frame f(state);
    for (auto _ : state) {
        f.context.clear(0xFFFF);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.bytes()));
}

void ClearEqualBytesMemset(benchmark::State& state) {
    Frame f(state);
    for (auto _ : state) {
        std::memset(f.target->getSurface()->pixels(), 0xFF, f.bytes());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.bytes()));
}

// --- Alpha blend of a whole frame at half strength ---------------------------------------

void BlendHalf(benchmark::State& state) {
    Frame f(state);
    f.context.setAlpha(128);
    for (auto _ : state) {
        f.context.blit(0, 0, *f.picture);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.bytes()));
}

void BlendHalfPixman(benchmark::State& state) {
    Frame f(state);
    pixman_image_t* source = pixmanOver(*f.picture);
    pixman_color_t half{0x8080, 0x8080, 0x8080, 0x8080};
    pixman_image_t* mask = pixman_image_create_solid_fill(&half);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, f.pixmanDestination(), 0, 0, 0, 0, 0, 0, f.width,
                                 f.height);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(mask);
    pixman_image_unref(source);
    state.SetBytesProcessed(int64_t(state.iterations() * f.bytes()));
}

// --- Decoding a screen-sized picture -----------------------------------------------------

// A photograph-like picture: smooth shading with some grain.
std::vector<uint8_t> screenPicture(int width, int height) {
    std::mt19937 random(9);
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int grain = int(random() % 16);
            rgb.insert(rgb.end(),
                       {uint8_t(x * 255 / width), uint8_t(y * 255 / height), uint8_t((x + y) % 200 + grain)});
        }
    return rgb;
}

void decodeBench(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    for (auto _ : state) {
        std::unique_ptr<RenderSurface> s(ImageCodec::decode(bytes.data(), bytes.data() + bytes.size()));
        if (!s) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(s.get());
    }
    state.counters["file bytes"] = double(bytes.size());
}

void DecodePng(benchmark::State& state) {
    int width = int(state.range(0)), height = int(state.range(1));
    auto rgb = screenPicture(width, height);
    PngPicture picture{uint32_t(width), uint32_t(height), PNG_COLOR_TYPE_RGB, 8, false, {}, {}, {}};
    for (int y = 0; y < height; ++y)
        picture.rows.emplace_back(rgb.begin() + y * width * 3, rgb.begin() + (y + 1) * width * 3);
    decodeBench(state, encodePng(picture));
}

void DecodeJpeg(benchmark::State& state) {
    int width = int(state.range(0)), height = int(state.range(1));
    decodeBench(state, encodeJpeg(width, height, 3, screenPicture(width, height)));
}

}  // namespace

BENCHMARK(BlitOpaque)->Apply(screens);
BENCHMARK(BlitOpaqueMemcpy)->Apply(screens);
BENCHMARK(BlitOpaquePixman)->Apply(screens);
BENCHMARK(BlitKeyedSprites)->Apply(spriteSizes);
BENCHMARK(BlitKeyedSpritesPixman)->Apply(spriteSizes);
BENCHMARK(FillSolid)->Apply(fillWidths);
BENCHMARK(FillSolidPixman)->Apply(fillWidths);
BENCHMARK(ClearEqualBytes)->Apply(screens);
BENCHMARK(ClearEqualBytesMemset)->Apply(screens);
BENCHMARK(BlendHalf)->Apply(screens);
BENCHMARK(BlendHalfPixman)->Apply(screens);
BENCHMARK(DecodePng)->Apply(screens);
BENCHMARK(DecodeJpeg)->Apply(screens);
