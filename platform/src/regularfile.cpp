#include "regularfile.h"
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

int openRegularFile(const char* path, int flags, struct stat* info) {
    const int fd = open(path, flags | O_NONBLOCK, 0666);
    if (fd < 0) return -1;
    if (fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
        close(fd);
        errno = ENOENT;
        return -1;
    }
    return fd;
}
