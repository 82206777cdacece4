// Opening and reading one entry of a 300-entry archive, beside decoding the same bytes with
// liblzma alone: what the archive adds to the decoding is finding and stepping to the entry.
#include <benchmark/benchmark.h>
#include <lzma.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>
#include "d7zipinputstream.h"
#include "platform.h"

using dfc::io::D7zipInputStream;
using dfc::io::D7zipInputStreamPtr;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;
using dfc::lang::DString;

namespace {

constexpr int entryCount = 300;

// About 8 KB of text-like bytes that pack to a third or so, different for every entry.
std::string entryBytes(int index) {
    static const char* words[] = {
        "sprite ", "level ", "brick ", "paddle ", "score=", "12 ", "340 ", "\n", "frame ", "x="};
    std::mt19937 random{unsigned(index)};
    std::string bytes;
    while (bytes.size() < 8192) bytes += words[random() % 10];
    return bytes;
}

std::string entryName(int index) { return "data/entry" + std::to_string(index) + ".txt"; }

// Packs the archive once, as the data tool does: one entry per folder, LZMA.
struct Fixture {
    std::filesystem::path folder;

    Fixture() {
        folder = std::filesystem::temp_directory_path() / ("mossyard-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "src/data");
        for (int i = 0; i < entryCount; ++i)
            std::ofstream(folder / "src" / entryName(i), std::ios::binary) << entryBytes(i);
        std::string command =
            "cd '" + (folder / "src").string() +
            "' && 7zz a -bso0 -bsp0 -t7z -m0=LZMA -ms=off -mtm=off -mtc=off -mta=off ../game.dat data";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("7zz failed");
        platform::setModulePath((folder / "mossyard").string());
        D7zipInputStream::openArchive(u"game.dat", u"password");
    }
    ~Fixture() {
        D7zipInputStream::closeArchive();
        std::filesystem::remove_all(folder);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void openAndRead(benchmark::State& state) {
    fixture();
    int index = int(state.range(0));
    std::string name = "/" + entryName(index);
    for (auto _ : state) {
        D7zipInputStreamPtr in = D7zipInputStream::open(new DString(name.c_str()));
        DbyteArrayPtr bytes = new DbyteArray(in->available());
        benchmark::DoNotOptimize(in->read(bytes));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(entryBytes(index).size()));
}

// The entry packed as a bare LZMA stream with the archive's settings (level 5, a dictionary
// no larger than the entry), then decoded on its own.
std::vector<uint8_t> packed(const std::string& bytes) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 5);
    options.dict_size = std::max<uint32_t>(LZMA_DICT_SIZE_MIN, uint32_t(bytes.size()));
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_encoder(&stream, &options) != LZMA_OK) throw std::runtime_error("encoder");
    std::vector<uint8_t> out(bytes.size() + 1024);
    stream.next_in = reinterpret_cast<const uint8_t*>(bytes.data());
    stream.avail_in = bytes.size();
    stream.next_out = out.data();
    stream.avail_out = out.size();
    if (lzma_code(&stream, LZMA_FINISH) != LZMA_STREAM_END) throw std::runtime_error("encoding");
    out.resize(out.size() - stream.avail_out);
    lzma_end(&stream);
    return out;
}

void lzmaAlone(benchmark::State& state) {
    std::string bytes = entryBytes(int(state.range(0)));
    std::vector<uint8_t> input = packed(bytes);
    std::vector<uint8_t> output(bytes.size());
    for (auto _ : state) {
        lzma_stream stream = LZMA_STREAM_INIT;
        if (lzma_alone_decoder(&stream, UINT64_MAX) != LZMA_OK) state.SkipWithError("no decoder");
        stream.next_in = input.data();
        stream.avail_in = input.size();
        stream.next_out = output.data();
        stream.avail_out = output.size();
        if (lzma_code(&stream, LZMA_FINISH) != LZMA_STREAM_END) state.SkipWithError("decoding failed");
        lzma_end(&stream);
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

}  // namespace

BENCHMARK(openAndRead)
    ->Arg(0)
    ->Arg(150)
    ->Arg(299)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(lzmaAlone)->Arg(0)->Arg(150)->Arg(299)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(
    benchmark::kMicrosecond);

BENCHMARK_MAIN();
