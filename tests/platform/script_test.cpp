// The headless run's scripts: what a line may hold, and the order their events arrive in.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ce.h"
#include "headless_test.h"
#include "temp_folder.h"

namespace {

// The virtual key of every key press that reached the window, in order.
std::vector<WPARAM> pressed;

LRESULT recordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_KEYDOWN) pressed.push_back(wp);
    return DefWindowProcW(w, m, wp, lp);
}

class Script : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        pressed.clear();
    }

    // The error of a script of these lines; empty when it loads.
    std::string errorOf(const std::string& lines) {
        folder.write("script.txt", lines);
        return errorOfFile(folder.file("script.txt"));
    }
    std::string errorOfFile(const std::string& path) {
        std::string error;
        const bool loaded = device->loadScript(path, &error);
        EXPECT_EQ(loaded, error.empty()) << path;
        return error;
    }

    // Delivers every event up to the given time to a window of its own.
    void playUntil(DWORD end) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = recordingProc;
        wc.lpszClassName = u"GameEngine";
        RegisterClassW(&wc);
        ASSERT_TRUE(CreateWindowExW(0, u"GameEngine", u"Mossvane", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr));
        MSG msg;
        while (GetTickCount() <= end)
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

    TempFolder folder;
};

}  // namespace

// Each fault is named with its line in one message; nothing of a refused script is scheduled.
TEST_F(Script, RefusesWhatItCannotPlayAsWritten) {
    struct Case {
        const char* what;
        std::string lines;
        const char* error;  // empty: the script loads
    } const cases[] = {
        {"the last time that does not wrap", "2147483647 close\n", ""},
        {"2^31 ms would wrap to the past", "10 close\n2147483648 close\n",
         "script.txt:2: a time of at most 2147483647 ms, found \"2147483648\""},
        {"the end of the clock", "4294967295 close\n", "a time of at most 2147483647 ms"},
        {"past any unsigned long", "99999999999999999999999 close\n", "a time of at most 2147483647 ms"},
        {"a negative time", "-5 close\n", "expected a time in milliseconds, found \"-5\""},
        {"the pause key's code", "100 keydown -1\n",
         "script.txt:1: expected a key name or a virtual-key number from 1 to 254, found \"-1\""},
        {"no key has number 0 (\"0\" is the digit)", "100 keyup 00\n", "found \"00\""},
        {"past the virtual keys", "100 keydown 255\n", "found \"255\""},
        {"the program's select code", "100 keydown 10002\n", "found \"10002\""},
        {"a key number past long", "100 keydown 99999999999999999999\n", "found \"99999999999999999999\""},
        {"an application key", "100 keydown 193\n100 keyup 254\n100 keydown 1\n", ""},
        {"a line without its end", std::string(5000, '7'), "script.txt:1: a line longer than 1000 characters"},
        {"a long line after good ones", "1 close\n" + std::string(1001, ' ') + "\n",
         "script.txt:2: a line longer than 1000 characters"},
        {"a long comment is still a long line", "1 close #" + std::string(1200, '-') + "\n", "longer than 1000"},
        {"a line at the limit", "1 close" + std::string(993, ' ') + "\n", ""},
    };
    for (const Case& c : cases) {
        const std::string error = errorOf(c.lines);
        if (*c.error)
            EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
        else
            EXPECT_EQ(error, "") << c.what;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.what;
    }
}

TEST_F(Script, RefusesAFolderAndWhatCannotBeRead) {
    EXPECT_EQ(errorOfFile(folder.path()), folder.path() + ": a folder, not a script");
    EXPECT_EQ(errorOfFile(folder.file("missing.txt")), folder.file("missing.txt") + ": cannot be read");
    // A device of endless bytes is refused at its first line, not read until memory runs out.
    EXPECT_EQ(errorOfFile("/dev/zero"), "/dev/zero:1: a line longer than 1000 characters");
}

// Events come in time order, those of one moment in script order, whatever order the script
// wrote them in; a refused script leaves nothing behind.
TEST_F(Script, DeliversEventsInTimeOrderAndTiesInScriptOrder) {
    std::string lines;
    for (int key = 60; key >= 51; --key)
        lines += std::to_string(100 + 10 * (key - 51)) + " keydown " + std::to_string(key) + "\n";
    lines += "100 keydown 65\n100 keydown 66\n";
    ASSERT_EQ(errorOf(lines), "");
    EXPECT_NE(errorOf("300 keydown 70\n400 keydown -1\n").find("script.txt:2:"), std::string::npos);
    playUntil(500);
    EXPECT_EQ(pressed, (std::vector<WPARAM>{51, 65, 66, 52, 53, 54, 55, 56, 57, 58, 59, 60}));
}
