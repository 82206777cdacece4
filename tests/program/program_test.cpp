// The program as a user starts it, headless.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string program = std::string(MOSSYARD_BINARY_DIR) + "/bin/mossyard";

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome runProgram(const std::string& arguments, const std::string& environment = "") {
    std::string command = environment + " " + program + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

struct Png {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<uint8_t> rgb;

    uint32_t at(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(y) * width + size_t(x)) * 3];
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
};

Png readPng(const std::string& path) {
    Png png;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str())) {
        image.format = PNG_FORMAT_RGB;
        png.rgb.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr))
            png = {image.width, image.height, png.rgb};
        png_image_free(&image);
    }
    return png;
}

// Named after the process, so that test programs of other build folders running at the same
// time keep to their own files.
std::string tempPath(const char* name) { return ::testing::TempDir() + std::to_string(getpid()) + "-" + name; }

}  // namespace

TEST(Program, AHeadlessRunWritesItsLastFrame) {
    struct Case {
        const char* profile;
        png_uint_32 width, height;
    } cases[] = {{"smartphone", 176, 220}, {"pocketpc", 240, 320}};
    for (const Case& c : cases) {
        std::string capture = tempPath("frame.png");
        std::remove(capture.c_str());
        // Start-up presents five frames, one for each fifth of the loading bar.
        Outcome o =
            runProgram(std::string("--backend headless --frames 5 --profile ") + c.profile + " --capture " + capture);
        EXPECT_EQ(o.exitCode, 0) << o.output;
        Png frame = readPng(capture);
        ASSERT_EQ(frame.width, c.width) << c.profile;
        ASSERT_EQ(frame.height, c.height) << c.profile;
        const int barLeft = (int(c.width) - 108) / 2 + 2, barTop = int(c.height) - int(c.height) / 8 + 2;
        EXPECT_EQ(frame.at(barLeft, barTop), 0xFF0000u) << c.profile;
        EXPECT_EQ(frame.at(barLeft + 104, barTop + 6), 0xFF0000u) << c.profile;
        EXPECT_EQ(frame.at(barLeft - 1, barTop - 1), 0xFFFFFFu) << c.profile << ": white inside the bar's outline";
    }
}

TEST(Program, TheShellMenuFollowsStartUp) {
    for (const char* profile : {"smartphone", "pocketpc"}) {
        std::string capture = tempPath("shell.png");
        std::remove(capture.c_str());
        // Past the two seconds of the splash and the shell's intro.
        Outcome o =
            runProgram(std::string("--backend headless --frames 400 --profile ") + profile + " --capture " + capture);
        EXPECT_EQ(o.exitCode, 0) << o.output;
        Png frame = readPng(capture);
        ASSERT_GT(frame.width, 0u) << profile;
        // The shell's picture covers the white of the start-up screen.
        int white = 0;
        for (png_uint_32 y = 0; y < frame.height; ++y)
            for (png_uint_32 x = 0; x < frame.width; ++x) white += frame.at(int(x), int(y)) == 0xFFFFFFu;
        EXPECT_LT(white, int(frame.width * frame.height / 10)) << profile;
    }
}

TEST(Program, AScriptDrivesTheHeadlessRun) {
    std::string script = tempPath("keys.txt");
    std::ofstream(script) << "# keys reach the program; closing the window ends it\n"
                             "2100 keydown softleft\n2120 keyup softleft\n2200 down 20 30\n2210 up 20 30\n3000 close\n";
    Outcome o = runProgram("--backend headless --script " + script);
    EXPECT_EQ(o.exitCode, 0) << o.output;

    std::ofstream(script) << "100 keydown nosuchkey\n";
    o = runProgram("--backend headless --script " + script);
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_NE(o.output.find("keys.txt:1"), std::string::npos) << o.output;
}

