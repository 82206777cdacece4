// The program's start: the platform layer's own options, the backend, then the
// program's Windows-style entry point.
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
    int scale = 3;
    std::string script;
    int frames = 0;
    std::string capture;
};

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: mossyard [--profile NAME] [--backend sdl|headless] [--scale N]\n"
                 "                [--script FILE] [--frames N] [--capture FILE.png] [--profiles]\n"
                 "  --profile   the simulated device (also MOSSYARD_PROFILE); --profiles lists them\n"
                 "  --backend   sdl: a desktop window (default); headless: no window, virtual clock\n"
                 "  --scale     window size as a multiple of the device screen (default 3)\n"
                 "  --script    headless: timed key and stylus events, one a line: \"<ms> <event> [args]\"\n"
                 "  --frames    headless: close the program after this many frames\n"
                 "  --capture   headless: write the last frame as a PNG file at the end\n"
                 "Desktop keys:\n%s",
                 platform::sdl::keyTable().c_str());
}

bool parse(int argc, char** argv, Options* o) {
    if (const char* env = std::getenv("MOSSYARD_PROFILE")) o->profile = env;
    if (const char* env = std::getenv("MOSSYARD_BACKEND")) o->backend = env;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc) return false;
            *out = argv[++i];
            return true;
        };
        std::string number;
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            std::exit(0);
        } else if (arg == "--profiles") {
            for (const auto& p : platform::profiles()) std::printf("%-12s %s\n", p.name.c_str(), p.description.c_str());
            std::exit(0);
        } else if (arg == "--profile") {
            if (!value(&o->profile)) return false;
        } else if (arg == "--backend") {
            if (!value(&o->backend)) return false;
        } else if (arg == "--script") {
            if (!value(&o->script)) return false;
        } else if (arg == "--capture") {
            if (!value(&o->capture)) return false;
        } else if (arg == "--scale" || arg == "--frames") {
            if (!value(&number)) return false;
            int n = std::atoi(number.c_str());
            if (n < (arg == "--scale" ? 1 : 0)) return false;
            (arg == "--scale" ? o->scale : o->frames) = n;
        } else {
            return false;
        }
    }
    return o->backend == "sdl" || o->backend == "headless";
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, &options)) {
        usage(stderr);
        return 2;
    }
    if (!options.profile.empty()) {
        const platform::Profile* p = platform::findProfile(options.profile);
        if (!p) {
            std::fprintf(stderr, "mossyard: no device profile \"%s\"; --profiles lists them\n", options.profile.c_str());
            return 2;
        }
        platform::selectProfile(*p);
    }

    platform::headless::HeadlessBackend* headless = nullptr;
    if (options.backend == "sdl") {
        std::string error;
        auto backend = platform::sdl::create(options.scale, &error);
        if (!backend) {
            std::fprintf(stderr,
                         "mossyard: no display is available (%s).\n"
                         "Run without a window: mossyard --backend headless --frames 200 --capture frame.png\n",
                         error.c_str());
            return 1;
        }
        platform::useBackend(std::move(backend));
    } else {
        auto backend = std::make_unique<platform::headless::HeadlessBackend>();
        headless = backend.get();
        std::string error;
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
        if (!platform::savePng(frame, options.capture)) {
            std::fprintf(stderr, "mossyard: could not write %s\n", options.capture.c_str());
            return 1;
        }
    }
    platform::useBackend(nullptr);
    return result;
}
