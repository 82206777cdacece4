// The program's start: the platform layer's own options, the backend, then the
// program's Windows-style entry point.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "ce.h"
#include "headless.h"
#include "platform.h"
#include "sdlbackend.h"

namespace {

struct Options {
    std::string profile;
    std::string backend = "sdl";
    int scale = 0;  // 0: the largest that fits the desktop
    std::string script;
    int frames = 0;
    std::string capture;
    std::string headlessOnly;  // the last option given that only the headless backend reads
};

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: mossyard [--profile NAME] [--backend sdl|headless] [--scale N]\n"
                 "                [--script FILE] [--frames N] [--capture FILE.png] [--profiles]\n"
                 "  --profile   the simulated device (also MOSSYARD_PROFILE); --profiles lists them\n"
                 "  --backend   sdl: a desktop window (default); headless: no window, virtual clock\n"
                 "  --scale     window size as a multiple of the device screen, 1 to %d (default: the\n"
                 "              largest that fits the desktop)\n"
                 "  --script    headless: timed key and stylus events, one a line: \"<ms> <event> [args]\"\n"
                 "  --frames    headless: close the program once the panel has shown this many pictures\n"
                 "              (0: no limit): one a frame of 25 ms of device time on the shell and in\n"
                 "              play, one every 16 ms while the program waits (the start-up splash),\n"
                 "              none while a game loads\n"
                 "  --capture   headless: write the last frame as a PNG file at the end\n"
                 "Desktop keys:\n%s",
                 platform::maxWindowScale, platform::sdl::keyTable().c_str());
}

void listProfiles() {
    size_t width = 0;
    for (const auto& p : platform::profiles()) width = std::max(width, p.name.size());
    for (const auto& p : platform::profiles())
        std::printf("%-*s  %s\n", int(width), p.name.c_str(), p.description.c_str());
}

// A whole number from low to high, digits only; false for anything else.
bool wholeNumber(const std::string& text, int low, int high, int* out) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int n = std::stoi(text);
    if (n < low || n > high) return false;
    *out = n;
    return true;
}

// Reads the options into *o; on a bad one, *error names it.
bool parse(int argc, char** argv, Options* o, std::string* error) {
    if (const char* env = std::getenv("MOSSYARD_PROFILE")) o->profile = env;
    if (const char* env = std::getenv("MOSSYARD_BACKEND")) o->backend = env;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        auto next = [&]() {
            if (i + 1 >= argc) {
                *error = arg + " wants a value";
                return false;
            }
            value = argv[++i];
            // An empty value would be taken for the option not given.
            if (value.empty()) *error = arg + " wants a value, not an empty text";
            return !value.empty();
        };
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            std::exit(0);
        } else if (arg == "--profiles") {
            listProfiles();
            std::exit(0);
        } else if (arg == "--profile") {
            if (!next()) return false;
            o->profile = value;
        } else if (arg == "--backend") {
            if (!next()) return false;
            o->backend = value;
        } else if (arg == "--script") {
            if (!next()) return false;
            o->script = value;
            o->headlessOnly = arg;
        } else if (arg == "--capture") {
            if (!next()) return false;
            o->capture = value;
            o->headlessOnly = arg;
        } else if (arg == "--scale") {
            if (!next()) return false;
            if (!wholeNumber(value, 1, platform::maxWindowScale, &o->scale)) {
                *error = "--scale wants a whole number from 1 to " + std::to_string(platform::maxWindowScale) +
                         ", not \"" + value + "\"";
                return false;
            }
        } else if (arg == "--frames") {
            if (!next()) return false;
            if (!wholeNumber(value, 0, 999999999, &o->frames)) {
                *error = "--frames wants a whole number (0 for no limit), not \"" + value + "\"";
                return false;
            }
            o->headlessOnly = arg;
        } else {
            *error = "unknown option \"" + arg + "\"";
            return false;
        }
    }
    if (o->backend != "sdl" && o->backend != "headless") {
        *error = "unknown backend \"" + o->backend + "\"; it is sdl or headless";
        return false;
    }
    // A window run would drop it without a word.
    if (o->backend != "headless" && !o->headlessOnly.empty()) {
        *error = o->headlessOnly + " works only with --backend headless";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string programPath = argv[0];
    Options options;
    std::string error;
    if (!parse(argc, argv, &options, &error)) {
        std::fprintf(stderr, "mossyard: %s; --help lists the options\n", error.c_str());
        return 2;
    }
    if (!options.profile.empty()) {
        const platform::Profile* p = platform::findProfile(options.profile);
        if (!p) {
            std::fprintf(stderr, "mossyard: no device profile \"%s\"; --profiles lists them\n",
                         options.profile.c_str());
            return 2;
        }
        platform::selectProfile(*p);
    }

    platform::headless::HeadlessBackend* headless = nullptr;
    if (options.backend == "sdl") {
        auto backend = platform::sdl::create(options.scale, &error);
        if (!backend) {
            std::fprintf(stderr,
                         "mossyard: no display is available (%s).\n"
                         "Run without a window: %s --backend headless --frames 200 --capture frame.png\n",
                         error.c_str(), programPath.c_str());
            return 1;
        }
        platform::useBackend(std::move(backend));
    } else {
        auto backend = std::make_unique<platform::headless::HeadlessBackend>();
        headless = backend.get();
        if (!options.script.empty() && !headless->loadScript(options.script, &error)) {
            std::fprintf(stderr, "mossyard: %s\n", error.c_str());
            return 2;
        }
        headless->stopAfterFrames(options.frames);
        headless->playAudioWithClock(true);
        platform::useBackend(std::move(backend));
    }

    int result = WinMain(nullptr, nullptr, nullptr, SW_SHOW);

    if (headless && !options.capture.empty()) {
        const platform::Picture& frame = headless->frames() ? headless->lastFrame() : platform::screen();
        std::string reason;
        if (!platform::savePng(frame, options.capture, &reason)) {
            std::fprintf(stderr, "mossyard: could not write the capture %s: %s\n", options.capture.c_str(),
                         reason.c_str());
            platform::useBackend(nullptr);
            return 1;
        }
    }
    platform::useBackend(nullptr);
    return result;
}
