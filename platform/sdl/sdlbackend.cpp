#include "sdlbackend.h"
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include "ce_window.h"

namespace platform::sdl {
namespace {

struct HostKey {
    SDL_Keycode key;
    const char* hostName;
    const char* deviceName;
    DWORD (*virtualKey)();
};

DWORD fixed(DWORD vk) { return vk; }

const HostKey hostKeys[] = {
    {SDLK_UP, "Up", "up", [] { return fixed(VK_UP); }},
    {SDLK_DOWN, "Down", "down", [] { return fixed(VK_DOWN); }},
    {SDLK_LEFT, "Left", "left", [] { return fixed(VK_LEFT); }},
    {SDLK_RIGHT, "Right", "right", [] { return fixed(VK_RIGHT); }},
    {SDLK_RETURN, "Enter", "select / fire", [] { return fixed(VK_RETURN); }},
    {SDLK_SPACE, "Space", "select / fire", [] { return fixed(VK_RETURN); }},
    {SDLK_F1, "F1", "left soft key", [] { return profile().keys.leftSoft; }},
    {SDLK_F2, "F2", "right soft key", [] { return profile().keys.rightSoft; }},
    {SDLK_ESCAPE, "Escape", "back (left soft key on a Smartphone)", [] { return fixed(VK_ESCAPE); }},
    {SDLK_KP_MULTIPLY, "Keypad *", "star", [] { return profile().keys.star; }},
    {SDLK_F8, "F8", "star", [] { return profile().keys.star; }},
    {SDLK_KP_DIVIDE, "Keypad /", "pound (#)", [] { return profile().keys.pound; }},
    {SDLK_F9, "F9", "pound (#)", [] { return profile().keys.pound; }},
};

bool digitKey(SDL_Keycode key, DWORD* vk) {
    if (key >= SDLK_0 && key <= SDLK_9) {
        *vk = DWORD('0' + (key - SDLK_0));
        return true;
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        *vk = DWORD('1' + (key - SDLK_KP_1));
        return true;
    }
    if (key == SDLK_KP_0) {
        *vk = '0';
        return true;
    }
    return false;
}

// Sound libraries below SDL print their complaints about a machine without a sound device
// straight to standard error; silence is the documented fallback, so they are kept out.
class QuietStandardError {
public:
    QuietStandardError() : saved(dup(STDERR_FILENO)) {
        int null = open("/dev/null", O_WRONLY);
        if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
        if (null >= 0) close(null);
    }
    ~QuietStandardError() {
        if (saved < 0) return;
        dup2(saved, STDERR_FILENO);
        close(saved);
    }

private:
    int saved;
};

// Drivers that open no window anyone can see.
bool invisibleVideoDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

class SdlBackend : public Backend {
public:
    SdlBackend(SDL_Window* w, SDL_Renderer* r) : window(w), renderer(r), start(std::chrono::steady_clock::now()) {}
    ~SdlBackend() override {
        closeAudio();
        if (texture) SDL_DestroyTexture(texture);
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        SDL_Quit();
    }

    const char* name() const override { return "sdl"; }

    void pumpEvents() override {
        SDL_Event e;
        while (SDL_PollEvent(&e)) handle(e);
    }

    // Scaling and presenting cost the host far more than comparing the pixels, so an unchanged
    // picture is shown again only when the window needs it (exposed, resized, focused).
    void present(const Picture& picture) override {
        if (picture.width <= 0 || picture.height <= 0) return;
        if (!windowNeedsPicture && picture.width == shown.width && picture.height == shown.height &&
            picture.pixels == shown.pixels)
            return;
        shown = picture;
        windowNeedsPicture = false;
        if (!texture || textureWidth != picture.width || textureHeight != picture.height) {
            if (texture) SDL_DestroyTexture(texture);
            texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, picture.width,
                                        picture.height);
            textureWidth = picture.width;
            textureHeight = picture.height;
            SDL_RenderSetLogicalSize(renderer, picture.width, picture.height);
            SDL_RenderSetIntegerScale(renderer, SDL_TRUE);
        }
        SDL_UpdateTexture(texture, nullptr, picture.pixels.data(), picture.width * 2);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }

    void messageBox(const std::u16string& text, const std::u16string& caption) override {
        std::fprintf(stderr, "[%s] %s\n", narrow(caption).c_str(), narrow(text).c_str());
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, narrow(caption).c_str(), narrow(text).c_str(), window);
    }

