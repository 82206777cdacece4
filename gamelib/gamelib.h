#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dinputstream.h"
#include "dimage.h"
#include "dmidlet.h"
#include "drandom.h"
#include "gameinterface.h"
#include "gamelib.ptr"
#include "screencanvas.ptr"

// The application: start-up with the logo and loading bar, the frame tick that drives the
// current mode at a fixed pace, the way back to the shell, and the resource opener every
// loader reads through.
class GameLib : public dfc::microedition::midlet::DMIDlet {
public:
    // The frame period in milliseconds; the games' timers count down by it.
    static constexpr int32_t framePeriod = 25;
    // An update that, with the previous paint, takes this long goes without a paint.
    static constexpr int32_t paintBudget = 26;

    GameLib();

    void destroyApp(bool unconditional) override;
    // Sends the pause key (code -1) as a press and a release.
    void pauseApp() override;
    void startApp() override;
    // One frame: one key event, the mode's update, its paint unless the frame ran late, and
    // the wait for the rest of the frame period.
    void tick() override;
    // "app.name" and "image.path" ("/ppc" on screens 320 or more high); "" for anything else.
    dfc::lang::DStringPtr getAppProperty(dfc::lang::DStringPtr key) override;

    // Opens a resource of the data archive, the large-screen or Pocket PC variant where there
    // is one, else the file of that name beside the program. Never null: a resource found
    // nowhere throws DDamagedDataException naming the entries tried.
    static dfc::io::DInputStreamPtr openResource(const dfc::lang::DStringPtr& name);
    // As openResource, throwing the file stream's own exception: for names that are only tried.
    static dfc::io::DInputStreamPtr tryResource(const dfc::lang::DStringPtr& name);
    // As openResource, but in the archive the large-screen variant of a layout resource has no
    // stand-in: the small screen's atlas text would cut the large picture wrong.
    static dfc::io::DInputStreamPtr openScreenResource(const dfc::lang::DStringPtr& name);
    // The archive entry that openResource reads for a name, as diagnostics name it.
    static dfc::lang::DStringPtr servingEntry(const dfc::lang::DStringPtr& name);
    // The archive entry a picture name is read from on this screen, as diagnostics name it.
    static dfc::lang::DStringPtr pictureEntry(const dfc::lang::DStringPtr& name);
    static dfc::io::DInputStreamPtr resolvePath(const dfc::lang::DStringPtr& name) { return openResource(name); }
    // Stops and drops the current mode and starts a new shell menu.
    static void returnToShell();
    // Reads the key map "/keys" and the shared texts "/res", then starts the current mode.
    static void loadKeyMap();
    static void loadImageSet(const dfc::lang::DStringPtr& name);
    // Shows the back buffer as it stands, without painting the mode: a game calls it between the
    // loading steps of its start, before its own paint has anything to draw.
    static void present();
    // The first loading step of a game: its splash picture centred on black, the loading bar
    // begun below it with the given step, shown at once. A picture that cannot be read throws
    // (the picture has said why), and the tick takes the game back to the shell.
    static dfc::microedition::lcdui::DImagePtr showSplash(const dfc::lang::DStringPtr& name, int32_t step);
    // One step of the loading bar, shown at once: a game's loading steps end with it, before
    // its own paint has anything to draw.
    static void advanceLoadingBar();
    // A line on the diagnostic stream, when there is one.
    static void diagnose(const dfc::lang::DStringPtr& line);

    static GameLibPtr gameLib;
    static GameInterfacePtr currentMode;
    static ScreenCanvasPtr screenCanvas;
    static dfc::util::DRandomPtr sharedRandom;
    // When the previous tick ended, and how long its paint took (0 when it was skipped).
    static DWORD lastFrameTime;
    static int32_t lastPaintDuration;

private:
    // False when the data archive cannot be opened.
    bool openArchive();
    void endAtStart();
    // The start's loading steps after the archive: logo, fonts, tables, shell menu and key map.
    void loadLibrary();
    static void showLogo();
    static void paintFrame(DWORD updateStart);
    // Stops and drops the current mode after an exception left it, and starts a new shell menu;
    // when the shell menu itself fails, the program ends.
    void dropFailedMode(const dfc::lang::DStringPtr& what);
    void endWithoutShell(const dfc::lang::DStringPtr& what);
    static void waitForFrameEnd();
    static dfc::io::DInputStreamPtr openVariant(const dfc::lang::DStringPtr& name);
    // The name tried first in the archive: the Pocket PC or large-screen variant where there is one.
    static dfc::lang::DStringPtr variantName(const dfc::lang::DStringPtr& name);
    static bool fallsBack(const dfc::lang::DStringPtr& name);
    // "/ppc" on screens 320 or more high, else "".
    static dfc::lang::DStringPtr imageFolder();
};
