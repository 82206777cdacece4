// The registry on disk: a key is a folder, a value a file in it. Below the data folder
// (MOSSYARD_DATA_DIR, else XDG_DATA_HOME/mossyard, else ~/.local/share/mossyard) the tree
// starts at registry/HKEY_CURRENT_USER.
//
// Folder names are key names, escaped so that no name can reach outside its parent key;
// value files are named "=" and the escaped value name, so a key and a value may share a name.
// A file holds the value's type (4 bytes, little-endian) and then its data; a value is a
// regular file, anything else under a key is no value. Names beginning with "." are work
// files of writes and deletions, never keys or values; they end in the writer's process id,
// and those whose writer is gone are removed when their key is next opened. A value file
// larger than the limit is damaged: it is refused after reading at most one byte past it.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include "ce_registry.h"
#include "platform.h"
#include "regularfile.h"

namespace fs = std::filesystem;

struct PlatformRegKey {
    fs::path folder;
    bool predefined = false;
};

namespace {

PlatformRegKey currentUser{{}, true};

constexpr char valueMark = '=';
constexpr size_t typeBytes = 4;

// Why this thread's latest registry call failed, in the system's words.
thread_local std::string failureReason;

LONG failWith(LONG code, std::string reason) {
    failureReason = std::move(reason);
    return code;
}

LONG emptyName() { return failWith(ERROR_BAD_PATHNAME, "a key name is empty"); }

LONG tooLarge(LONG code) {
    return failWith(code, "larger than the limit of " + std::to_string(registryValueLimit) + " bytes");
}

fs::path dataRoot() {
    if (const char* dir = std::getenv("MOSSYARD_DATA_DIR"); dir && *dir) return dir;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return fs::path(xdg) / "mossyard";
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".local/share/mossyard";
    return fs::path(".mossyard");
}

fs::path folderOf(HKEY key) {
    if (key == &currentUser) return dataRoot() / "registry" / "HKEY_CURRENT_USER";
    return key->folder;
}

bool plainByte(unsigned char c, bool first) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           (c == '.' && !first);
}

