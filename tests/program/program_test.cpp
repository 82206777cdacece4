// The program as a user starts it, headless.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

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

struct PngSize {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
};

PngSize readPngSize(const std::string& path) {
    PngSize size;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str())) {
        size = {image.width, image.height};
        png_image_free(&image);
    }
    return size;
}

std::string tempPath(const char* name) { return ::testing::TempDir() + name; }

}  // namespace

TEST(Program, AHeadlessRunWritesItsLastFrame) {
    struct Case {
        const char* profile;
        png_uint_32 width, height;
    } cases[] = {{"smartphone", 176, 220}, {"pocketpc", 240, 320}};
    for (const Case& c : cases) {
        std::string capture = tempPath("frame.png");
        std::remove(capture.c_str());
        Outcome o = runProgram(std::string("--backend headless --frames 10 --profile ") + c.profile + " --capture " + capture);
        EXPECT_EQ(o.exitCode, 0) << o.output;
        PngSize size = readPngSize(capture);
        EXPECT_EQ(size.width, c.width) << c.profile;
        EXPECT_EQ(size.height, c.height) << c.profile;
    }
}

TEST(Program, AScriptDrivesTheHeadlessRun) {
    std::string script = tempPath("keys.txt");
    std::ofstream(script) << "# a soft key ends the frame's own application\n100 keydown softleft\n120 keyup softleft\n";
    Outcome o = runProgram("--backend headless --script " + script);
    EXPECT_EQ(o.exitCode, 0) << o.output;

    std::ofstream(script) << "100 keydown nosuchkey\n";
    o = runProgram("--backend headless --script " + script);
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_NE(o.output.find("keys.txt:1"), std::string::npos) << o.output;
}

TEST(Program, WithoutADisplayItSaysHowToRunHeadless) {
    Outcome o = runProgram("", "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.output.find("no display is available"), std::string::npos) << o.output;
    EXPECT_NE(o.output.find("--backend headless"), std::string::npos) << o.output;
}

TEST(Program, RefusesAnUnknownProfile) {
    Outcome o = runProgram("--backend headless --profile toaster");
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_NE(o.output.find("toaster"), std::string::npos) << o.output;
}
