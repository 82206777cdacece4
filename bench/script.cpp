// Loading a headless script and playing its events: linear in the number of events whether
// the script is written in time order or backwards.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include "headless.h"

namespace {

// A script of n key presses 10 ms apart, written forwards or backwards; its path.
std::string writeScript(int64_t n, bool backwards) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("mossyard-bench-script-" + std::to_string(getpid()) + ".txt");
    std::ofstream out(path);
    for (int64_t i = 0; i < n; ++i) {
        const int64_t at = backwards ? n - 1 - i : i;
        out << 100 + 10 * at << " keydown " << (at % 2 ? "up" : "down") << "\n";
    }
    return path.string();
}

void loadScript(benchmark::State& state, bool backwards) {
    const std::string path = writeScript(state.range(0), backwards);
    for (auto _ : state) {
        platform::headless::HeadlessBackend device;
        std::string error;
        if (!device.loadScript(path, &error)) state.SkipWithError(error.c_str());
        // Every event delivered: without a window each one is only taken off the queue.
        device.advance(DWORD(100 + 10 * state.range(0)));
        device.pumpEvents();
    }
    std::filesystem::remove(path);
    state.SetComplexityN(state.range(0));
}

void BM_ScriptInTimeOrder(benchmark::State& state) { loadScript(state, false); }
void BM_ScriptBackwards(benchmark::State& state) { loadScript(state, true); }

}  // namespace

BENCHMARK(BM_ScriptInTimeOrder)->Arg(12500)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ScriptBackwards)->Arg(12500)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond)->Complexity();
