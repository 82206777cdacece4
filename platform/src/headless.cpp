#include "headless.h"
#include <cerrno>
#include <cctype>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include "state.h"

namespace platform::headless {
namespace {

const std::map<std::string, Event::Kind>& eventNames() {
    static const std::map<std::string, Event::Kind> names{
        {"keydown", Event::keyDown},   {"keyup", Event::keyUp},         {"down", Event::stylusDown},
        {"up", Event::stylusUp},       {"move", Event::stylusMove},     {"activate", Event::activate},
        {"deactivate", Event::deactivate}, {"close", Event::close},     {"cursor-away", Event::cursorAway},
        {"cursor-back", Event::cursorBack},
    };
    return names;
}

// Keys may be named in scripts by what the device calls them.
bool keyByName(const std::string& word, int* vk) {
    const KeyTable& keys = profile().keys;
    const std::map<std::string, DWORD> named{
        {"left", VK_LEFT},  {"right", VK_RIGHT}, {"up", VK_UP},      {"down", VK_DOWN},
        {"select", VK_RETURN}, {"softleft", keys.leftSoft}, {"softright", keys.rightSoft},
        {"star", keys.star}, {"pound", keys.pound}, {"escape", VK_ESCAPE},
    };
    if (auto it = named.find(word); it != named.end()) {
        *vk = int(it->second);
        return true;
    }
    if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') {
        *vk = word[0];
        return true;
    }
    // A number names a virtual key, 1 to 254: the program's own codes (the pause key -1, the soft
    // keys from 10000) are not keys a device sends.
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end || errno == ERANGE || value < 1 || value > 254) return false;
    *vk = int(value);
    return true;
}

// Later than this the clock's wrap-around comparison would take a time for one long past.
constexpr unsigned long latestTime = 0x7FFFFFFFul;
// A script line is a few words; a longer one is no script (a file without line ends, say).
constexpr size_t longestLine = 1000;

// The next line without its end; false at the end of the text. A line longer than longestLine
// stops the reading there with *tooLong set.
bool nextLine(std::istream& in, std::string* line, bool* tooLong) {
    line->clear();
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        if (c == '\n') return true;
        if (line->size() == longestLine) {
            *tooLong = true;
            return true;
        }
        *line += char(c);
    }
    return !line->empty();
}

}  // namespace

// A yield takes a little time, so that a loop that yields while it waits for the hardware
// moves the clock on.
constexpr int64_t yieldMicros = 50;

HeadlessBackend::HeadlessBackend(DWORD startTicks) : startTicks(startTicks) {}

void HeadlessBackend::pumpEvents() {
    // Events in time order; stable so that events of one moment keep their script order.
    while (!pending.empty() && DWORD(tickCount() - pending.front().at) < 0x80000000u) {
        Event e = pending.front();
        pending.pop_front();
        switch (e.kind) {
        case Event::keyDown: deliverKey(DWORD(e.a), true); break;
        case Event::keyUp: deliverKey(DWORD(e.a), false); break;
        case Event::stylusDown: cursor = {e.a, e.b}; deliverStylus(StylusAction::down, e.a, e.b); break;
        case Event::stylusUp: cursor = {e.a, e.b}; deliverStylus(StylusAction::up, e.a, e.b); break;
        case Event::stylusMove: cursor = {e.a, e.b}; deliverStylus(StylusAction::move, e.a, e.b); break;
        case Event::activate: deliverActivate(true); break;
        case Event::deactivate: deliverActivate(false); break;
        case Event::close: deliverClose(); break;
        case Event::cursorAway: cursorAwayFromWindow = true; break;
        case Event::cursorBack: cursorAwayFromWindow = false; break;
        }
    }
}

void HeadlessBackend::present(const Picture& picture) {
    last = &picture;
    ++frameCount;
    if (frameLimit > 0 && frameCount == frameLimit) deliverClose();
}

void HeadlessBackend::messageBox(const std::u16string& text, const std::u16string& caption) {
    boxes.push_back({text, caption});
    std::fprintf(stderr, "[%s] %s\n", narrow(caption).c_str(), narrow(text).c_str());
}

void HeadlessBackend::sleep(DWORD milliseconds) {
    int64_t micros = milliseconds ? int64_t(milliseconds) * 1000 : yieldMicros;
    elapsedMicros += micros;
    if (audioFollowsClock && audio) discardAudio(micros);
}

