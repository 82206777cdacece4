// The host's files as the device sees them: it opens files only, so anything else in a
// file's place (a folder, a pipe, a device) is not found.
#pragma once
#include <sys/stat.h>

// Opens a regular file with the open() flags, its status in info; -1 with errno ENOENT for
// anything else. Never waits: a pipe in the file's place would block a plain open for ever.
int openRegularFile(const char* path, int flags, struct stat* info);
