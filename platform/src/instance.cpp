// Only one copy of the program runs at a time: the first holds a lock file in the user's
// runtime directory, named after its window class and title.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cstdlib>
#include "state.h"

namespace platform {
namespace {

std::string lockPath(const std::u16string& className, const std::u16string& title) {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string base = dir && *dir ? dir : "/tmp";
    std::string name = narrow(className) + "-" + narrow(title);
    for (char& c : name)
        if (c == '/' || c == ' ') c = '_';
    return base + "/mossyard-" + std::to_string(getuid()) + "-" + name + ".lock";
}

}  // namespace

bool instanceLockTake(const std::u16string& className, const std::u16string& title) {
    if (state().instanceLock >= 0) return true;
    int fd = open(lockPath(className, title).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no runtime directory to lock in: run anyway
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    state().instanceLock = fd;
    return true;
}

bool instanceLockHeldElsewhere(const std::u16string& className, const std::u16string& title) {
    if (state().instanceLock >= 0) return false;
    int fd = open(lockPath(className, title).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return held;
}

void instanceLockRelease() {
    if (state().instanceLock < 0) return;
    close(state().instanceLock);
    state().instanceLock = -1;
}

}  // namespace platform
