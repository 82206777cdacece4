// A file opened by CreateFileW, for the layer's calls that need the host descriptor.
#pragma once
#include <unistd.h>
#include "handle.h"

struct FileHandle : PlatformHandle {
    explicit FileHandle(int fd) : fd(fd) {}
    ~FileHandle() override { close(fd); }
    int fd;
};
