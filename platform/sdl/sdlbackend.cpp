#include "sdlbackend.h"
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>
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

// The device screen drawn on the window's own surface, scaled by a whole factor and centred;
// only the rows that changed since the last picture are scaled and sent to the display, which
// keeps a game in play cheap on the host whatever SDL would render with.
class SdlBackend : public Backend {
public:
    explicit SdlBackend(SDL_Window* w) : window(w), start(std::chrono::steady_clock::now()) {}
    ~SdlBackend() override {
        closeAudio();
        SDL_DestroyWindow(window);
        SDL_Quit();
    }

    const char* name() const override { return "sdl"; }

    void pumpEvents() override {
        SDL_Event e;
        while (SDL_PollEvent(&e)) handle(e);
    }

    void present(const Picture& picture) override {
        if (picture.width <= 0 || picture.height <= 0) return;
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (!surface) return;
        if (picture.width != shown.width || picture.height != shown.height || surface != windowSurface ||
            surface->w != surfaceWidth || surface->h != surfaceHeight)
            windowNeedsPicture = true;
        if (windowNeedsPicture) placeOn(surface, picture);
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
        std::vector<SDL_Rect> bands;
        for (int y = 0; y < picture.height; ++y) {
            if (!windowNeedsPicture && sameRow(picture, y)) continue;
            drawRow(surface, picture, y);
            const int windowY = top + y * scale;
            if (!bands.empty() && bands.back().y + bands.back().h == windowY)
                bands.back().h += scale;
            else
                bands.push_back(SDL_Rect{0, windowY, surface->w, scale});
        }
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        if (windowNeedsPicture) SDL_UpdateWindowSurface(window);
        else if (!bands.empty()) SDL_UpdateWindowSurfaceRects(window, bands.data(), int(bands.size()));
        if (windowNeedsPicture || !bands.empty()) shown = picture;
        windowNeedsPicture = false;
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

    // A window point as a point of the device screen (outside it on the black border).
    POINT toDevice(int x, int y) const {
        if (scale == 0) return POINT{-1, -1};
        auto down = [this](int d) { return LONG(d >= 0 ? d / scale : -((-d + scale - 1) / scale)); };
        return POINT{down(x - left), down(y - top)};
    }

    bool onPicture(POINT p) const { return p.x >= 0 && p.y >= 0 && p.x < shown.width && p.y < shown.height; }

    bool sameRow(const Picture& picture, int y) const {
        const auto row = picture.pixels.begin() + ptrdiff_t(y) * picture.width;
        return std::equal(row, row + picture.width, shown.pixels.begin() + ptrdiff_t(y) * picture.width);
    }

    // The largest whole scale that fits the window, the picture centred, the rest black.
    void placeOn(SDL_Surface* surface, const Picture& picture) {
        windowSurface = surface;
        surfaceWidth = surface->w;
        surfaceHeight = surface->h;
        scale = std::max(1, std::min(surface->w / picture.width, surface->h / picture.height));
        left = (surface->w - picture.width * scale) / 2;
        top = (surface->h - picture.height * scale) / 2;
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        colours.resize(0x10000);
        for (uint32_t c = 0; c < 0x10000; ++c)
            colours[c] = SDL_MapRGB(surface->format, Uint8((c >> 11) * 255 / 31), Uint8(((c >> 5) & 63) * 255 / 63),
                                    Uint8((c & 31) * 255 / 31));
    }

    // Row y of the picture, each pixel scale x scale, where the window shows it.
    void drawRow(SDL_Surface* surface, const Picture& picture, int y) {
        const int bytes = surface->format->BytesPerPixel;
        const int width = std::min(picture.width * scale, surface->w - left);
        if (width <= 0 || top + (y + 1) * scale > surface->h || top + y * scale < 0) return;
        auto* first = static_cast<Uint8*>(surface->pixels) + ptrdiff_t(top + y * scale) * surface->pitch + left * bytes;
        const uint16_t* source = picture.pixels.data() + ptrdiff_t(y) * picture.width;
        if (bytes == 4) {
            auto* out = reinterpret_cast<Uint32*>(first);
            for (int x = 0; x < picture.width && (x + 1) * scale <= width; ++x)
                for (int i = 0; i < scale; ++i) *out++ = colours[source[x]];
        } else {
            for (int x = 0; x < width; ++x) {
                const Uint32 colour = colours[source[x / scale]];
                std::memcpy(first + x * bytes, &colour, size_t(bytes));  // little-endian host
            }
        }
        for (int line = 1; line < scale; ++line)
            std::memcpy(first + ptrdiff_t(line) * surface->pitch, first, size_t(width * bytes));
    }

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
        case SDL_MOUSEBUTTONUP: {
            // Presses on the black border around the picture are not the stylus's.
            const POINT p = toDevice(e.button.x, e.button.y);
            if (e.button.button == SDL_BUTTON_LEFT && onPicture(p))
                deliverStylus(e.type == SDL_MOUSEBUTTONDOWN ? StylusAction::down : StylusAction::up, p.x, p.y);
            break;
        }
        case SDL_MOUSEMOTION: {
            const POINT p = toDevice(e.motion.x, e.motion.y);
            if ((e.motion.state & SDL_BUTTON_LMASK) && onPicture(p))
                deliverStylus(StylusAction::move, p.x, p.y);
            break;
        }
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
    // The surface the picture was last placed on, its size, and where and how large it shows.
    SDL_Surface* windowSurface = nullptr;
    int surfaceWidth = 0, surfaceHeight = 0;
    int scale = 0, left = 0, top = 0;
    // Each RGB565 colour in the window surface's format.
    std::vector<Uint32> colours;
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
    // The window surface is filled by our own scaler: a texture behind it (SDL's default where it
    // finds OpenGL, a software one on a machine without a GPU) would only add a second copy. X11
    // has a plain shared-memory surface; other drivers keep SDL's own way.
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const Profile& p = profile();
    if (scale == 0) {
        SDL_Rect area{};
        scale = SDL_GetDisplayUsableBounds(0, &area) == 0
                    ? fittingScale(p.screenWidth, p.screenHeight, area.w, area.h)
                    : maxWindowScale;
    }
    SDL_Window* window = SDL_CreateWindow("Mossvane", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          p.screenWidth * scale, p.screenHeight * scale, SDL_WINDOW_RESIZABLE);
    if (!window) {
        *error = SDL_GetError();
        SDL_Quit();
        return nullptr;
    }
    return std::make_unique<SdlBackend>(window);
}

std::string keyTable() {
    std::string out;
    for (const HostKey& h : hostKeys) out += std::string("  ") + h.hostName + "\t" + h.deviceName + "\n";
    out += "  0-9\tdigits\n  left mouse button\tstylus\n";
    return out;
}

}  // namespace platform::sdl