// Letters, digits, "_", "-" and inner dots stay; every other byte of the UTF-8 form is %XX.
std::string escape(std::u16string_view name) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : platform::narrow(name)) {
        if (plainByte(c, out.empty())) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The name a file name stands for; none for files this registry did not write.
std::optional<std::u16string> unescape(const std::string& file) {
    std::string utf8;
    for (size_t i = 0; i < file.size(); ++i) {
        if (file[i] != '%') {
            utf8 += file[i];
            continue;
        }
        if (i + 2 >= file.size()) return std::nullopt;
        int high = hexDigit(file[i + 1]), low = hexDigit(file[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        utf8 += char(high * 16 + low);
        i += 2;
    }
    std::u16string name = platform::widen(utf8);
    if (escape(name) != file) return std::nullopt;
    return name;
}

LONG errorOf(int error, LONG otherwise) {
    failureReason = std::strerror(error);
    switch (error) {
    case ENOENT:
    case ENOTDIR: return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENAMETOOLONG: return ERROR_BAD_PATHNAME;
    default: return otherwise;
    }
}

// Splits "a\b\c" into its key names; none when a name is empty.
std::optional<std::vector<std::u16string>> splitPath(LPCWSTR subKey) {
    std::vector<std::u16string> names;
    if (!subKey || !*subKey) return names;
    std::u16string_view rest(subKey);
    while (true) {
        size_t cut = rest.find(u'\\');
        std::u16string_view name = rest.substr(0, cut);
        if (name.empty()) return std::nullopt;
        names.emplace_back(name);
        if (cut == std::u16string_view::npos) return names;
        rest.remove_prefix(cut + 1);
    }
}

fs::path valueFile(HKEY key, LPCWSTR name) {
    return folderOf(key) / (valueMark + escape(name ? std::u16string_view(name) : std::u16string_view()));
}

void syncFolder(const fs::path& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

struct Entry {
    std::u16string name;
    fs::path path;
};

struct Listing {
    std::vector<Entry> keys;
    std::vector<Entry> values;
};

// The key's subkeys and values in a stable order.
std::optional<Listing> list(HKEY key) {
    std::error_code error;
    fs::directory_iterator it(folderOf(key), error);
    if (error) {
        failureReason = error.message();
        return std::nullopt;
    }
    Listing listing;
    for (const fs::directory_entry& e : it) {
        std::string file = e.path().filename().string();
        if (file.empty() || file[0] == '.') continue;
        bool isValue = file[0] == valueMark;
        std::optional<std::u16string> name = unescape(isValue ? file.substr(1) : file);
        if (!name) continue;
        bool isFolder = e.is_directory(error);
        if (isValue && e.is_regular_file(error)) listing.values.push_back({*name, e.path()});
        if (!isValue && isFolder) listing.keys.push_back({*name, e.path()});
    }
    auto byFile = [](const Entry& a, const Entry& b) { return a.path.filename() < b.path.filename(); };
    std::sort(listing.keys.begin(), listing.keys.end(), byFile);
    std::sort(listing.values.begin(), listing.values.end(), byFile);
    return listing;
}

struct Value {
    DWORD type = 0;
    std::vector<BYTE> data;
};

LONG readValue(const fs::path& file, Value* value) {
    struct stat info;
    int fd = openRegularFile(file.c_str(), O_RDONLY | O_CLOEXEC, &info);
    if (fd < 0) return errorOf(errno, ERROR_READ_FAULT);
    // One byte past the limit tells a value too large, whatever the file claims or grows to.
    const size_t most = typeBytes + registryValueLimit + 1;
    std::vector<BYTE> bytes(std::min<size_t>(most, size_t(std::max<off_t>(info.st_size, 0)) + 1));
    size_t got = 0;
    ssize_t n = 1;
    while (got < most && n > 0) {
        if (got == bytes.size()) bytes.resize(std::min(most, bytes.size() * 2));
        n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n > 0) got += size_t(n);
        if (n < 0 && errno == EINTR) n = 1;
    }
    int readError = n < 0 ? errno : 0;
    close(fd);
    if (readError) return errorOf(readError, ERROR_READ_FAULT);
    if (got == most) return tooLarge(ERROR_READ_FAULT);
    if (got < typeBytes) return failWith(ERROR_READ_FAULT, "cut short");
    value->type = DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
    value->data.assign(bytes.begin() + typeBytes, bytes.begin() + ptrdiff_t(got));
    return ERROR_SUCCESS;
}

bool writeAll(int fd, const BYTE* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Renames the work file over the value's file. A folder in the value's place is no value:
// it goes, so that it cannot block every later write.
bool putInPlace(const fs::path& work, const fs::path& file) {
    if (rename(work.c_str(), file.c_str()) == 0) return true;
    struct stat info;
    if (lstat(file.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    std::error_code error;
    fs::remove_all(file, error);
    return rename(work.c_str(), file.c_str()) == 0;
}

// Writes the whole file beside the old one, then renames it over: a reader, or the next run
// after a crash, finds the old value or the new one.
LONG replaceFile(const fs::path& file, const std::vector<BYTE>& bytes) {
    fs::path work = file.parent_path() / ("." + file.filename().string() + "." + std::to_string(getpid()));
    int fd = open(work.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errorOf(errno, ERROR_WRITE_FAULT);
    bool written = writeAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    int writeError = written ? 0 : errno;
    if (close(fd) != 0 && written) {
        written = false;
        writeError = errno;
    }
    if (!written || !putInPlace(work, file)) {
        if (written) writeError = errno;
        unlink(work.c_str());
        return errorOf(writeError, ERROR_WRITE_FAULT);
    }
    syncFolder(file.parent_path());
    return ERROR_SUCCESS;
}

// Answers data of a value through the Win32 buffer rules.
LONG answer(const Value& value, LPDWORD type, LPBYTE data, LPDWORD dataLength) {
    if (type) *type = value.type;
    if (data && !dataLength) return ERROR_INVALID_PARAMETER;
    if (!dataLength) return ERROR_SUCCESS;
    DWORD size = DWORD(value.data.size());
    if (data && *dataLength < size) {
        *dataLength = size;
        return ERROR_MORE_DATA;
    }
    if (data) std::copy(value.data.begin(), value.data.end(), data);
    *dataLength = size;
    return ERROR_SUCCESS;
}

LONG answerName(const std::u16string& name, LPWSTR buffer, LPDWORD length) {
    if (!buffer || !length) return ERROR_INVALID_PARAMETER;
    if (name.size() + 1 > *length) return ERROR_MORE_DATA;
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = 0;
    *length = DWORD(name.size());
    return ERROR_SUCCESS;
}

// Whether a work file or folder was left by a process that is gone. This process's own are
// stale too: its writes are over by the time a key is opened.
bool isStaleWork(const std::string& file) {
    size_t dot = file.rfind('.');
    if (file.empty() || file[0] != '.' || dot == 0 || dot + 1 == file.size()) return false;
    long pid = 0;
    for (size_t i = dot + 1; i < file.size(); ++i) {
        if (file[i] < '0' || file[i] > '9' || pid > 99999999) return false;
        pid = pid * 10 + (file[i] - '0');
    }
    if (pid <= 0) return false;
    return pid == getpid() || (kill(pid_t(pid), 0) != 0 && errno == ESRCH);
}

// A write cut short by the end of the program leaves its work file behind.
void removeStaleWork(const fs::path& folder) {
    std::error_code error;
    std::vector<fs::path> stale;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, error))
        if (isStaleWork(e.path().filename().string())) stale.push_back(e.path());
    for (const fs::path& path : stale) fs::remove_all(path, error);
}

HKEY handleFor(fs::path folder) {
    removeStaleWork(folder);
    return new PlatformRegKey{std::move(folder), false};
}

}  // namespace

const HKEY HKEY_CURRENT_USER = &currentUser;

std::u16string RegFailureReason() { return platform::widen(failureReason); }

std::u16string RegHostFolder(HKEY key, LPCWSTR subKey) {
    fs::path folder = folderOf(key);
    auto names = splitPath(subKey);
    for (const auto& name : names.value_or(std::vector<std::u16string>())) folder /= escape(name);
    return platform::widen(folder.string());
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    failureReason.clear();
    if (!key || !result) return ERROR_INVALID_PARAMETER;
    auto names = splitPath(subKey);
    if (!names) return emptyName();
    fs::path folder = folderOf(key);
    for (const auto& name : *names) folder /= escape(name);
    std::error_code error;
    if (!fs::is_directory(folder, error)) return ERROR_FILE_NOT_FOUND;
    *result = handleFor(folder);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, SECURITY_ATTRIBUTES*, PHKEY result,
                     LPDWORD disposition) {
    failureReason.clear();
    if (!key || !result) return ERROR_INVALID_PARAMETER;
    auto names = splitPath(subKey);
    if (!names) return emptyName();
    fs::path folder = folderOf(key);
    std::error_code error;
    if (key->predefined) fs::create_directories(folder, error);
    bool created = false;
    for (const auto& name : *names) {
        fs::path parent = folder;
        folder /= escape(name);
        if (mkdir(folder.c_str(), 0755) == 0) {
            syncFolder(parent);
            created = true;
            continue;
        }
        int failure = errno;
        // Something that is not a key is in the way.
        if (failure == EEXIST && !fs::is_directory(folder, error))
            return failWith(ERROR_ACCESS_DENIED, std::strerror(ENOTDIR));
        if (failure != EEXIST) return errorOf(failure, ERROR_WRITE_FAULT);
    }
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = handleFor(folder);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (!key) return ERROR_INVALID_HANDLE;
    if (!key->predefined) delete key;
    return ERROR_SUCCESS;
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
    failureReason.clear();
    if (!key) return ERROR_INVALID_HANDLE;
    auto names = splitPath(subKey);
    if (!names || names->empty()) return emptyName();
    fs::path folder = folderOf(key);
    for (const auto& name : *names) folder /= escape(name);
    std::error_code error;
    if (!fs::is_directory(folder, error)) return ERROR_FILE_NOT_FOUND;
    // Out of sight in one step, then emptied at leisure.
    fs::path doomed =
        folder.parent_path() / (".deleted." + folder.filename().string() + "." + std::to_string(getpid()));
    if (rename(folder.c_str(), doomed.c_str()) != 0) return errorOf(errno, ERROR_ACCESS_DENIED);
    syncFolder(folder.parent_path());
    fs::remove_all(doomed, error);
    return ERROR_SUCCESS;
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classLength, LPDWORD, LPDWORD subKeys, LPDWORD maxSubKeyLength,
                      LPDWORD maxClassLength, LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                      LPDWORD securityDescriptorLength, FILETIME* lastWriteTime) {
    failureReason.clear();
    if (!key) return ERROR_INVALID_HANDLE;
    auto listing = list(key);
    if (!listing) return ERROR_FILE_NOT_FOUND;
    auto longest = [](const std::vector<Entry>& entries) {
        size_t n = 0;
        for (const auto& e : entries) n = std::max(n, e.name.size());
        return DWORD(n);
    };
    if (keyClass && classLength && *classLength > 0) keyClass[0] = 0;
    if (classLength) *classLength = 0;
    if (subKeys) *subKeys = DWORD(listing->keys.size());
    if (maxSubKeyLength) *maxSubKeyLength = longest(listing->keys);
    if (maxClassLength) *maxClassLength = 0;
    if (values) *values = DWORD(listing->values.size());
    if (maxValueNameLength) *maxValueNameLength = longest(listing->values);
    if (maxValueLength) {
        std::error_code error;
        uintmax_t most = 0;
        for (const auto& e : listing->values) {
            uintmax_t size = fs::file_size(e.path, error);
            if (!error && size >= 4) most = std::max(most, size - 4);
        }
        *maxValueLength = DWORD(most);
    }
    if (securityDescriptorLength) *securityDescriptorLength = 0;
    if (lastWriteTime) *lastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameLength, LPDWORD, LPWSTR keyClass,
                   LPDWORD classLength, FILETIME* lastWriteTime) {
    failureReason.clear();
    if (!key) return ERROR_INVALID_HANDLE;
    auto listing = list(key);
    if (!listing) return ERROR_FILE_NOT_FOUND;
    if (index >= listing->keys.size()) return ERROR_NO_MORE_ITEMS;
    LONG result = answerName(listing->keys[index].name, name, nameLength);
    if (result != ERROR_SUCCESS) return result;
    if (keyClass && classLength && *classLength > 0) keyClass[0] = 0;
    if (classLength) *classLength = 0;
    if (lastWriteTime) *lastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameLength, LPDWORD, LPDWORD type, LPBYTE data,
                   LPDWORD dataLength) {
    failureReason.clear();
    if (!key) return ERROR_INVALID_HANDLE;
    auto listing = list(key);
    if (!listing) return ERROR_FILE_NOT_FOUND;
    if (index >= listing->values.size()) return ERROR_NO_MORE_ITEMS;
    const Entry& entry = listing->values[index];
    LONG result = answerName(entry.name, name, nameLength);
    if (result != ERROR_SUCCESS || (!type && !data && !dataLength)) return result;
    Value value;
    result = readValue(entry.path, &value);
    return result == ERROR_SUCCESS ? answer(value, type, data, dataLength) : result;
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD dataLength) {
    failureReason.clear();
    if (!key) return ERROR_INVALID_HANDLE;
    if (!data && dataLength > 0) return ERROR_INVALID_PARAMETER;
    if (dataLength > registryValueLimit) return tooLarge(ERROR_INVALID_PARAMETER);
    // Sized once: appending to the four type bytes makes GCC's optimiser see a write past them.
    std::vector<BYTE> bytes(4 + std::size_t(dataLength));
    for (int i = 0; i < 4; i++) bytes[i] = BYTE(type >> (8 * i));
    if (dataLength > 0) std::memcpy(bytes.data() + 4, data, dataLength);
    return replaceFile(valueFile(key, name), bytes);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataLength) {
    failureReason.clear();
    if (!key) return ERROR_INVALID_HANDLE;
    Value value;
    LONG result = readValue(valueFile(key, name), &value);
    return result == ERROR_SUCCESS ? answer(value, type, data, dataLength) : result;
}

LONG RegDeleteValueW(HKEY key, LPCWSTR name) {
    failureReason.clear();
    if (!key) return ERROR_INVALID_HANDLE;
    fs::path file = valueFile(key, name);
    if (unlink(file.c_str()) != 0) return errorOf(errno, ERROR_ACCESS_DENIED);
    syncFolder(file.parent_path());
    return ERROR_SUCCESS;
}
