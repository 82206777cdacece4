#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "ce_registry.h"
#include "platform.h"
#include "data_dir.h"

namespace fs = std::filesystem;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    HKEY create(const char16_t* path) {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, 0, nullptr, &key, nullptr));
        return key;
    }

    std::vector<std::u16string> subKeys(HKEY key) {
        std::vector<std::u16string> names;
        WCHAR name[64];
        for (DWORD i = 0;; ++i) {
            DWORD length = 64;
            if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            names.emplace_back(name, length);
        }
        return names;
    }

    ScopedDataDir dir;
};

TEST_F(RegistryTest, KeyNamesStayInsideTheirParent) {
    // The registry lives one folder down, so anything escaping it would show beside it.
    std::string inner = dir.path() + "/inner";
    setenv("MOSSYARD_DATA_DIR", inner.c_str(), 1);
    HKEY app = create(u"Software\\Velloran\\mossyard");
    const std::vector<std::u16string> names{u"..", u".", u"a/b", u"/../../../../../../../../../escaped",
                                            u"%41", u"=1", u"h\u00e9llo", u".hidden", u"~"};
    for (const auto& name : names) {
        HKEY store = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(app, name.c_str(), 0, nullptr, 0, 0, nullptr, &store, nullptr))
            << platform::narrow(name);
        BYTE byte = 7;
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(store, u"1", 0, REG_BINARY, &byte, 1));
        RegCloseKey(store);
    }
    std::vector<std::u16string> listed = subKeys(app);
    std::vector<std::u16string> expected = names;
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, listed);
    RegCloseKey(app);
    std::vector<std::string> beside;
    for (const auto& e : fs::directory_iterator(dir.path())) beside.push_back(e.path().filename().string());
    EXPECT_EQ(std::vector<std::string>{"inner"}, beside);

    // Dots as whole key names on the way down are names too, not steps up.
    HKEY deep = create(u"Software\\..\\..\\..\\..\\..\\..\\escaped");
    RegCloseKey(deep);
    beside.clear();
    for (const auto& e : fs::directory_iterator(dir.path())) beside.push_back(e.path().filename().string());
    EXPECT_EQ(std::vector<std::string>{"inner"}, beside);
}

TEST_F(RegistryTest, BackslashesMakeNestedKeysAndEmptyNamesAreRefused) {
    HKEY nested = create(u"Software\\Velloran\\app\\a\\b");
    RegCloseKey(nested);
    HKEY a = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Velloran\\app\\a", 0, 0, &a));
    EXPECT_EQ(std::vector<std::u16string>{u"b"}, subKeys(a));
    RegCloseKey(a);

    HKEY key = nullptr;
    EXPECT_EQ(ERROR_BAD_PATHNAME,
              RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\\\x", 0, nullptr, 0, 0, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_BAD_PATHNAME, RegOpenKeyExW(HKEY_CURRENT_USER, u"\\Software", 0, 0, &key));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\nothing", 0, 0, &key));
}

TEST_F(RegistryTest, CreateReportsWhetherTheKeyIsNew) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, u"S\\k", 0, nullptr, 0, 0, nullptr, &key, &disposition));
    EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, u"S\\k", 0, nullptr, 0, 0, nullptr, &key, &disposition));
    EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ValuesKeepTypeAndDataAndFollowTheBufferRules) {
    HKEY key = create(u"S\\values");
    const BYTE data[] = {1, 2, 3, 0, 5};
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"v", 0, REG_BINARY, data, 5));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"empty", 0, REG_BINARY, nullptr, 0));

    DWORD type = 0, size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"v", nullptr, &type, nullptr, &size));
    EXPECT_EQ(REG_BINARY, type);
    EXPECT_EQ(5u, size);

    BYTE small[3] = {};
    size = 3;
    EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, u"v", nullptr, nullptr, small, &size));
    EXPECT_EQ(5u, size);

    BYTE out[8] = {};
    size = 8;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"v", nullptr, nullptr, out, &size));
    EXPECT_EQ(5u, size);
    EXPECT_EQ(0, std::memcmp(out, data, 5));

    size = 8;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"empty", nullptr, nullptr, out, &size));
    EXPECT_EQ(0u, size);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, u"missing", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueW(key, u"missing"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, u"v"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, u"v", nullptr, nullptr, nullptr, &size));
    RegCloseKey(key);
}

