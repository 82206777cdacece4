// Every simulated device: the display opens, and what is drawn reaches the panel upright.
#include <algorithm>
#include "display_fixture.h"

namespace {

class EveryProfile : public DisplayFixture, public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { StartDevice(GetParam()); }
    void TearDown() override { StopDevice(); }

    // Draws the whole frame: the pattern, with a small block changed when asked.
    static void Draw(Surface* s, bool changed) {
        for (uint32_t y = 0; y < s->height; ++y)
            for (uint32_t x = 0; x < s->width; ++x) *s->pixelAddress(x, y) = Expected(int(x), int(y), changed);
    }

    static uint16_t Expected(int x, int y, bool changed) {
        bool inBlock = x >= changedBlock.left && x < changedBlock.right && y >= changedBlock.top && y < changedBlock.bottom;
        return changed && inBlock ? uint16_t(~Pattern(x, y)) : Pattern(x, y);
    }

    // The panel, upright, against the frame drawn; the first pixel that differs.
    static std::string Mismatch(const DisplayParameters& p, bool changed) {
        const platform::Picture& picture = platform::screen();
        if (DWORD(picture.width) != p.width || DWORD(picture.height) != p.height)
            return "panel " + std::to_string(picture.width) + " x " + std::to_string(picture.height);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (picture.pixels[size_t(y) * picture.width + x] != Expected(x, y, changed))
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        return "";
    }

    static constexpr RECT changedBlock{7, 9, 12, 12};
};

TEST_P(EveryProfile, ShowsWhatIsDrawnUprightThenItsChanges) {
    DisplayParameters p{176, 220, 0, 1};
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(p.orientation, 0u);

    ASSERT_TRUE(display->BeginScene());
    Draw(display->GetBackBuffer(), false);
    EXPECT_TRUE(display->Swap(0));
    EXPECT_EQ(Mismatch(p, false), "");

    ASSERT_TRUE(display->BeginScene());
    Draw(display->GetBackBuffer(), true);
    display->SetDirtyRect(&changedBlock);
    EXPECT_TRUE(display->Swap(SWAP_WAIT));
    EXPECT_EQ(Mismatch(p, true), "");
    delete display;
}

std::vector<std::string> ProfileNames() {
    std::vector<std::string> names;
    for (const auto& p : platform::profiles()) names.push_back(p.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Devices, EveryProfile, ::testing::ValuesIn(ProfileNames()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
