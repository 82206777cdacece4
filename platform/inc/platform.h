// The platform layer's own controls: device profiles, the backend that shows the device,
// and the device picture. Used by the program's main, the backends and the tests; the
// program above the platform layer sees only the calls of ce.h.
#pragma once
#include <cstdint>
#include <memory>
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

struct Profile {
    std::string name;
    std::string description;
    std::u16string platformType;
    std::u16string oemInfo;
    int screenWidth;
    int screenHeight;
    KeyTable keys;
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
Picture& screen();
// Called after something drew on the screen; the backend shows or captures it.
void screenChanged();

enum class StylusAction { down, up, move };

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

// Writes a picture as a PNG file; false when it could not be written.
bool savePng(const Picture& picture, const std::string& path);

std::string narrow(std::u16string_view text);
std::u16string widen(std::string_view text);

}  // namespace platform
