// The pixels of all pictures come out of one budget: taken when a surface allocates them, given
// back when it goes; a decoder refuses a picture the room left cannot hold from its header.
#include "pixelbudget.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "failing_new.h"
#include "image_makers.h"
#include "imagecodec.h"

namespace {

using SurfacePtr = std::unique_ptr<RenderSurface>;

constexpr uint32_t wide = 1024;

// Surfaces that leave only `left` pixels of room: rows of the full width, then one short row.
std::vector<SurfacePtr> takeAllBut(uint64_t left) {
    const uint64_t taken = PixelBudget::room() - left;
    std::vector<SurfacePtr> held;
    held.emplace_back(RenderSurface::create(wide, uint32_t(taken / wide)));
    if (taken % wide) held.emplace_back(RenderSurface::create(uint32_t(taken % wide), 1));
    for (const SurfacePtr& surface : held) EXPECT_TRUE(surface);
    EXPECT_EQ(PixelBudget::room(), left);
    return held;
}

}  // namespace

TEST(PixelBudget, SurfacesTakeTheirPixelsAndGiveThemBack) {
    const uint64_t room = PixelBudget::room();
    std::vector<SurfacePtr> most = takeAllBut(wide);
    SurfacePtr past(RenderSurface::create(wide, 2));
    EXPECT_FALSE(past);
    SurfacePtr last(RenderSurface::create(wide, 1));
    EXPECT_TRUE(last);
    EXPECT_EQ(PixelBudget::room(), 0u);
    most.clear();
    last.reset();
    EXPECT_EQ(PixelBudget::room(), room);
    {
        // A surface whose memory runs out gives its room back at once.
        failNextAllocations(1);
        RenderSurface starved(wide, 2);
        EXPECT_FALSE(starved.getSurface());
        EXPECT_EQ(PixelBudget::room(), room);
    }
    // A copy counts as much as the picture it copies.
    SurfacePtr half(RenderSurface::create(wide, uint32_t(room / 2 / wide + 1)));
    ASSERT_TRUE(half);
    EXPECT_FALSE(SurfacePtr(half->clone()));
}

TEST(PixelBudget, DecodersRefuseFromTheHeaderAPictureTheRoomLeftCannotHold) {
    const std::vector<std::vector<uint8_t>> rows(16, std::vector<uint8_t>(16, 0x80));
    const struct {
        const char* kind;
        std::vector<uint8_t> bytes;
    } cases[] = {{"PNG", encodePng({16, 16, PNG_COLOR_TYPE_GRAY, 8, false, rows, {}, {}})},
                 {"JPEG", encodeJpeg(16, 16, 1, std::vector<uint8_t>(256, 0x80))}};
    for (const auto& c : cases) {
        std::vector<SurfacePtr> most = takeAllBut(16 * 16 - 1);
        ImageCodec::Oversize oversize;
        EXPECT_FALSE(SurfacePtr(ImageCodec::decode(c.bytes.data(), c.bytes.data() + c.bytes.size(), &oversize)))
            << c.kind;
        EXPECT_EQ(oversize.width, 16u) << c.kind;
        EXPECT_EQ(oversize.height, 16u) << c.kind;
        most.clear();
        EXPECT_TRUE(SurfacePtr(ImageCodec::decode(c.bytes.data(), c.bytes.data() + c.bytes.size()))) << c.kind;
    }
}
