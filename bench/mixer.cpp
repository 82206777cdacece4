// Mixing a full speaker: sixteen looping effects resampled from 22050 Hz and four looping
// modules, into the 44000 Hz stereo output the device plays. Real time needs 44000 frames a
// second; the counter "realtime" says how many times faster than that the mixer runs.
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>
#include "ce_snd.h"
#include "headless.h"
#include "sound_files.h"

namespace {

void mixFullSpeaker(benchmark::State& state) {
    platform::headless::HeadlessBackend& device = platform::headless::install();
    sndSpeaker speaker;
    speaker.open(44000, 16, true, 4, 16);
    std::vector<int16_t> wave(22050);
    for (size_t i = 0; i < wave.size(); ++i) wave[i] = int16_t((i * 97) % 20000 - 10000);
    std::vector<uint8_t> wav = makeWav({22050, 1, 16}, wave), mod = makeMod(false);
    std::vector<std::unique_ptr<sndSound>> sounds;
    std::vector<std::unique_ptr<sndMusic>> musics;
    for (int i = 0; i < 16; ++i) {
        sounds.push_back(std::make_unique<sndSound>());
        sounds.back()->load(wav.data(), wav.size());
        sounds.back()->loop(true);
        speaker.playSound(sounds.back().get(), 0);
    }
    for (int i = 0; i < 4; ++i) {
        musics.push_back(std::make_unique<sndMusic>());
        musics.back()->load(mod.data(), mod.size());
        musics.back()->loop(true);
        speaker.playMusic(musics.back().get(), 0);
    }
    const size_t frames = size_t(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(device.takeAudio(frames));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(frames));
    state.counters["realtime"] =
        benchmark::Counter(double(state.iterations()) * double(frames) / 44000.0, benchmark::Counter::kIsRate);
    speaker.close();
}

}  // namespace

BENCHMARK(mixFullSpeaker)->Arg(1024)->Arg(4096);
BENCHMARK_MAIN();
