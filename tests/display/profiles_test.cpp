// Every simulated device: the display opens, and what is drawn reaches the panel upright.
#include <algorithm>
#include "display_fixture.h"

namespace {

class EveryProfile : public DisplayFixture, public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { StartDevice(GetParam()); }
    void TearDown() override { StopDevice(); }
};

TEST_P(EveryProfile, ShowsWhatIsDrawnUprightThenItsChanges) {
    EXPECT_EQ(ShowPatternThenChange(window, RECT{7, 9, 12, 12}), "");
}

std::vector<std::string> ProfileNames() {
    std::vector<std::string> names;
    for (const auto& p : platform::profiles()) names.push_back(p.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Devices, EveryProfile, ::testing::ValuesIn(ProfileNames()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

}  // namespace
