// The platform layer's own controls: device profiles, the backend that shows the device,
// and the device picture. Used by the program's main, the backends and the tests; the
// program above the platform layer sees only the calls of ce.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include "ce_types.h"

namespace platform {

// The virtual keys a device sends for its buttons.
struct KeyTable {
    DWORD leftSoft;
    DWORD rightSoft;
    DWORD star;
    DWORD pound;
};

// The display panel: its frame memory as the LCD scans it, and how it is mounted in the case.
struct Panel {
    int width = 0;   // pixels a memory row; 0: the GDI screen's, turned by the mounting
    int height = 0;  // rows
    int pitch = 0;   // bytes from one row to the next; 0: twice the width
    // 16-bit words the frame memory holds before the pixels (an LCD controller's palette).
    std::vector<WORD> palette;
    // Quarter turns from the memory's picture to the picture the user sees upright; the
    // orientation the device's display libraries report.
    int mounting = 0;
    DWORD frameMemory = 0x0A000000;  // physical address of the frame memory (palette first)
};

// An in-process library the device offers.
struct Library {
    std::u16string name;
    std::vector<std::u16string> missing;  // entry points this device's copy does not export
};

// A window of the kernel's static address space onto physical memory.
struct KernelAlias {
    DWORD virtualBase;
    DWORD physicalBase;
    DWORD size;
};

// The processor's LCD controller, when the device drives its panel with it.
struct LcdController {
    enum Kind { none, strongArm, xscale } kind = none;
    std::vector<DWORD> registers;  // initial values; the scan position registers then move
    bool scanning = true;          // false: the scan position stays where it is
};

struct Profile {
    std::string name;
    std::string description;
    std::u16string platformType;
    std::u16string oemInfo;
    int screenWidth;  // the GDI screen
    int screenHeight;
    KeyTable keys;

    int screenBpp = 16;
    Panel panel;
    std::optional<DWORD> processorId;  // none: reading the identification register faults
    std::vector<Library> libraries;
    bool gapiDramBuffer = false;  // GAPI hands out a system-memory buffer and copies its viewport
    bool gxInfoEscape = false;    // the display driver answers GETGXINFO
    bool rawFrameBufferEscape = false;
    LcdController lcd;
    std::vector<KernelAlias> kernelAliases;
    bool performanceCounter = true;
    int slowMemoryNanosPerWord = 0;  // what writing a 32-bit word of frame memory costs; 0: nothing
    int dmaMicros = 500;             // how long gxdma.dll's transfer keeps it busy
    bool imageonCompletes = true;    // false: the Imageon engine never reports completion
    int imageonOverlays = 1;
    // Library entry points that raise a hardware fault when called.
    std::vector<std::u16string> faultingEntries;
};

const std::vector<Profile>& profiles();
const Profile* findProfile(std::string_view name);
const Profile& profile();
void selectProfile(const Profile& profile);

// What the device's screen shows, upright, RGB565.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;
};
// The panel as the user sees it now, read from its frame memory (overlays included).
Picture& screen();
// Hands the picture to the backend, which shows or captures it. The message pump does this
// once every panel refresh; drawing through GDI does it at once.
void screenChanged();

// Every call the program made into the device's display libraries, with its arguments, in
// order ("DmaDRAMtoVRAM(4,0,8,4)"); cleared by resetState.
std::vector<std::string>& libraryCalls();

enum class StylusAction { down, up, move };

// Fills frames of interleaved 16-bit stereo; a backend may call it from a thread of its own.
using AudioRender = std::function<void(int16_t* samples, size_t frames)>;

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* name() const = 0;
    // Turns waiting host input into window messages.
    virtual void pumpEvents() = 0;
    virtual void present(const Picture& picture) = 0;
    virtual void messageBox(const std::u16string& text, const std::u16string& caption) = 0;
    virtual DWORD tickCount() = 0;
    virtual int64_t performanceCounter() = 0;
    virtual int64_t performanceFrequency() = 0;
    virtual void sleep(DWORD milliseconds) = 0;
    // A poll of the message queue found nothing: an idle pass takes a millisecond, so a
    // polling loop neither burns the host's processor nor stops the virtual clock.
    virtual void idle() = 0;
    // Whether only one copy of the program may run on this machine.
    virtual bool singleInstance() const = 0;
    // The host cursor lies over the device window.
    virtual bool cursorOverWindow(POINT* position) = 0;
    // Starts the sound output at rate frames a second, drawn from render. False when the host
    // has no sound output; the program then plays on in silence.
    virtual bool openAudio(unsigned /*rate*/, AudioRender /*render*/) { return false; }
    // Once this returns, render is no longer called.
    virtual void closeAudio() {}
};

Backend& backend();
void useBackend(std::unique_ptr<Backend> backend);

// Input as the device's hardware reports it; posted to the program's main window.
void deliverKey(DWORD virtualKey, bool down);
void deliverStylus(StylusAction action, int x, int y);
void deliverActivate(bool active);
void deliverClose();

// Forgets every window, message and handle; the tests start each case from here.
void resetState();

// Where the executable seems to lie, as a host path (GetModuleFileNameW reports it with
// backslashes); tests point it into a folder of their own. Empty: the real executable.
void setModulePath(const std::string& path);

// Writes a picture as a PNG file; false when it could not be written, with the reason in
// *reason when it is given.
bool savePng(const Picture& picture, const std::string& path, std::string* reason = nullptr);

// The desktop window: the device screen scaled by a whole factor, at most this.
constexpr int maxWindowScale = 3;
// What the window manager adds around the window (borders, title bar).
constexpr int windowFrameWidth = 16, windowFrameHeight = 48;
// The largest scale, at most maxWindowScale and at least 1, whose window with its frame fits
// the desktop's usable area.
int fittingScale(int screenWidth, int screenHeight, int areaWidth, int areaHeight);

std::string narrow(std::u16string_view text);
std::u16string widen(std::string_view text);

}  // namespace platform
