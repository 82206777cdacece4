// A help text: modified UTF-8 strings, laid out into lines and shown page by page.
// Seeds: *help.txt
// Max length: 1048576 bytes
// Timeout: 60 s
#include "dexception.h"
#include "fuzz_app.h"
#include "gamemenu.h"
#include "helplayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    static bool screen = false;
    if (!screen) fuzz::useScreen(176, 220);
    screen = true;
    fuzz::putFile("/tst/help.txt", data, size);
    try {
        GameMenuPtr menu = new GameMenu();
        menu->layoutText(u"/tst/help.txt", nullptr);
        menu->mode = GameMenu::helpPage;
        for (int page = 0; page < 8 && menu->firstVisible < HelpLayout::lineCount; ++page) {
            menu->paint();
            menu->firstVisible = menu->lastDrawnLine + 1;
        }
    } catch (dfc::lang::DExceptionPtr&) {
    }
    return 0;
}
