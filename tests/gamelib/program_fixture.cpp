#include "program_fixture.h"
#include <filesystem>
#include "ddisplay.h"
#include "dexception.h"
#include "gameengine.h"
#include "ce_window.h"
#include "gamelib.h"
#include "keystate.h"
#include "platform.h"
#include "screencanvas.h"
#include "gametables.h"

using dfc::lang::DExceptionPtr;
using dfc::microedition::lcdui::DDisplay;
using dfc::microedition::midlet::DMIDletPtr;

namespace {

std::function<void()> testBody;

// Start-up stops after the canvas: the test takes it from there.
class ProbeLib : public GameLib {
public:
    void startApp() override {
        screenCanvas = new ScreenCanvas();
        DDisplay::getDisplay(this)->setCurrent(screenCanvas);
        try {
            testBody();
        } catch (DExceptionPtr& e) {
            ADD_FAILURE() << "exception: " << platform::narrow(e->toString()->chars());
        }
        notifyDestroyed();
    }
};

}  // namespace

void resetGameLibState() {
    GameTables::release();
    ScreenCanvas::keyQueue.clear();
    ScreenCanvas::screenWidth = ScreenCanvas::screenHeight = 0;
    GameLib::lastFrameTime = 0;
    GameLib::lastPaintDuration = 0;
    KeyState::up = KeyState::down = KeyState::left = KeyState::right = KeyState::fire = false;
    KeyState::key0 = KeyState::key1 = KeyState::key3 = KeyState::key7 = KeyState::key9 = false;
    KeyState::star = KeyState::pound = KeyState::leftSoft = KeyState::rightSoft = false;
    KeyState::pauseKey = KeyState::minusOneKey = KeyState::minusTwoKey = KeyState::anyKey = false;
    KeyState::lastKey = 0;
    KeyState::leftSoftKey1 = 10000;
    KeyState::leftSoftKey2 = 0;
    KeyState::rightSoftKey1 = 10001;
    KeyState::rightSoftKey2 = 0;
    KeyState::middleSoftKey = 10002;
    KeyState::codeSequencePos = KeyState::enteredNumber = 0;
    KeyState::numberEntered = false;
    KeyState::pointerX = KeyState::pointerY = KeyState::prevPointerX = KeyState::prevPointerY = 0;
    KeyState::pointerDown = KeyState::doubleTap = KeyState::pointerDragged = false;
    KeyState::lastPressTime = 0;
}

void ProgramTest::SetUp() {
    ArchiveTest::SetUp();
    resetGameLibState();
    // The program's own application, as its entry sets it.
    GameEngine::applicationFactory = [] { return DMIDletPtr(new GameLib()); };
}

void ProgramTest::TearDown() {
    resetGameLibState();
    ArchiveTest::TearDown();
}

void ProgramTest::inProgram(const std::function<void()>& body) {
    testBody = body;
    GameEngine::applicationFactory = [] { return DMIDletPtr(new ProbeLib()); };
    {
        GameEngine engine;
        engine.run(nullptr, 0);
        // The window goes, so that the next start finds no program running.
        DestroyWindow(engine.getWindow());
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    testBody = nullptr;
}

void ProgramTest::writePicture(const std::string& name, int width, int height, const std::vector<uint16_t>& pixels) {
    std::filesystem::create_directories(std::filesystem::path(folder.file(name)).parent_path());
    platform::Picture picture{width, height, pixels};
    ASSERT_TRUE(platform::savePng(picture, folder.file(name)));
}

std::vector<uint16_t> pixelsOf(const dfc::microedition::lcdui::DImagePtr& image) {
    const int width = image->getWidth(), height = image->getHeight();
    dfc::lang::DintArrayPtr rgb = new dfc::lang::DintArray(width * height);
    image->getRGB(rgb, 0, width, 0, 0, width, height);
    std::vector<uint16_t> pixels;
    for (int i = 0; i < width * height; ++i) {
        const uint32_t v = uint32_t(rgb[i]);
        pixels.push_back(v == 0 ? uint16_t(dfc::microedition::lcdui::DImage::colourKey)
                                : uint16_t(((v >> 19) & 31) << 11 | ((v >> 10) & 63) << 5 | ((v >> 3) & 31)));
    }
    return pixels;
}

uint16_t stripPixel(int part, int column, int row) { return uint16_t(0x1000 * (part + 1) + column * 16 + row); }

std::string metrics(const std::vector<std::pair<std::string, int>>& glyphs, int count) {
    std::string bytes(1, char(count));
    for (const auto& [text, width] : glyphs) {
        bytes += char(0);
        bytes += char(text.size());
        bytes += text;
        bytes += char(width);
    }
    return bytes;
}

void ProgramTest::writeTestFont(const std::string& name) {
    const int widths[] = {5, 1, 1};
    for (int part = 0; part < 3; ++part) {
        std::vector<uint16_t> pixels;
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < widths[part]; ++column) pixels.push_back(stripPixel(part, column, row));
        writePicture(name + "/font_" + std::to_string(part) + ".png", widths[part], 2, pixels);
    }
    folder.write(name + "/font_0", metrics({{"a", 2}, {"b", 3}}, 2));
    folder.write(name + "/font_1", metrics({{"1", 1}}, 1));
    folder.write(name + "/font_2", metrics({}, 0));
}
