#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include "ce.h"
#include "headless.h"

namespace {

// The headless device with the desktop's rule that only one copy runs.
class SingleCopyBackend : public platform::headless::HeadlessBackend {
    bool singleInstance() const override { return true; }
};

LRESULT quietProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

HWND openWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = quietProc;
    wc.lpszClassName = u"GameEngine";
    RegisterClassW(&wc);
    return CreateWindowExW(0, u"GameEngine", u"Mossvane", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(SingleInstance, ASecondCopyFindsTheWindowOfTheFirst) {
    std::string runtime = ::testing::TempDir() + "runtime-XXXXXX";
    ASSERT_NE(mkdtemp(runtime.data()), nullptr);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    platform::resetState();
    platform::useBackend(std::make_unique<SingleCopyBackend>());

    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    pid_t first = fork();
    if (first == 0) {
        char byte = openWindow() ? 1 : 0;
        (void)!write(ready[1], &byte, 1);
        (void)!read(done[0], &byte, 1);
        _exit(0);
    }
    char opened = 0;
    ASSERT_EQ(read(ready[0], &opened, 1), 1);
    ASSERT_EQ(opened, 1);

    HWND found = FindWindowW(u"GameEngine", u"Mossvane");
    EXPECT_NE(found, nullptr);
    EXPECT_EQ(openWindow(), nullptr);  // the lock is taken

    char byte = 0;
    (void)!write(done[1], &byte, 1);
    waitpid(first, nullptr, 0);
    platform::resetState();
    EXPECT_EQ(FindWindowW(u"GameEngine", u"Mossvane"), nullptr);  // the first copy has ended
    EXPECT_NE(openWindow(), nullptr);
    platform::resetState();
    platform::useBackend(nullptr);
}
