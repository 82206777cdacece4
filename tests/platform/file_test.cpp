#include <gtest/gtest.h>
#include <string>
#include "ce.h"
#include "headless_test.h"
#include "platform.h"
#include "temp_folder.h"

namespace {

std::u16string devicePath(const std::string& hostPath) {
    std::u16string path = platform::widen(hostPath);
    for (char16_t& c : path)
        if (c == u'/') c = u'\\';
    return path;
}

}  // namespace

class PlatformFiles : public HeadlessTest {
protected:
    HANDLE open(const std::string& name, DWORD access, DWORD creation) {
        return CreateFileW(devicePath(folder.file(name)).c_str(), access, FILE_SHARE_READ, nullptr, creation,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    TempFolder folder;
};

TEST_F(PlatformFiles, BackslashPathsReachHostFiles) {
    folder.write("sub/data.bin", "0123456789");
    HANDLE file = open("sub/data.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(file, &high), 10u);
    EXPECT_EQ(high, 0u);
    char buffer[16] = {};
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(file, buffer, 16, &got, nullptr));
    EXPECT_EQ(got, 10u);
    EXPECT_TRUE(ReadFile(file, buffer, 16, &got, nullptr));
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_FALSE(ReadFile(file, buffer, 1, &got, nullptr));
}

TEST_F(PlatformFiles, OnlyExistingFilesOpenForReading) {
    EXPECT_EQ(open("missing", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    folder.write("sub/x", "");
    EXPECT_EQ(open("sub", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
}

TEST_F(PlatformFiles, CreatingEmptiesAndWrites) {
    folder.write("out", "old bytes");
    HANDLE file = open("out", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "new", 3, &written, nullptr));
    EXPECT_EQ(written, 3u);
    EXPECT_TRUE(FlushFileBuffers(file));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(folder.read("out"), "new");
}

TEST_F(PlatformFiles, MovesBeforeTheStartFail) {
    folder.write("ten", "0123456789");
    HANDLE file = open("ten", GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
    EXPECT_EQ(SetFilePointer(file, -2, nullptr, FILE_CURRENT), 2u);
    EXPECT_EQ(SetFilePointer(file, 5, nullptr, FILE_END), 15u);
    EXPECT_EQ(SetFilePointer(file, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 15u);
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(file, 3, &high, FILE_BEGIN), 3u);
    CloseHandle(file);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
}

TEST_F(PlatformFiles, ModuleNameUsesBackslashesAndIsCutToTheBuffer) {
    platform::setModulePath("/Program Files/X/run.exe");
    WCHAR name[260];
    EXPECT_EQ(GetModuleFileNameW(nullptr, name, 260), 24u);
    EXPECT_EQ(std::u16string(name), u"\\Program Files\\X\\run.exe");
    WCHAR small[5];
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 5u);
    EXPECT_EQ(std::u16string(small), u"\\Pro");
}
