// The copier in front of a slow frame buffer.
#include <algorithm>
#include "display_fixture.h"
#include "slowfb.h"
#include "stub_driver.h"

namespace {

constexpr uint16_t untouched = 0xEEEE;

struct Slow {
    Slow(DWORD width, DWORD height, DWORD swapEffect)
        : stub(new StubDriver(width, height, 2 * width, 0, SWAP_CAPABILITY_NONE)), slow(stub) {
        EXPECT_TRUE(slow.Initialize(nullptr, DisplayParameters{width, height, 0, swapEffect}, stub->mode));
    }

    // Draws the whole frame, the pattern with the given pixels changed, and presents its dirty rows.
    void Frame(const std::vector<POINT>& changed, const RECT& dirty, DWORD flags = 0) {
        Surface* s = slow.GetSurface();
        for (DWORD y = 0; y < s->height; ++y)
            for (DWORD x = 0; x < s->width; ++x) *s->pixelAddress(x, y) = Pattern(int(x), int(y));
        for (const POINT& p : changed) *s->pixelAddress(p.x, p.y) = 0x0000;
        slow.SetDirtyRect(dirty);
        slow.Present(flags);
    }

    void ForgetFrameBuffer() { std::fill(stub->memory.begin(), stub->memory.end(), 0xEE); }

    StubDriver* stub;
    SlowFB slow;
};

TEST(SlowFBTest, WritesOnlyTheWordsThatChanged) {
    for (DWORD swapEffect : {SWAP_DISCARD, SWAP_COPY}) {
        Slow s(40, 8, swapEffect);
        EXPECT_EQ(s.slow.mode.swapCapability, swapEffect == SWAP_COPY ? SWAP_CAPABILITY_KEEP : SWAP_CAPABILITY_DISCARD);
        RECT all{0, 0, 40, 8};
        s.Frame({}, all);
        s.ForgetFrameBuffer();
        const std::vector<POINT> changed{{3, 2}, {4, 2}, {21, 5}};
        s.Frame(changed, RECT{3, 2, 22, 6});
        for (LONG y = 0; y < 8; ++y) {
            for (LONG x = 0; x < 40; ++x) {
                // A word holds two pixels: both go out when either changed.
                bool written = std::any_of(changed.begin(), changed.end(),
                                           [&](const POINT& p) { return p.y == y && p.x / 2 == x / 2; });
                bool isChanged =
                    std::any_of(changed.begin(), changed.end(), [&](const POINT& p) { return p.x == x && p.y == y; });
                uint16_t expected = !written ? untouched : isChanged ? 0x0000 : Pattern(x, y);
                ASSERT_EQ(s.stub->Pixel(x, y), expected) << "swap effect " << swapEffect << " at " << x << ", " << y;
            }
        }
        EXPECT_EQ(s.stub->presents, 2);
    }
}

TEST(SlowFBTest, CopiesEverythingAfterSuspendResumeOrPaint) {
    for (int notice = 0; notice < 2; ++notice) {
        Slow s(40, 8, SWAP_COPY);
        RECT all{0, 0, 40, 8};
        s.Frame({}, all);
        s.ForgetFrameBuffer();
        if (notice == 0) {
            s.slow.suspend();
            s.slow.resume();
        } else {
            s.slow.paint();
        }
        s.Frame({}, RECT{0, 0, 1, 1});
        for (LONG y = 0; y < 8; ++y)
            for (LONG x = 0; x < 40; ++x)
                ASSERT_EQ(s.stub->Pixel(x, y), Pattern(x, y)) << notice << " at " << x << ", " << y;
        EXPECT_EQ(s.stub->suspends + s.stub->resumes, notice == 0 ? 2 : 0);
    }
}

TEST(SlowFBTest, LeavesTheFrameBufferAloneForAnUnchangedFrame) {
    Slow s(40, 8, SWAP_DISCARD);
    s.Frame({}, RECT{0, 0, 40, 8});
    s.ForgetFrameBuffer();
    s.Frame({{1, 1}}, RECT{0, 0, 40, 8}, PRESENT_UNCHANGED);
    EXPECT_EQ(s.stub->Pixel(1, 1), untouched);
}

// 4 rows of 80 bytes: the last row, rounded to even rows, starts a run of blocks that would
// end past the frame buffer.
TEST(SlowFBTest, KeepsItsBlocksInsideTheFrameBuffer) {
    Slow s(40, 4, SWAP_DISCARD);
    s.Frame({}, RECT{0, 0, 40, 4});
    s.ForgetFrameBuffer();
    s.Frame({{39, 3}}, RECT{0, 3, 40, 4});
    EXPECT_EQ(s.stub->Pixel(39, 3), 0x0000);
}

TEST(SlowFBTest, HandsOutTheFrameBufferItselfWhenItIsNotWholeBlocks) {
    auto* stub = new StubDriver(35, 3, 70, 0, SWAP_CAPABILITY_NONE);
    SlowFB slow(stub);
    ASSERT_TRUE(slow.Initialize(nullptr, DisplayParameters{35, 3, 0, SWAP_DISCARD}, stub->mode));
    EXPECT_EQ(slow.GetSurface(), &stub->surface);
    EXPECT_EQ(slow.mode.swapCapability, SWAP_CAPABILITY_NONE);
    slow.SetDirtyRect(RECT{1, 1, 2, 2});
    EXPECT_EQ(stub->dirtyRects.back(), (RECT{1, 1, 2, 2}));
}

}  // namespace