// No display, or only a video driver that shows nothing: one line saying so, and the way to
// run without a window, at once. (The video library's start leaves a message-bus buffer
// behind, not ours to free, so the leak check is off where it starts.)
TEST(Program, WithoutADisplayItSaysHowToRunHeadless) {
    for (const char* environment :
         {"env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11", "env -u DISPLAY -u WAYLAND_DISPLAY",
          "env DISPLAY=:77 SDL_VIDEODRIVER=offscreen ASAN_OPTIONS=detect_leaks=0",
          "env DISPLAY=:77 SDL_VIDEODRIVER=dummy ASAN_OPTIONS=detect_leaks=0"}) {
        Outcome o = runProgram("", environment);
        EXPECT_EQ(o.exitCode, 1) << environment;
        EXPECT_NE(o.output.find("no display is available"), std::string::npos) << environment << ": " << o.output;
        // The program as it was started: a path the shell finds, not a name on no PATH.
        EXPECT_NE(o.output.find(program + " --backend headless"), std::string::npos) << o.output;
        EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 2) << environment << ": " << o.output;
    }
}

// Each bad option is named in one line and ends the program with status 2 before it starts.
TEST(Program, ABadOptionIsNamedInOneLine) {
    struct Case {
        const char* arguments;
        const char* named;
    };
    const Case cases[] = {
        {"--backend headless --frames abc", "--frames wants a whole number (0 for no limit), not \"abc\""},
        {"--backend headless --frames -3", "not \"-3\""},
        {"--backend headless --scale 0", "--scale wants a whole number from 1 to 3, not \"0\""},
        // The help's range is the parser's: a window larger than any desktop is refused.
        {"--backend headless --scale 4", "not \"4\""},
        {"--backend headless --scale 2x", "not \"2x\""},
        {"--backend toaster", "unknown backend \"toaster\""},
        {"--backend headless --fast", "unknown option \"--fast\""},
        {"--backend headless --frames", "--frames wants a value"},
        // An empty value is not the option left out: no default profile, no script unread.
        {"--backend headless --profile ''", "--profile wants a value, not an empty text"},
        {"--backend headless --script ''", "--script wants a value, not an empty text"},
        // Options only the headless run reads, refused rather than dropped by a window run.
        {"--backend sdl --script keys.txt", "--script works only with --backend headless"},
        {"--backend sdl --capture frame.png", "--capture works only with --backend headless"},
        {"--frames 10 --backend sdl", "--frames works only with --backend headless"},
    };
    for (const Case& c : cases) {
        Outcome o = runProgram(c.arguments);
        EXPECT_EQ(o.exitCode, 2) << c.arguments;
        EXPECT_NE(o.output.find(c.named), std::string::npos) << c.arguments << ": " << o.output;
        EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1) << c.arguments << ": " << o.output;
    }
}

// A full disk: named in one line, status 1, and nothing left behind for the leak check to find.
TEST(Program, ACaptureThatCannotBeWrittenIsNamed) {
    for (const char* frames : {"5", "400"}) {
        Outcome o = runProgram(std::string("--backend headless --frames ") + frames + " --capture /dev/full");
        EXPECT_EQ(o.exitCode, 1) << o.output;
        EXPECT_EQ("mossyard: could not write the capture /dev/full: No space left on device\n", o.output) << frames;
    }
    Outcome o = runProgram("--backend headless --frames 5 --capture " + tempPath("no-folder/frame.png"));
    EXPECT_EQ(o.exitCode, 1) << o.output;
    EXPECT_NE(o.output.find("frame.png: No such file or directory\n"), std::string::npos) << o.output;
    EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1) << o.output;
}

TEST(Program, AScriptWithANegativeTimeIsRefused) {
    std::string script = tempPath("negative.txt");
    std::ofstream(script) << "100 keydown up\n-5 keyup up\n";
    Outcome o = runProgram("--backend headless --script " + script);
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_NE(o.output.find("negative.txt:2: expected a time in milliseconds, found \"-5\""), std::string::npos)
        << o.output;
}

TEST(Program, TheProfileListIsAligned) {
    Outcome o = runProgram("--profiles");
    EXPECT_EQ(o.exitCode, 0);
    std::istringstream lines(o.output);
    size_t column = std::string::npos;
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const size_t description = line.find_first_not_of(' ', line.find(' '));
        if (column == std::string::npos) column = description;
        EXPECT_EQ(description, column) << line;
    }
    EXPECT_GE(count, 10);
}

TEST(Program, RefusesAnUnknownProfile) {
    Outcome o = runProgram("--backend headless --profile toaster");
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_NE(o.output.find("toaster"), std::string::npos) << o.output;
}