TEST_F(RegistryTest, InfoAndEnumerationSeeKeysAndValuesApart) {
    HKEY key = create(u"S\\mixed");
    BYTE byte = 1;
    RegSetValueExW(key, u"same", 0, REG_BINARY, &byte, 1);
    RegSetValueExW(key, u"other", 0, REG_BINARY, &byte, 1);
    HKEY sub = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(key, u"same", 0, nullptr, 0, 0, nullptr, &sub, nullptr));
    RegCloseKey(sub);
    // Left behind by an interrupted write: not a value.
    std::ofstream(fs::path(dir.path()) / "registry/HKEY_CURRENT_USER/S/mixed/.=same.999") << "torn";

    DWORD keys = 0, values = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                                              nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, keys);
    EXPECT_EQ(2u, values);

    WCHAR name[64];
    DWORD length = 64;
    EXPECT_EQ(ERROR_SUCCESS, RegEnumValueW(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(std::u16string(u"same"), std::u16string(name, length));
    length = 4;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueW(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr));
    length = 64;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, RegEnumValueW(key, 2, name, &length, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);
}

TEST_F(RegistryTest, DeletingAKeyTakesEverythingBelowIt) {
    HKEY key = create(u"S\\gone\\deeper");
    BYTE byte = 1;
    RegSetValueExW(key, u"1", 0, REG_BINARY, &byte, 1);
    RegCloseKey(key);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, u"S\\gone"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, u"S\\gone", 0, 0, &key));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyW(HKEY_CURRENT_USER, u"S\\gone"));
    EXPECT_TRUE(fs::is_empty(fs::path(dir.path()) / "registry/HKEY_CURRENT_USER/S"));
}

// The id of a process that has ended.
pid_t endedProcess() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST_F(RegistryTest, WorkFilesOfEndedWritersGoWhenTheirKeyIsOpened) {
    HKEY key = create(u"S\\scores");
    BYTE byte = 7;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"1", 0, REG_BINARY, &byte, 1));
    RegCloseKey(key);
    // What a program killed in the middle of a save or a deletion leaves behind.
    const fs::path folder = fs::path(dir.path()) / "registry/HKEY_CURRENT_USER/S/scores";
    const std::string ended = std::to_string(endedProcess()), running = std::to_string(getppid());
    std::ofstream(folder / (".=1." + ended)) << "torn";
    fs::create_directories(folder / (".deleted.old." + ended) / "=1");
    std::ofstream(folder / (".=1." + running)) << "being written";

    for (bool byCreate : {false, true}) {
        key = nullptr;
        if (byCreate)
            key = create(u"S\\scores");
        else
            ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, u"S\\scores", 0, 0, &key));
        EXPECT_FALSE(fs::exists(folder / (".=1." + ended)));
        EXPECT_FALSE(fs::exists(folder / (".deleted.old." + ended)));
        EXPECT_TRUE(fs::exists(folder / (".=1." + running))) << "its writer still runs";
        BYTE out = 0;
        DWORD size = 1;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"1", nullptr, nullptr, &out, &size));
        EXPECT_EQ(7, out);
        RegCloseKey(key);
        std::ofstream(folder / (".=1." + ended)) << "torn";
    }
}

TEST_F(RegistryTest, OnlyRegularFilesAreValues) {
    const fs::path folder = fs::path(dir.path()) / "registry/HKEY_CURRENT_USER/S/store";
    struct Case {
        const char* name;
        void (*make)(const fs::path& place);
    } cases[] = {
        {"empty folder", [](const fs::path& place) { fs::create_directories(place); }},
        {"folder with a file", [](const fs::path& place) { fs::create_directories(place / "inner"); }},
        {"pipe", [](const fs::path& place) { mkfifo(place.c_str(), 0644); }},
    };
    for (const Case& c : cases) {
        HKEY key = create(u"S\\store");
        c.make(folder / "=1");
        DWORD values = 9, size = 0;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                                  nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(0u, values) << c.name;
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, u"1", nullptr, nullptr, nullptr, &size)) << c.name;

        // Saving the record puts it in that place.
        const BYTE data[] = {4, 5};
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"1", 0, REG_BINARY, data, 2)) << c.name;
        BYTE out[2] = {};
        size = 2;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"1", nullptr, nullptr, out, &size)) << c.name;
        EXPECT_EQ(0, std::memcmp(out, data, 2)) << c.name;
        RegCloseKey(key);
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, u"S\\store"));
    }
}

}  // namespace
