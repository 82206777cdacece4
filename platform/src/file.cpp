// Files on the host. The program's paths use backslashes; they become host paths here and
// nowhere else, and the executable's host path is reported back with backslashes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include "ce_error.h"
#include "ce_file.h"
#include "filehandle.h"
#include "platform.h"
#include "regularfile.h"

namespace {

std::string hostPath(LPCWSTR devicePath) {
    std::string path = platform::narrow(devicePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::u16string devicePath(const std::string& host) {
    std::u16string path = platform::widen(host);
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path;
}

int openFlags(DWORD access, DWORD creation) {
    bool reads = access & GENERIC_READ, writes = access & GENERIC_WRITE;
    int flags = reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if (creation == CREATE_ALWAYS) flags |= O_CREAT | O_TRUNC;
    return flags | O_CLOEXEC;
}

int fileOf(HANDLE file) {
    auto* f = platform::handleAs<FileHandle>(file);
    return f ? f->fd : -1;
}

// The system's code for why an open failed.
DWORD openError(int error) {
    if (error == ENOENT || error == ENOTDIR) return ERROR_FILE_NOT_FOUND;
    if (error == EACCES || error == EPERM) return ERROR_ACCESS_DENIED;
    return ERROR_OPEN_FAILED;
}

std::string& moduleOverride() {
    static std::string path;
    return path;
}

std::string executablePath() {
    if (!moduleOverride().empty()) return moduleOverride();
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

}  // namespace

namespace platform {
void setModulePath(const std::string& path) { moduleOverride() = path; }
}  // namespace platform

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD, LPVOID, DWORD creation, DWORD, HANDLE) {
    if (!fileName || (creation != CREATE_ALWAYS && creation != OPEN_EXISTING)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    struct stat info;
    int fd = openRegularFile(hostPath(fileName).c_str(), openFlags(access, creation), &info);
    if (fd < 0) {
        SetLastError(openError(errno));
        return INVALID_HANDLE_VALUE;
    }
    return platform::addHandle(std::make_unique<FileHandle>(fd));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, DWORD* read, LPVOID) {
    if (read) *read = 0;
    int fd = fileOf(file);
    if (fd < 0 || (!buffer && toRead)) return FALSE;
    DWORD done = 0;
    while (done < toRead) {
        ssize_t n = ::read(fd, static_cast<char*>(buffer) + done, toRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FALSE;
        if (n == 0) break;
        done += DWORD(n);
    }
    if (read) *read = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, LPVOID) {
    if (written) *written = 0;
    int fd = fileOf(file);
    if (fd < 0 || (!buffer && toWrite)) return FALSE;
    DWORD done = 0;
    while (done < toWrite) {
        ssize_t n = ::write(fd, static_cast<const char*>(buffer) + done, toWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (written) *written = done;
        if (n <= 0) return FALSE;
        done += DWORD(n);
    }
    if (written) *written = done;
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
    int fd = fileOf(file);
    int whence = method == FILE_BEGIN     ? SEEK_SET
                 : method == FILE_CURRENT ? SEEK_CUR
                 : method == FILE_END     ? SEEK_END
                                          : -1;
    if (fd < 0 || whence < 0) return INVALID_SET_FILE_POINTER;
    int64_t move = distanceHigh ? int64_t((uint64_t(uint32_t(*distanceHigh)) << 32) | uint32_t(distance)) : distance;
    off_t position = lseek(fd, off_t(move), whence);
    if (position < 0) return INVALID_SET_FILE_POINTER;
    if (distanceHigh) *distanceHigh = LONG(uint64_t(position) >> 32);
    return DWORD(uint64_t(position));
}

BOOL FlushFileBuffers(HANDLE file) {
    int fd = fileOf(file);
    return fd >= 0 && fsync(fd) == 0 ? TRUE : FALSE;
}

DWORD GetFileSize(HANDLE file, DWORD* sizeHigh) {
    struct stat info;
    int fd = fileOf(file);
    if (fd < 0 || fstat(fd, &info) != 0) return 0xFFFFFFFF;
    if (sizeHigh) *sizeHigh = DWORD(uint64_t(info.st_size) >> 32);
    return DWORD(uint64_t(info.st_size));
}

std::u16string HostPathOf(LPCWSTR path) { return platform::widen(hostPath(path)); }

DWORD GetModuleFileNameW(HMODULE, LPWSTR fileName, DWORD size) {
    if (!fileName || size == 0) return 0;
    std::u16string path = devicePath(executablePath());
    // Like the device: a name that does not fit is cut and the answer is the buffer's size.
    DWORD n = DWORD(std::min<size_t>(path.size(), size - 1));
    std::copy_n(path.data(), n, fileName);
    fileName[n] = 0;
    return path.size() < size ? n : size;
}
