#include "gamelib.h"
#include <exception>
#include "ce_window.h"
#include "d7zipinputstream.h"
#include "damagelog.h"
#include "ddamageddataexception.h"
#include "ddisplay.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dfileinputstream.h"
#include "dgraphics.h"
#include "dimage.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "gamemenu.h"
#include "gametables.h"
#include "imageatlas.h"
#include "keystate.h"
#include "loadingbar.h"
#include "screencanvas.h"
#include "shellmenu.h"
#include "stringmanager.h"
#include "ticks.h"

using dfc::io::D7zipInputStream;
using dfc::io::DDamagedDataException;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::io::DFileInputStream;
using dfc::io::DFileNotFoundExceptionPtr;
using dfc::io::DInputStreamPtr;
using dfc::io::DIOExceptionPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DString;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;
using dfc::microedition::lcdui::DDisplay;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

GameLibPtr GameLib::gameLib;
GameInterfacePtr GameLib::currentMode;
ScreenCanvasPtr GameLib::screenCanvas;
dfc::util::DRandomPtr GameLib::sharedRandom;
DWORD GameLib::lastFrameTime = 0;
int32_t GameLib::lastPaintDuration = 0;

namespace {

// Screens this high take the large-screen resources.
constexpr int32_t largeScreenHeight = 320;
// The process's exit status when the program cannot start or cannot go on.
constexpr int failureStatus = 1;

// The archive entry of a resource name, as the archive lists it: without the leading "/".
DStringPtr entryOf(const DStringPtr& name) { return name->startsWith(u"/") ? name->substring(1) : name; }

// Thrown in place of the file stream's not-found exception, whose message is a device path.
[[noreturn]] void throwMissing(const DStringPtr& name, const DStringPtr& entries) {
    throw DDamagedDataExceptionPtr(
        new DDamagedDataException(u"cannot open the resource " + name + u": " +
                                  DDamagedDataException::missingReason(D7zipInputStream::archivePath(), entries)));
}

// An entry the archive has but cannot unpack, named with the archive's reason.
[[noreturn]] void throwDamaged(const DStringPtr& name, const DIOExceptionPtr& damaged) {
    throw DDamagedDataExceptionPtr(
        new DDamagedDataException(u"cannot open the resource " + name + u": " + DFailureReason::of(damaged)));
}

// A file beside the program by that name, or null.
DInputStreamPtr looseFile(const DStringPtr& name) {
    try {
        return DFileInputStream::open(name);
    } catch (DExceptionPtr&) {
        return nullptr;
    }
}

// Damaged or missing data, whose message is the whole diagnostic.
bool isDamagedData(const dfc::lang::DThrowablePtr& e) { return dynamic_cast<DDamagedDataException*>(e.get()); }

// Names whose layout depends on the screen size.
bool isLayoutResource(const DStringPtr& name) {
    return name->endsWith(u"all.txt") || name->endsWith(u"anim.txt") || name->startsWith(u"/menu");
}

}  // namespace

GameLib::GameLib() {
    gameLib = this;
    StringManager::openResource = openResource;
    StringManager::entryName = servingEntry;
}

void GameLib::startApp() {
    screenCanvas = new ScreenCanvas();
    DDisplay::getDisplay(this)->setCurrent(screenCanvas);
    if (!openArchive()) {
        endAtStart();
        return;
    }
    try {
        loadLibrary();
    } catch (dfc::lang::DThrowablePtr& e) {
        if (!isDamagedData(e)) throw;
        diagnose(u"GameLib: the program cannot start: " + DFailureReason::of(e));
        endAtStart();
    }
}

// No message on the device; the process ends with a failure status.
void GameLib::endAtStart() {
    notifyDestroyed();
    PostQuitMessage(failureStatus);
}

void GameLib::loadLibrary() {
    showLogo();
    const int32_t height = ScreenCanvas::screenHeight;
    LoadingBar::start(height - (height >> 3), 0, 20, 0x000000, 0xFF0000);
    present();

    ScreenCanvas::loadFonts();
    advanceLoadingBar();
    GameTables::init();
    advanceLoadingBar();
    GameMenu::loadArrowImages();
    currentMode = new ShellMenu();
    advanceLoadingBar();
    loadKeyMap();
    advanceLoadingBar();
}

bool GameLib::openArchive() {
    try {
        D7zipInputStream::openArchive(u"game.dat", DSystem::getProperty(u"archive.password"));
        return true;
    } catch (DExceptionPtr& e) {
        // The archive names itself and the fault: missing, no 7z archive, a damaged header.
        diagnose(u"GameLib: cannot open " + DFailureReason::of(e));
        return false;
    }
}