void HeadlessBackend::discardAudio(int64_t micros) {
    if (rate == 0) return;
    audioMicrosOwed += micros;
    size_t frames = size_t(audioMicrosOwed * rate / 1000000);
    audioMicrosOwed -= int64_t(frames) * 1000000 / rate;
    std::vector<int16_t> samples(1024 * 2);
    for (size_t chunk; frames > 0; frames -= chunk) {
        chunk = std::min<size_t>(frames, 1024);
        audio(samples.data(), chunk);
    }
}

const Picture& HeadlessBackend::lastFrame() const {
    static const Picture none;
    return last ? *last : none;
}

bool HeadlessBackend::cursorOverWindow(POINT* position) {
    *position = cursor;
    return !cursorAwayFromWindow;
}

bool HeadlessBackend::openAudio(unsigned outputRate, AudioRender render) {
    audio = std::move(render);
    rate = outputRate;
    return true;
}

std::vector<int16_t> HeadlessBackend::takeAudio(size_t frames) {
    std::vector<int16_t> samples(frames * 2, 0);
    if (audio) audio(samples.data(), frames);
    return samples;
}

bool HeadlessBackend::earlier(const Event& a, const Event& b) {
    return DWORD(a.at - tickCount()) < DWORD(b.at - tickCount());
}

void HeadlessBackend::schedule(const Event& event) {
    pending.insert(std::upper_bound(pending.begin(), pending.end(), event,
                                    [this](const Event& a, const Event& b) { return earlier(a, b); }),
                   event);
}

void HeadlessBackend::scheduleAll(std::vector<Event> events) {
    // As one schedule after another, in linear time after the sort: events of one moment keep
    // their order, after those already waiting.
    auto order = [this](const Event& a, const Event& b) { return earlier(a, b); };
    std::stable_sort(events.begin(), events.end(), order);
    std::deque<Event> merged;
    std::merge(pending.begin(), pending.end(), events.begin(), events.end(), std::back_inserter(merged), order);
    pending = std::move(merged);
}

bool HeadlessBackend::loadScript(const std::string& path, std::string* error) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        *error = path + ": a folder, not a script";
        return false;
    }
    std::ifstream in(path);
    if (!in) {
        *error = path + ": cannot be read";
        return false;
    }
    std::vector<Event> events;
    std::string line;
    bool tooLong = false;
    for (int number = 1; nextLine(in, &line, &tooLong); ++number) {
        auto fail = [&](const std::string& why) {
            *error = path + ":" + std::to_string(number) + ": " + why;
            return false;
        };
        if (tooLong) return fail("a line longer than " + std::to_string(longestLine) + " characters");
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string atText, name;
        if (!(words >> atText)) continue;
        // Digits only: strtoul would take "-5" as a time near the end of the clock.
        char* end = nullptr;
        errno = 0;
        unsigned long at = std::strtoul(atText.c_str(), &end, 10);
        if (!std::isdigit(static_cast<unsigned char>(atText[0])) || *end)
            return fail("expected a time in milliseconds, found \"" + atText + "\"");
        if (errno == ERANGE || at > latestTime)
            return fail("a time of at most " + std::to_string(latestTime) + " ms, found \"" + atText + "\"");
        if (!(words >> name) || !eventNames().count(name)) return fail("unknown event \"" + name + "\"");
        Event e{DWORD(at), eventNames().at(name)};
        if (e.kind == Event::keyDown || e.kind == Event::keyUp) {
            std::string key;
            if (!(words >> key) || !keyByName(key, &e.a))
                return fail("expected a key name or a virtual-key number from 1 to 254, found \"" + key + "\"");
        } else if (e.kind == Event::stylusDown || e.kind == Event::stylusUp || e.kind == Event::stylusMove) {
            if (!(words >> e.a >> e.b)) return fail("expected x and y");
        }
        std::string extra;
        if (words >> extra) return fail("unexpected \"" + extra + "\"");
        events.push_back(e);
    }
    if (in.bad()) {
        *error = path + ": cannot be read";
        return false;
    }
    scheduleAll(std::move(events));
    return true;
}

HeadlessBackend& install(const std::string& profileName, DWORD startTicks) {
    const Profile* p = findProfile(profileName);
    selectProfile(p ? *p : profiles().front());
    resetState();
    auto backend = std::make_unique<HeadlessBackend>(startTicks);
    HeadlessBackend& result = *backend;
    useBackend(std::move(backend));
    return result;
}

}  // namespace platform::headless
