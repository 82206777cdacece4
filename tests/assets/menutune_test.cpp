// The menu tune plays through a MOD player and comes round to its start without a click.
#include <gtest/gtest.h>
#include <xmp.h>
#include <algorithm>
#include <cstdlib>
#include <vector>
#include "assettool.h"

namespace {

const std::filesystem::path tune = std::filesystem::path(MOSSYARD_BINARY_DIR) / "gamedat-stage" / "sound" / "menu.mod";

// Mono samples of the tune played twice round, and where the second time begins.
std::vector<int16_t> playTwice(size_t& seam) {
    std::vector<int16_t> samples;
    xmp_context player = xmp_create_context();
    std::string path = tune.string();
    EXPECT_EQ(xmp_load_module(player, path.c_str()), 0);
    xmp_start_player(player, 22050, XMP_FORMAT_MONO);
    xmp_frame_info frame{};
    seam = 0;
    while (xmp_play_frame(player) == 0) {
        xmp_get_frame_info(player, &frame);
        if (frame.loop_count > 1) break;
        if (frame.loop_count == 1 && seam == 0) seam = samples.size();
        const int16_t* buffer = static_cast<const int16_t*>(frame.buffer);
        samples.insert(samples.end(), buffer, buffer + frame.buffer_size / 2);
    }
    xmp_end_player(player);
    xmp_release_module(player);
    xmp_free_context(player);
    return samples;
}

int largestStep(const std::vector<int16_t>& samples, size_t from, size_t to) {
    int step = 0;
    for (size_t i = std::max<size_t>(from, 1); i < to && i < samples.size(); ++i)
        step = std::max(step, std::abs(samples[i] - samples[i - 1]));
    return step;
}

TEST(MenuTune, LoopsWithoutAClick) {
    size_t seam = 0;
    std::vector<int16_t> samples = playTwice(seam);
    ASSERT_GT(seam, 22050u * 10) << "the tune should run for a while before it comes round";
    ASSERT_GT(samples.size(), seam + 22050);
    int atSeam = largestStep(samples, seam - 2205, seam + 2205);
    int inTune = largestStep(samples, 1, seam);
    EXPECT_LE(atSeam, inTune) << "the jump back to the start is harsher than anything inside the tune";
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_LT(peak, 32000) << "the tune clips";
}

}  // namespace
