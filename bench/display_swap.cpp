// Swap through each path of the display layer, beside a memcpy of the same bytes.
#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>
#include "displaybase.h"
#include "headless.h"
#include "programwide.h"
#include "rotationdriver.h"
#include "slowfb.h"

namespace {

constexpr DWORD width = 240;
constexpr DWORD height = 320;

// A frame buffer in memory that does nothing else.
class MemoryDriver : public VideoDriver {
public:
    MemoryDriver(DWORD w, DWORD h, DWORD orientation, DWORD capability) : memory(size_t(w) * h * 2) {
        mode = VideoMode{w, h, 16, 2 * w, orientation, capability, memory.data()};
        surface.width = w;
        surface.height = h;
        surface.pitch = int32_t(2 * w);
        surface.setPixels(memory.data());
    }
    bool Initialize(HWND, const DisplayParameters&, const VideoMode&) override { return true; }
    Surface* GetSurface() override { return &surface; }

    std::vector<uint8_t> memory;
    Surface surface;
};

class MemoryDisplay : public DisplayBase {
public:
    explicit MemoryDisplay(VideoDriver* d) : DisplayBase(nullptr), driver(d) {}
    VideoDriver* CreateDriver(const DisplayParameters&) override { return driver; }
    VideoDriver* driver;
};

void Memcpy(benchmark::State& state) {
    size_t bytes = size_t(state.range(0));
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(Memcpy)->Arg(width * height * 2)->Arg((width - 4) * height * 2);

// The display's back buffer to a driver that cannot be drawn on straight: whole rows form one
// block; a rectangle narrower than the screen goes row by row.
void SwapBackBuffer(benchmark::State& state) {
    MemoryDisplay display(new MemoryDriver(width, height, 0, SWAP_CAPABILITY_NONE));
    display.Initialize(DisplayParameters{width, height, 0, SWAP_DISCARD});
    RECT dirty{LONG(state.range(0)), 0, LONG(width - state.range(0)), LONG(height)};
    display.SetDirtyRect(&dirty);
    for (auto _ : state) {
        display.BeginScene();
        display.Swap(0);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * (dirty.right - dirty.left) * height * 2);
}
BENCHMARK(SwapBackBuffer)->ArgName("margin")->Arg(0)->Arg(2);

void SwapRotated(benchmark::State& state) {
    DWORD turns = DWORD(state.range(0));
    bool across = turns % 2 != 0;
    auto* driver = new MemoryDriver(across ? height : width, across ? width : height, turns, SWAP_CAPABILITY_NONE);
    RotationDriver rotation(driver);
    rotation.Initialize(nullptr, DisplayParameters{width, height, 0, SWAP_DISCARD}, driver->mode);
    rotation.SetDirtyRect(RECT{0, 0, LONG(width), LONG(height)});
    for (auto _ : state) {
        rotation.GetSurface();
        rotation.Present(0);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 2);
}
BENCHMARK(SwapRotated)->ArgName("turns")->DenseRange(1, 3);

// Two frames that differ in the given share of their words, shown in turn.
void SwapSlowFB(benchmark::State& state) {
    auto* driver = new MemoryDriver(width, height, 0, SWAP_CAPABILITY_NONE);
    SlowFB slow(driver);
    slow.Initialize(nullptr, DisplayParameters{width, height, 0, SWAP_DISCARD}, driver->mode);
    slow.SetDirtyRect(RECT{0, 0, LONG(width), LONG(height)});
    size_t words = width * height / 2;
    auto* first = reinterpret_cast<uint32_t*>(slow.GetSurface()->pixels());
    std::fill(first, first + words, 0x12345678u);
    slow.Present(0);  // the first frame is copied whole
    auto* second = reinterpret_cast<uint32_t*>(slow.GetSurface()->pixels());
    std::copy(first, first + words, second);
    size_t changed = words * size_t(state.range(0)) / 100;
    for (size_t i = 0; i < changed; ++i) second[i * words / std::max<size_t>(changed, 1)] ^= 0xFFFFFFFFu;
    for (auto _ : state) {
        slow.GetSurface();
        slow.Present(0);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 2);
}
BENCHMARK(SwapSlowFB)->ArgName("changed%")->Arg(0)->Arg(10)->Arg(100);

// A whole frame through the driver detection picks on each simulated device.
void SwapOnDevice(benchmark::State& state, const char* profile) {
    platform::headless::install(profile);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Bench";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, u"Bench", u"", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DisplayParameters p{176, 220, 0, SWAP_DISCARD};
    Display* display = Display::Create(window, &p);
    for (auto _ : state) {
        display->BeginScene();
        display->Swap(0);
        platform::libraryCalls().clear();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * p.width * p.height * 2);
    delete display;
    platform::resetState();
}
BENCHMARK_CAPTURE(SwapOnDevice, smartphone, "smartphone");
BENCHMARK_CAPTURE(SwapOnDevice, pocketpc, "pocketpc");
BENCHMARK_CAPTURE(SwapOnDevice, smartphone_dma, "smartphone-dma");
BENCHMARK_CAPTURE(SwapOnDevice, landscape, "landscape");
BENCHMARK_CAPTURE(SwapOnDevice, xscale, "xscale");
BENCHMARK_CAPTURE(SwapOnDevice, ipaq3800, "ipaq3800");
BENCHMARK_CAPTURE(SwapOnDevice, e740, "e740");
BENCHMARK_CAPTURE(SwapOnDevice, mediaq, "mediaq");
BENCHMARK_CAPTURE(SwapOnDevice, vga, "vga");
BENCHMARK_CAPTURE(SwapOnDevice, desktop, "desktop");

}  // namespace
