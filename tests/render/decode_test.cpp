#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <random>
#include "image_makers.h"
#include "imagecodec.h"

namespace {

std::unique_ptr<RenderSurface> decode(const std::vector<uint8_t>& bytes) {
    return std::unique_ptr<RenderSurface>(ImageCodec::decode(bytes.data(), bytes.data() + bytes.size()));
}

std::vector<uint16_t> pixelsOf(const RenderSurface& s) {
    std::vector<uint16_t> out;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) out.push_back(s.getPixel(x, y));
    return out;
}

constexpr uint16_t grey(int v) { return rgb565(v, v, v); }

PngPicture randomRgb(uint32_t width, uint32_t height, bool interlaced, std::vector<uint16_t>& expected) {
    std::mt19937 random(width * 31 + height);
    PngPicture p{width, height, PNG_COLOR_TYPE_RGB, 8, interlaced, {}, {}, {}};
    expected.clear();
    for (uint32_t y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t r = uint8_t(random()), g = uint8_t(random()), b = uint8_t(random());
            row.insert(row.end(), {r, g, b});
            expected.push_back(rgb565(r, g, b));
        }
        p.rows.push_back(row);
    }
    return p;
}

// Within one step of each channel: JPEG is lossy.
bool near565(uint16_t expected, uint16_t actual) {
    auto close = [](int a, int b, int slack) { return std::abs(a - b) <= slack; };
    return close(expected >> 11, actual >> 11, 1) && close((expected >> 5) & 63, (actual >> 5) & 63, 2) &&
           close(expected & 31, actual & 31, 1);
}

}  // namespace

TEST(DecodePng, EveryStoredFormatComesOutAsRgb565) {
    struct Case {
        const char* name;
        PngPicture picture;
        std::vector<uint16_t> expected;
    };
    const Case cases[] = {
        {"rgb",
         {3,
          2,
          PNG_COLOR_TYPE_RGB,
          8,
          false,
          {{255, 0, 0, 0, 255, 0, 0, 0, 255}, {255, 255, 255, 8, 4, 8, 0, 0, 0}},
          {},
          {}},
         {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0821, 0x0000}},
        {"rgba drops alpha",
         {2, 1, PNG_COLOR_TYPE_RGBA, 8, false, {{255, 0, 0, 0, 0, 0, 255, 255}}, {}, {}},
         {0xF800, 0x001F}},
        {"16-bit rgb",
         {2,
          1,
          PNG_COLOR_TYPE_RGB,
          16,
          false,
          {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x10, 0x12, 0x34, 0, 0, 0xFF, 0}},
          {},
          {}},
         {rgb565(255, 128, 0), rgb565(0x12, 0, 0xFF)}},
        {"palette with transparency",
         {4,
          1,
          PNG_COLOR_TYPE_PALETTE,
          4,
          false,
          {packSamples({0, 1, 2, 1}, 4)},
          {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
          {0, 128}},
         {0xF81F, 0x07E0, 0x001F, 0x07E0}},
        {"8-bit palette",
         {2, 1, PNG_COLOR_TYPE_PALETTE, 8, false, {{1, 0}}, {{10, 20, 30}, {200, 100, 50}}, {}},
         {rgb565(200, 100, 50), rgb565(10, 20, 30)}},
        {"1-bit grey",
         {3, 1, PNG_COLOR_TYPE_GRAY, 1, false, {packSamples({0, 1, 0}, 1)}, {}, {}},
         {grey(0), grey(255), grey(0)}},
        {"2-bit grey",
         {4, 1, PNG_COLOR_TYPE_GRAY, 2, false, {packSamples({0, 1, 2, 3}, 2)}, {}, {}},
         {grey(0), grey(85), grey(170), grey(255)}},
        {"4-bit grey",
         {3, 1, PNG_COLOR_TYPE_GRAY, 4, false, {packSamples({0, 8, 15}, 4)}, {}, {}},
         {grey(0), grey(136), grey(255)}},
        {"8-bit grey", {2, 1, PNG_COLOR_TYPE_GRAY, 8, false, {{200, 7}}, {}, {}}, {grey(200), grey(7)}},
        {"16-bit grey", {1, 1, PNG_COLOR_TYPE_GRAY, 16, false, {{0x9A, 0xBC}}, {}, {}}, {grey(0x9A)}},
        {"grey with alpha",
         {2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {{100, 0, 250, 255}}, {}, {}},
         {grey(100), grey(250)}},
        {"16-bit grey with alpha",
         {1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, {{0x40, 0x01, 0x00, 0x00}}, {}, {}},
         {grey(0x40)}},
    };
    for (const auto& c : cases) {
        auto surface = decode(encodePng(c.picture));
        ASSERT_TRUE(surface) << c.name;
        EXPECT_EQ(int(c.picture.width), surface->width()) << c.name;
        EXPECT_EQ(c.expected, pixelsOf(*surface)) << c.name;
        EXPECT_EQ(-1, surface->getColourKey()) << c.name;
    }
}

