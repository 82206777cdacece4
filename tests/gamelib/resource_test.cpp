// Where a resource is opened from: the archive entry, its large-screen or Pocket PC variant,
// or the file beside the program; the application's properties; the way back to the shell.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include <vector>
#include "archive_fixture.h"
#include "d7zipinputstream.h"
#include "ddamageddataexception.h"
#include "dexception.h"
#include "dioexception.h"
#include "gamelib.h"
#include "keystate.h"
#include "platform.h"
#include "program_fixture.h"
#include "screencanvas.h"
#include "started_app.h"

using dfc::io::D7zipInputStream;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::io::DInputStreamPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DStringPtr;

namespace {

enum Has { plain = 1, ppc = 2, file = 4 };

std::string readAll(const DInputStreamPtr& in) {
    dfc::lang::DbyteArrayPtr buffer = new dfc::lang::DbyteArray(64);
    const int n = in->read(buffer);
    return n > 0 ? std::string(reinterpret_cast<const char*>(buffer->data), size_t(n)) : std::string();
}

class Resources : public ArchiveTest {
protected:
    void TearDown() override {
        resetGameLibState();
        ArchiveTest::TearDown();
    }

    // Makes the archive and the loose file hold the name as `has` says; each holds its own
    // word, so what was opened can be told.
    void provide(const std::string& name, int has) {
        D7zipInputStream::closeArchive();
        std::filesystem::remove(folder.file("game.dat"));
        std::filesystem::remove_all(folder.file(name.substr(1, name.find('/', 1) - 1)));
        Files files{{"unrelated.txt", "-"}};
        if (has & plain) files.push_back({name.substr(1), "plain"});
        if (has & ppc) files.push_back({"ppc" + name, "ppc"});
        pack("game.dat", files);
        D7zipInputStream::openArchive(u"game.dat", u"");
        if (has & file) folder.write(name.substr(1), "file");
    }

    // The name provided as `has` says, on a screen of that height of that device.
    DStringPtr onScreen(const char* name, int height, const char* profile, int has) {
        provide(name, has);
        platform::selectProfile(*platform::findProfile(profile));
        ScreenCanvas::screenHeight = height;
        return platform::widen(name).c_str();
    }
};

}  // namespace

TEST_F(Resources, EachNameOpensTheVariantItsScreenAndPlatformAskFor) {
    struct Case {
        const char* name;
        int height;
        const char* profile;
        int has;
        const char* opened;  // "" when nothing can be opened
    } cases[] = {
        // Fonts never take a variant.
        {"/fonts/m/font_0", 320, "pocketpc", plain | ppc | file, "plain"},
        {"/fonts/m/font_0", 220, "smartphone", file, "file"},
        // Help texts: the platform decides, not the screen.
        {"/g/help.txt", 220, "smartphone", plain | ppc, "plain"},
        {"/g/help.txt", 320, "smartphone", plain | ppc, "plain"},
        {"/g/help.txt", 220, "pocketpc", plain | ppc, "ppc"},
        {"/g/help.txt", 320, "pocketpc", plain | file, "file"},
        {"/g/help.txt", 320, "pocketpc", plain, ""},
        {"/g/Help.TXT", 220, "pocketpc", plain | ppc, "plain"},
        // Layout texts and the menu: the screen decides, and the plain entry stands in.
        {"/g/all.txt", 320, "smartphone", plain | ppc, "ppc"},
        {"/g/overall.txt", 320, "smartphone", plain | ppc, "ppc"},
        {"/g/all.txt", 220, "pocketpc", plain | ppc, "plain"},
        {"/g/anim.txt", 320, "pocketpc", plain, "plain"},
        {"/g/anim.txt", 320, "pocketpc", file, "file"},
        {"/menu/texts.txt", 320, "pocketpc", plain | ppc, "ppc"},
        {"/menu/texts.txt", 240, "pocketpc", plain | ppc | file, "plain"},
        // Anything else is opened as named.
        {"/g/level.txt", 320, "pocketpc", plain | ppc, "plain"},
        {"/g/level.txt", 220, "smartphone", file, "file"},
        {"/g/level.txt", 220, "smartphone", ppc, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.height) + " " + c.profile);
        const DStringPtr name = onScreen(c.name, c.height, c.profile, c.has);
        if (*c.opened) {
            EXPECT_EQ(readAll(GameLib::openResource(name)), c.opened);
            EXPECT_EQ(readAll(GameLib::resolvePath(name)), c.opened);
        } else {
            EXPECT_THROW(GameLib::openResource(name), DDamagedDataExceptionPtr);
        }
    }
}

