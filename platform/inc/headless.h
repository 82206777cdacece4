// The headless backend: a virtual clock, scripted or injected input, captured frames
// and message boxes. Every test runs on it.
#pragma once
#include <deque>
#include <string>
#include <vector>
#include "platform.h"

namespace platform::headless {

struct Event {
    enum Kind { keyDown, keyUp, stylusDown, stylusUp, stylusMove, activate, deactivate, close, cursorAway, cursorBack };
    DWORD at;  // virtual milliseconds
    Kind kind;
    int a = 0;
    int b = 0;
};

struct MessageBoxRecord {
    std::u16string text;
    std::u16string caption;
};

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(DWORD startTicks = 0);

    const char* name() const override { return "headless"; }
    void pumpEvents() override;
    void present(const Picture& picture) override;
    void messageBox(const std::u16string& text, const std::u16string& caption) override;
    DWORD tickCount() override { return startTicks + DWORD(elapsedMicros / 1000); }
    int64_t performanceCounter() override { return elapsedMicros; }
    int64_t performanceFrequency() override { return 1000000; }
    void sleep(DWORD milliseconds) override;
    void idle() override { sleep(1); }
    bool singleInstance() const override { return false; }
    bool cursorOverWindow(POINT* position) override;
    bool openAudio(unsigned rate, AudioRender render) override;
    void closeAudio() override { audio = nullptr; }

    void advance(DWORD milliseconds) { sleep(milliseconds); }
    // Events are delivered on the first pump at or after their time.
    void schedule(const Event& event);
    // Reads a script: one event a line, "<ms> <event> [args]", times below 2^31; false with a
    // message naming the first bad line (nothing of the script is then scheduled).
    bool loadScript(const std::string& path, std::string* error);
    // After this many presented frames the window is asked to close; 0 runs on.
    void stopAfterFrames(int frames) { frameLimit = frames; }

    int frames() const { return frameCount; }
    // The picture last presented, held by the platform until the next refresh: not a copy.
    const Picture& lastFrame() const;
    const std::vector<MessageBoxRecord>& messageBoxes() const { return boxes; }
    // The sound output as a sink: the next frames of 16-bit stereo the program plays, silence
    // while no sound output is open.
    std::vector<int16_t> takeAudio(size_t frames);
    bool audioOpen() const { return audio != nullptr; }
    // The program's headless run plays its sound into nothing as virtual time passes, so
    // sounds end as they would on a device; tests that listen pull the sound themselves.
    void playAudioWithClock(bool on) { audioFollowsClock = on; }
    unsigned audioRate() const { return rate; }

private:
    void discardAudio(int64_t micros);
    // Whether a is due before b, counting from now round the clock.
    bool earlier(const Event& a, const Event& b);
    void scheduleAll(std::vector<Event> events);

    DWORD startTicks;
    int64_t elapsedMicros = 0;
    std::deque<Event> pending;
    std::vector<MessageBoxRecord> boxes;
    const Picture* last = nullptr;
    int frameCount = 0;
    int frameLimit = 0;
    bool cursorAwayFromWindow = false;
    AudioRender audio;
    unsigned rate = 0;
    bool audioFollowsClock = false;
    int64_t audioMicrosOwed = 0;
    POINT cursor{0, 0};
};

// Puts a fresh headless backend in place for the given profile and returns it.
HeadlessBackend& install(const std::string& profileName = "smartphone", DWORD startTicks = 0);

}  // namespace platform::headless