TEST(DecodePng, InterlacedPicturesDecodeWhole) {
    std::vector<uint16_t> expected;
    for (uint32_t size : {1u, 5u, 9u, 17u}) {
        auto surface = decode(encodePng(randomRgb(size, size + 2, true, expected)));
        ASSERT_TRUE(surface) << size;
        EXPECT_EQ(expected, pixelsOf(*surface)) << size;
    }
}

TEST(DecodePng, CutShortAtAnyLengthGivesTheWholePictureOrNothing) {
    std::vector<uint16_t> expected;
    auto png = encodePng(randomRgb(20, 12, false, expected));
    for (size_t length = 0; length < png.size(); ++length) {
        auto surface = std::unique_ptr<RenderSurface>(ImageCodec::decode(png.data(), png.data() + length));
        if (surface) {
            EXPECT_EQ(expected, pixelsOf(*surface)) << length;
        }
        // Only the closing chunk may be missing.
        if (length < png.size() - 12) {
            EXPECT_FALSE(surface) << length;
        }
    }
}

TEST(DecodePng, DamagedBytesNeverCrash) {
    std::vector<uint16_t> expected;
    auto png = encodePng(randomRgb(12, 7, true, expected));
    for (size_t at = 8; at < png.size(); ++at)
        for (uint8_t flip : {0x01, 0x80, 0xFF}) {
            auto damaged = png;
            damaged[at] ^= flip;
            auto surface = decode(damaged);
            if (surface) {
                EXPECT_EQ(expected, pixelsOf(*surface)) << at;
            }
        }
}

TEST(DecodePng, AHugeDeclaredSizeIsRefusedBeforeAnythingIsAllocated) {
    std::vector<uint16_t> expected;
    auto png = encodePng(randomRgb(4, 4, false, expected));
    // 65536 x 65536 RGB565 pixels wrap a 32-bit byte count to 0.
    declarePngSize(png, 65536, 65536);
    EXPECT_FALSE(decode(png));
    declarePngSize(png, 0x7FFFFFFF, 2);
    EXPECT_FALSE(decode(png));
}

TEST(DecodePng, ShortSignaturesGoToTheJpegReaderAndFail) {
    std::vector<uint8_t> seven{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A};
    EXPECT_FALSE(decode(seven));
    EXPECT_FALSE(decode({}));
    EXPECT_EQ(nullptr, ImageCodec::decode(nullptr, nullptr));
}

TEST(DecodeJpeg, ColourAndGreyPictures) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 16 * 8; ++i) rgb.insert(rgb.end(), {200, 100, 50});
    auto colour = decode(encodeJpeg(16, 8, 3, rgb));
    ASSERT_TRUE(colour);
    EXPECT_EQ(16, colour->width());
    EXPECT_EQ(8, colour->height());
    for (uint16_t p : pixelsOf(*colour)) ASSERT_TRUE(near565(rgb565(200, 100, 50), p)) << std::hex << p;

    std::vector<uint8_t> grey(9 * 5, 128);
    auto greyPicture = decode(encodeJpeg(9, 5, 1, grey));
    ASSERT_TRUE(greyPicture);
    EXPECT_EQ(9, greyPicture->width());
    for (uint16_t p : pixelsOf(*greyPicture)) ASSERT_TRUE(near565(rgb565(128, 128, 128), p)) << std::hex << p;
}

TEST(DecodeJpeg, PicturesNeitherColourNorGreyAreRefused) {
    std::vector<uint8_t> cmyk(8 * 8 * 4, 60);
    EXPECT_FALSE(decode(encodeJpeg(8, 8, 4, cmyk)));
}

TEST(DecodeJpeg, CutShortAfterTheHeaderStillGivesTheWholeSize) {
    std::mt19937 random(3);
    std::vector<uint8_t> rgb(32 * 24 * 3);
    for (auto& v : rgb) v = uint8_t(random());
    auto jpeg = encodeJpeg(32, 24, 3, rgb);
    int whole = 0;
    for (size_t length = 0; length <= jpeg.size(); ++length) {
        auto surface = std::unique_ptr<RenderSurface>(ImageCodec::decode(jpeg.data(), jpeg.data() + length));
        if (!surface) continue;
        ++whole;
        EXPECT_EQ(32, surface->width());
        EXPECT_EQ(24, surface->height());
    }
    // Every cut inside the scan data decodes.
    EXPECT_GT(whole, int(jpeg.size()) / 2);
}

TEST(DecodeJpeg, DamagedBytesNeverCrash) {
    std::vector<uint8_t> rgb(16 * 16 * 3, 90);
    auto jpeg = encodeJpeg(16, 16, 3, rgb);
    for (size_t at = 2; at < jpeg.size(); ++at)
        for (uint8_t flip : {0x01, 0x80, 0xFF}) {
            auto damaged = jpeg;
            damaged[at] ^= flip;
            auto surface = decode(damaged);
            if (surface) {
                EXPECT_LE(surface->width() * int64_t(surface->height()), int64_t(ImageCodec::maxPixels));
            }
        }
}

TEST(DecodeJpeg, AHugeDeclaredSizeIsRefused) {
    std::vector<uint8_t> rgb(8 * 8 * 3, 90);
    auto jpeg = encodeJpeg(8, 8, 3, rgb);
    declareJpegSize(jpeg, 65000, 65000);
    EXPECT_FALSE(decode(jpeg));
}
