#include "fuzz_app.h"
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>
#include "ddataoutputstream.h"
#include "dbytearrayoutputstream.h"
#include "dimage.h"
#include "dmidlet.h"
#include "doutputstream.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "gameengine.h"
#include "imagefont.h"
#include "imagefontarray.h"
#include "platform.h"
#include "screencanvas.h"

namespace fuzz {

namespace {

class FuzzMidlet : public dfc::microedition::midlet::DMIDlet {
public:
    void destroyApp(bool) override {}
    void pauseApp() override {}
    void startApp() override {}
    void tick() override {}
    dfc::lang::DStringPtr getAppProperty(dfc::lang::DStringPtr key) override {
        return new dfc::lang::DString(key == u"app.name" ? u"mossyard" : u"");
    }
};

std::string makeFolder(const char* what) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string("mossyard-fuzz-") + what + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back(0);
    if (!mkdtemp(name.data())) std::abort();
    return name.data();
}

std::string app, data;
platform::headless::HeadlessBackend* headless = nullptr;

// Glyphs of the test font, each glyphWidth wide: part 0 starts with the blank, as fonts do.
const char* const fontParts[] = {" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", "0123456789", ".,:;!?-%"};
constexpr int glyphWidth = 5, glyphHeight = 8;

void removeFolders() {
    std::error_code ignored;
    std::filesystem::remove_all(app, ignored);
    std::filesystem::remove_all(data, ignored);
}

}  // namespace

void startApp() {
    static bool started = false;
    if (started) return;
    started = true;
    app = makeFolder("app");
    data = makeFolder("data");
    std::atexit(removeFolders);
    setenv("MOSSYARD_DATA_DIR", data.c_str(), 1);
    headless = &platform::headless::install("smartphone");
    platform::setModulePath(app + "/mossyard");
    GameEngine::applicationFactory = [] { return dfc::microedition::midlet::DMIDletPtr(new FuzzMidlet()); };
    static GameEngine engine;
    if (!engine.startMidlet()) std::abort();
    dfc::lang::DSystem::err = new dfc::io::DPrintStream(dfc::io::DOutputStreamPtr());
}

void putFile(const std::string& name, const uint8_t* bytes, size_t size) {
    std::filesystem::path path = app + name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes), std::streamsize(size));
}

const std::string& appFolder() { return app; }

platform::headless::HeadlessBackend& device() { return *headless; }

void putPicture(const std::string& name, int width, int height) {
    platform::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(size_t(width) * size_t(height), 0xFFFF);
    std::filesystem::path path = app + name;
    std::filesystem::create_directories(path.parent_path());
    if (!platform::savePng(picture, path.string())) std::abort();
}

void putFont(const std::string& name, bool metrics) {
    for (int part = 0; part < 3; ++part) {
        const std::string glyphs = fontParts[part];
        const std::string base = name + "/font_" + std::to_string(part);
        putPicture(base + ".png", int(glyphs.size()) * glyphWidth, glyphHeight);
        if (!metrics) continue;
        dfc::io::DByteArrayOutputStreamPtr bytes = new dfc::io::DByteArrayOutputStream();
        dfc::io::DDataOutputStreamPtr out = new dfc::io::DDataOutputStream(bytes);
        out->write(int(glyphs.size()));
        for (char c : glyphs) {
            char16_t glyph[] = {char16_t(c), 0};
            out->writeUTF(new dfc::lang::DString(glyph));
            out->write(glyphWidth);
        }
        putFile(base, reinterpret_cast<const uint8_t*>(bytes->toByteArray()->data), size_t(bytes->size()));
    }
}

void useScreen(int width, int height) {
    ScreenCanvas::screenWidth = width;
    ScreenCanvas::screenHeight = height;
    // The graphics draws on the image's surface: the image must outlive it.
    static dfc::microedition::lcdui::DImagePtr screen;
    screen = dfc::microedition::lcdui::DImage::createImage(width, height);
    ScreenCanvas::screenGraphics = screen->getGraphics();
    putFont("/fuzzfont");
    ImageFontPtr font = new ImageFont();
    font->load(u"/fuzzfont");
    ScreenCanvas::fonts = new ImageFontArray(7);
    for (int i = 0; i < 7; ++i) ScreenCanvas::fonts[i] = font;
}

dfc::io::DDataInputStreamPtr dataStream(const uint8_t* bytes, size_t size) {
    dfc::lang::DbyteArrayPtr array = new dfc::lang::DbyteArray(int(size));
    if (size) std::memcpy(array->data, bytes, size);
    return new dfc::io::DDataInputStream(new dfc::io::DByteArrayInputStream(array));
}

}  // namespace fuzz