    DWORD tickCount() override { return DWORD(elapsed().count() / 1000); }
    int64_t performanceCounter() override { return elapsed().count(); }
    int64_t performanceFrequency() override { return 1000000; }
    void sleep(DWORD milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
    void idle() override { sleep(1); }
    bool singleInstance() const override { return true; }

    bool cursorOverWindow(POINT* position) override {
        if (SDL_GetMouseFocus() != window) return false;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        *position = toDevice(x, y);
        return true;
    }

    bool openAudio(unsigned rate, AudioRender render) override {
        closeAudio();
        QuietStandardError quiet;
        if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        SDL_AudioSpec want{};
        want.freq = int(rate);
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = &SdlBackend::fillAudio;
        want.userdata = this;
        audio = std::move(render);
        // SDL converts to whatever the host device takes.
        audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (audioDevice == 0) {
            audio = nullptr;
            return false;
        }
        SDL_PauseAudioDevice(audioDevice, 0);
        return true;
    }

    void closeAudio() override {
        if (audioDevice != 0) SDL_CloseAudioDevice(audioDevice);
        audioDevice = 0;
        audio = nullptr;
    }

private:
    // Runs on SDL's audio thread.
    static void fillAudio(void* self, Uint8* stream, int length) {
        static_cast<SdlBackend*>(self)->audio(reinterpret_cast<int16_t*>(stream), size_t(length) / 4);
    }

    std::chrono::microseconds elapsed() const {
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    }

    POINT toDevice(int x, int y) const {
        float lx = 0, ly = 0;
        SDL_RenderWindowToLogical(renderer, x, y, &lx, &ly);
        return POINT{LONG(lx), LONG(ly)};
    }

    bool onScreen(int x, int y) const { return x >= 0 && y >= 0 && x < textureWidth && y < textureHeight; }

    void handle(const SDL_Event& e) {
        switch (e.type) {
        case SDL_QUIT: deliverClose(); break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) deliverActivate(true);
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) deliverActivate(false);
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                windowNeedsPicture = true;
                if (!shown.pixels.empty()) present(shown);
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: key(e.key); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // Logical coordinates: SDL has already undone the scale; the letterbox lies outside.
            if (e.button.button == SDL_BUTTON_LEFT && onScreen(e.button.x, e.button.y))
                deliverStylus(e.type == SDL_MOUSEBUTTONDOWN ? StylusAction::down : StylusAction::up, e.button.x,
                              e.button.y);
            break;
        case SDL_MOUSEMOTION:
            if ((e.motion.state & SDL_BUTTON_LMASK) && onScreen(e.motion.x, e.motion.y))
                deliverStylus(StylusAction::move, e.motion.x, e.motion.y);
            break;
        default: break;
        }
    }

    void key(const SDL_KeyboardEvent& k) {
        DWORD vk = 0;
        bool known = digitKey(k.keysym.sym, &vk);
        for (const HostKey& h : hostKeys)
            if (!known && h.key == k.keysym.sym) {
                vk = h.virtualKey();
                known = true;
            }
        if (known) deliverKey(vk, k.type == SDL_KEYDOWN);
    }

    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    std::chrono::steady_clock::time_point start;
    SDL_AudioDeviceID audioDevice = 0;
    AudioRender audio;
    // What the window shows now, and whether it must be drawn again all the same.
    Picture shown;
    bool windowNeedsPicture = true;
};

}  // namespace

std::unique_ptr<Backend> create(int scale, std::string* error) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        *error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return nullptr;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        *error = SDL_GetError();
        return nullptr;
    }
    if (invisibleVideoDriver(SDL_GetCurrentVideoDriver())) {
        *error = std::string("only the ") + SDL_GetCurrentVideoDriver() + " video driver, which shows nothing";
        SDL_Quit();
        return nullptr;
    }
    const Profile& p = profile();
    if (scale == 0) {
        SDL_Rect area{};
        scale = SDL_GetDisplayUsableBounds(0, &area) == 0
                    ? fittingScale(p.screenWidth, p.screenHeight, area.w, area.h)
                    : maxWindowScale;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_Window* window = SDL_CreateWindow("Mossvane", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          p.screenWidth * scale, p.screenHeight * scale, SDL_WINDOW_RESIZABLE);
    if (!window) {
        *error = SDL_GetError();
        SDL_Quit();
        return nullptr;
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer) {
        *error = SDL_GetError();
        SDL_DestroyWindow(window);
        SDL_Quit();
        return nullptr;
    }
    return std::make_unique<SdlBackend>(window, renderer);
}

std::string keyTable() {
    std::string out;
    for (const HostKey& h : hostKeys) out += std::string("  ") + h.hostName + "\t" + h.deviceName + "\n";
    out += "  0-9\tdigits\n  left mouse button\tstylus\n";
    return out;
}

}  // namespace platform::sdl
