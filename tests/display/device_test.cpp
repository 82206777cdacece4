// The simulated device the display layer runs on: its memory, libraries, GDI screen and clock.
#include <algorithm>
#include "display_fixture.h"

namespace {

class Device : public DisplayFixture, public ::testing::Test {
protected:
    void TearDown() override { StopDevice(); }
};

TEST_F(Device, DrawsGdiUprightOnAPanelMountedAcross) {
    for (const char* name : {"landscape", "ipaq3800", "pocketpc"}) {
        StartDevice(name);
        HDC dc = GetDC(window);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT block{10, 20, 30, 25};
        FillRect(dc, &block, red);
        DeleteObject(red);
        ReleaseDC(window, dc);
        const platform::Picture& shown = device->lastFrame();
        ASSERT_EQ(shown.width, 240) << name;
        for (int y = 0; y < shown.height; ++y) {
            for (int x = 0; x < shown.width; ++x) {
                bool inside = x >= 10 && x < 30 && y >= 20 && y < 25;
                ASSERT_EQ(shown.pixels[size_t(y) * 240 + x], inside ? 0xF800 : 0xFFFF) << name << " " << x << ", " << y;
            }
        }
        StopDevice();
    }
}

TEST_F(Device, MapsPhysicalMemorySoThatEveryMappingSeesTheSameBytes) {
    StartDevice("ipaq3800");
    auto map = [](LPVOID source, DWORD protect) {
        auto* reserved = static_cast<uint16_t*>(VirtualAlloc(nullptr, 8192, MEM_RESERVE, PAGE_NOACCESS));
        EXPECT_NE(reserved, nullptr);
        return VirtualCopy(reserved, source, 8192, protect) ? reserved
                                                            : (VirtualFree(reserved, 0, MEM_RELEASE), nullptr);
    };
    uint16_t* physical = map(reinterpret_cast<LPVOID>(uintptr_t(0xC0050000 >> 8)), PAGE_READWRITE | PAGE_PHYSICAL);
    uint16_t* uncached = map(reinterpret_cast<LPVOID>(uintptr_t(0xAC050000)), PAGE_READWRITE | PAGE_NOCACHE);
    uint16_t* cached = map(reinterpret_cast<LPVOID>(uintptr_t(0x8C050000)), PAGE_READWRITE);
    ASSERT_TRUE(physical && uncached && cached);
    EXPECT_EQ(physical[0], 0x2000);  // the palette's first word
    physical[100] = 0x1234;
    EXPECT_EQ(uncached[100], 0x1234);
    EXPECT_EQ(cached[100], 0x1234);
    // Nothing at this address: no mapping, and reading the reservation faults.
    auto* nothing = static_cast<uint8_t*>(VirtualAlloc(nullptr, 4096, MEM_RESERVE, PAGE_NOACCESS));
    EXPECT_FALSE(VirtualCopy(nothing, reinterpret_cast<LPVOID>(uintptr_t(0x50000000 >> 8)), 4096,
                             PAGE_READWRITE | PAGE_PHYSICAL));
    DWORD word = 0, read = 0;
    EXPECT_FALSE(ReadProcessMemory(GetCurrentProcess(), nothing, &word, 4, &read));
    EXPECT_TRUE(ReadProcessMemory(GetCurrentProcess(), physical, &word, 4, &read));
    for (void* m : {static_cast<void*>(physical), static_cast<void*>(uncached), static_cast<void*>(cached),
                    static_cast<void*>(nothing)})
        EXPECT_TRUE(VirtualFree(m, 0, MEM_RELEASE));
}

TEST_F(Device, OffersItsLibrariesByNameWithTheEntryPointsItHas) {
    static platform::Profile profile = *platform::findProfile("smartphone-dma");
    profile.libraries.back().missing = {u"IsDMAReady"};
    StartDevice(profile);
    HMODULE dma = LoadLibraryW(u"GXDMA.DLL");
    ASSERT_NE(dma, nullptr);
    EXPECT_NE(GetProcAddressW(dma, u"DmaDRAMtoVRAM"), nullptr);
    EXPECT_EQ(GetProcAddressW(dma, u"IsDMAReady"), nullptr);
    EXPECT_EQ(LoadLibraryW(u"gx.dll"), nullptr);
    EXPECT_EQ(LoadLibraryW(u"gxdma.dll"), dma);
    EXPECT_TRUE(FreeLibrary(dma));
    EXPECT_TRUE(FreeLibrary(dma));
    EXPECT_FALSE(FreeLibrary(dma));
    // The display still pushes its frames: readiness is taken for granted.
    EXPECT_EQ(ShowPatternThenChange(window, RECT{1, 1, 2, 2}), "");
}

TEST_F(Device, ShowsThePanelFromTheMessagePumpOnceARefreshHasPassed) {
    StartDevice("vga");
    DisplayParameters p{176, 220, 0, SWAP_DISCARD};
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    ASSERT_TRUE(display->BeginScene());
    DrawFrame(display->GetBackBuffer());
    display->Swap(0);
    MSG msg;
    for (int i = 0; i < 20; ++i) PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
    const platform::Picture& shown = device->lastFrame();
    ASSERT_EQ(shown.width, 480);
    EXPECT_EQ(shown.pixels[size_t(639) * 480 + 479], Pattern(479, 639));
    delete display;
}

TEST_F(Device, LetsTimePassALittleForAYield) {
    StartDevice("smartphone");
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    Sleep(0);
    QueryPerformanceCounter(&after);
    EXPECT_GT(after.QuadPart, before.QuadPart);
    EXPECT_LT(after.QuadPart - before.QuadPart, 1000);
}

}  // namespace