TEST(ApplicationProperties, TheScreenHeightChoosesTheImageFolder) {
    GameLib* lib = new GameLib();
    dfc::microedition::midlet::DMIDletPtr hold = lib;
    struct Case {
        int width, height;
        const char16_t* key;
        const char16_t* value;
    } cases[] = {
        {240, 320, u"image.path", u"/ppc"}, {320, 240, u"image.path", u""},   {176, 220, u"image.path", u""},
        {240, 320, u"app.name", u"mossyard"}, {240, 320, u"App.name", u""}, {240, 320, u"other", u""},
    };
    for (const Case& c : cases) {
        ScreenCanvas::screenWidth = c.width;
        ScreenCanvas::screenHeight = c.height;
        DStringPtr value = lib->getAppProperty(c.key);
        ASSERT_FALSE(value.isNull());
        EXPECT_TRUE(value == c.value) << c.width << "x" << c.height;
    }
    resetGameLibState();
}

namespace {

std::vector<std::string> steps;

class EndingGame : public GameInterface {
public:
    ~EndingGame() override { steps.push_back(KeyState::fire ? "released, fire held" : "released"); }
    void stop() override { steps.push_back(GameLib::currentMode.get() == this ? "stopped while current" : "stopped"); }
};

}  // namespace

// The shell menu a game returns to needs the program's data.
using ReturnToShell = StartedAppTest;

TEST_F(ReturnToShell, StopsAndReleasesTheGameBeforeTheShellStarts) {
    steps.clear();
    inProgram([] {
        GameLib::currentMode = new EndingGame();
        KeyState::fire = true;
        GameLib::returnToShell();
        EXPECT_EQ(steps, (std::vector<std::string>{"stopped while current", "released, fire held"}));
        EXPECT_FALSE(KeyState::fire);
        ASSERT_TRUE(GameLib::currentMode);
        EXPECT_EQ(dynamic_cast<EndingGame*>(GameLib::currentMode.get()), nullptr);

        // Without a game there is nothing to stop.
        GameLib::currentMode = nullptr;
        GameLib::returnToShell();
        EXPECT_TRUE(GameLib::currentMode);
    });
}

// An atlas text is read with the picture of its screen: on a large screen the small screen's
// entry does not stand in for a missing large one (a loose file, like a loose picture, goes by
// the plain name). Diagnostics name the entry that was read.
TEST_F(Resources, ALargeScreensLayoutTextHasNoSmallStandIn) {
    struct Case {
        const char* name;
        int height;
        const char* profile;
        int has;
        const char* opened;  // "" when nothing can be opened
        const char* entry;   // the entry diagnostics name
    } cases[] = {
        {"/g/all.txt", 320, "pocketpc", plain | ppc, "ppc", "ppc/g/all.txt"},
        {"/g/all.txt", 320, "pocketpc", plain, "", "g/all.txt"},
        {"/g/all.txt", 320, "pocketpc", plain | file, "file", "g/all.txt"},
        {"/g/all.txt", 220, "smartphone", plain | ppc, "plain", "g/all.txt"},
        {"/g/all.txt", 220, "smartphone", file, "file", "g/all.txt"},
        {"/menu/texts.txt", 320, "pocketpc", plain, "", "menu/texts.txt"},
        {"/g/level.txt", 320, "pocketpc", plain | ppc, "plain", "g/level.txt"},
        {"/g/help.txt", 220, "pocketpc", plain | ppc, "ppc", "ppc/g/help.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.height) + " " + c.profile);
        const DStringPtr name = onScreen(c.name, c.height, c.profile, c.has);
        if (*c.opened)
            EXPECT_EQ(readAll(GameLib::openScreenResource(name)), c.opened);
        else
            EXPECT_THROW(GameLib::openScreenResource(name), DDamagedDataExceptionPtr);
        EXPECT_EQ(platform::narrow(GameLib::servingEntry(name)->chars()), c.entry);
    }
}