void GameLib::showLogo() {
    DGraphics& g = *ScreenCanvas::screenGraphics;
    const int32_t width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    g.setColor(0xFFFFFF);
    g.fillRect(0, 0, width, height);
    DImagePtr logo = DImage::createImage(DStringPtr(u"/logo.png"), 0);
    g.drawImage(logo, width / 2, (height - logo->getHeight()) >> 1, DGraphics::HCENTER | DGraphics::TOP);
}

void GameLib::present() { screenCanvas->DCanvas::repaint(); }

DImagePtr GameLib::showSplash(const DStringPtr& name, int32_t step) {
    DImagePtr splash = DImage::createImage(name);
    const int32_t width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    DGraphics& g = *ScreenCanvas::screenGraphics;
    g.setColor(0x000000);
    g.fillRect(0, 0, width, height);
    g.drawImage(splash, width / 2, height / 2, DGraphics::HCENTER | DGraphics::VCENTER);
    GameMenu::drawProgress(height - height / 8, 0, step, 0xFFFFFF, 0xFF0000);
    present();
    return splash;
}

void GameLib::diagnose(const DStringPtr& line) {
    if (DSystem::err) DSystem::err->println(line);
}

void GameLib::advanceLoadingBar() {
    LoadingBar::advance();
    present();
}

void GameLib::tick() {
    // Start-up may have ended the program before any mode was made; the frame still ticks once.
    if (!isAlive()) return;
    const DWORD updateStart = GetTickCount();
    ScreenCanvas::processKeys();
    // Held for the call: an update that returns to the shell or launches a game ends its own mode.
    GameInterfacePtr mode = currentMode;
    // Without a mode there is nothing to drop: that throws out of the tick.
    GameInterface& current = *mode;
    // A game started, updated or painted here that fails is dropped, and the shell comes back.
    try {
        current.update();
        paintFrame(updateStart);
    } catch (dfc::lang::DThrowablePtr& e) {
        dropFailedMode(DFailureReason::of(e));
    } catch (std::exception& e) {
        dropFailedMode(DFailureReason::of(e));
    }
    waitForFrameEnd();
    lastFrameTime = GetTickCount();
}

void GameLib::paintFrame(DWORD updateStart) {
    if (millisSince(updateStart) + lastPaintDuration >= paintBudget) {
        lastPaintDuration = 0;
        return;
    }
    const DWORD paintStart = GetTickCount();
    screenCanvas->repaint();
    lastPaintDuration = millisSince(paintStart);
}

void GameLib::dropFailedMode(const DStringPtr& what) {
    GameInterfacePtr failed = currentMode;
    currentMode = nullptr;
    if (dynamic_cast<ShellMenu*>(failed.get())) {
        endWithoutShell(what);
        return;
    }
    // A game whose data fails it at every start is named the first time.
    DamageLog::name(u"the game failed: " + what, u"GameLib: the game failed: " + what);
    try {
        if (failed) failed->stop();
    } catch (dfc::lang::DThrowablePtr& e) {
        diagnose(u"GameLib: the failed game did not stop cleanly: " + DFailureReason::of(e));
    }
    failed = nullptr;
    try {
        returnToShell();
    } catch (dfc::lang::DThrowablePtr& e) {
        endWithoutShell(DFailureReason::of(e));
    }
}

// One line for the shell's failure and the end it brings.
void GameLib::endWithoutShell(const DStringPtr& what) {
    diagnose(u"GameLib: the shell menu failed, and without it the program ends: " + what);
    notifyDestroyed();
    PostQuitMessage(failureStatus);
}

void GameLib::waitForFrameEnd() {
    // A negative difference can only come from a clock that jumped: it is not waited for.
    const int32_t elapsed = millisSince(lastFrameTime);
    if (elapsed >= 0 && elapsed < framePeriod) Sleep(DWORD(framePeriod - elapsed));
}

void GameLib::pauseApp() {
    if (!screenCanvas) return;
    screenCanvas->keyPressed(-1);
    screenCanvas->keyReleased(-1);
}

void GameLib::destroyApp(bool) {
    GameTables::release();
    D7zipInputStream::closeArchive();
}

DStringPtr GameLib::getAppProperty(DStringPtr key) {
    if (key == u"app.name") return new DString(u"mossyard");
    if (key == u"image.path") return imageFolder();
    return new DString(u"");
}

DStringPtr GameLib::imageFolder() {
    return new DString(ScreenCanvas::screenHeight >= largeScreenHeight ? u"/ppc" : u"");
}

DStringPtr GameLib::pictureEntry(const DStringPtr& name) { return entryOf(imageFolder() + name); }

DInputStreamPtr GameLib::openResource(const DStringPtr& name) {
    try {
        return tryResource(name);
    } catch (DFileNotFoundExceptionPtr&) {
        const DStringPtr variant = variantName(name);
        const bool bothTried = !variant->equals(name) && fallsBack(name);
        throwMissing(name, bothTried ? entryOf(variant) + u" nor " + entryOf(name) : entryOf(variant));
    } catch (DIOExceptionPtr& damaged) {
        throwDamaged(name, damaged);
    }
}

DInputStreamPtr GameLib::tryResource(const DStringPtr& name) {
    try {
        return openVariant(name);
    } catch (DFileNotFoundExceptionPtr&) {
        return DFileInputStream::open(name);
    } catch (DIOExceptionPtr&) {
        // A damaged entry still gives way to a file beside the program; without one, the damage
        // is what the caller hears of.
        if (DInputStreamPtr loose = looseFile(name)) return loose;
        throw;
    }
}

DInputStreamPtr GameLib::openScreenResource(const DStringPtr& name) {
    const DStringPtr variant = variantName(name);
    try {
        return D7zipInputStream::open(variant);
    } catch (DFileNotFoundExceptionPtr&) {
        // Not in the archive: perhaps beside the program.
    } catch (DIOExceptionPtr& damaged) {
        if (DInputStreamPtr loose = looseFile(name)) return loose;
        throwDamaged(name, damaged);
    }
    try {
        // A loose file goes by the plain name, as a loose picture does.
        return DFileInputStream::open(name);
    } catch (DExceptionPtr&) {
        const DStringPtr other = u" (" + entryOf(name) + u" is laid out for the small screen)";
        throwMissing(name, variant->equals(name) ? entryOf(name) : entryOf(variant) + other);
    }
}

DStringPtr GameLib::servingEntry(const DStringPtr& name) {
    const DStringPtr variant = variantName(name);
    if (variant->equals(name) || !fallsBack(name)) return entryOf(variant);
    try {
        // Opened again only to name it: this runs on the way to a diagnostic.
        D7zipInputStream::open(variant);
        return entryOf(variant);
    } catch (DExceptionPtr&) {
        return entryOf(name);
    }
}

DStringPtr GameLib::variantName(const DStringPtr& name) {
    if (name->startsWith(u"/fonts/")) return name;
    if (name->endsWith(u"help.txt")) {
        const bool smartPhone = DSystem::getProperty(u"platform.type") == u"SmartPhone";
        return smartPhone ? name : u"/ppc" + name;
    }
    if (isLayoutResource(name) && ScreenCanvas::screenHeight >= largeScreenHeight) return u"/ppc" + name;
    return name;
}

// A large-screen variant that is missing gives way to the plain name; a help text's does not.
bool GameLib::fallsBack(const DStringPtr& name) { return !name->endsWith(u"help.txt"); }

DInputStreamPtr GameLib::openVariant(const DStringPtr& name) {
    const DStringPtr variant = variantName(name);
    if (variant->equals(name) || !fallsBack(name)) return D7zipInputStream::open(variant);
    try {
        return D7zipInputStream::open(variant);
    } catch (DFileNotFoundExceptionPtr&) {
        // No large-screen variant: the plain one serves.
    }
    return D7zipInputStream::open(name);
}

void GameLib::returnToShell() {
    if (currentMode) {
        currentMode->stop();
        currentMode = nullptr;
    }
    KeyState::fire = false;
    GameInterfacePtr shell = new ShellMenu();
    currentMode = shell;
    shell->start();
}

void GameLib::loadKeyMap() {
    StringManager::loadProperties(u"/keys");
    KeyState::leftSoftKey1 = StringManager::getInt(u"KEY_LEFT_SOFT1", 10000);
    KeyState::leftSoftKey2 = StringManager::getInt(u"KEY_LEFT_SOFT2", 0);
    KeyState::rightSoftKey1 = StringManager::getInt(u"KEY_RIGHT_SOFT1", 10001);
    KeyState::rightSoftKey2 = StringManager::getInt(u"KEY_RIGHT_SOFT2", 0);
    KeyState::middleSoftKey = StringManager::getInt(u"KEY_MIDDLE_SOFT", 10002);
    StringManager::loadProperties(u"/res");
    GameInterfacePtr mode = currentMode;
    mode->start();
}

void GameLib::loadImageSet(const DStringPtr& name) { ImageAtlas::load(name); }
