#include "archive_fixture.h"
#include <cstdlib>
#include <filesystem>
#include "d7zipinputstream.h"

void ArchiveTest::TearDown() {
    dfc::io::D7zipInputStream::closeArchive();
    AppFolderTest::TearDown();
}

void ArchiveTest::pack(const std::string& archive, const Files& files, const std::string& coder) {
    std::string source = "packing-" + archive;
    for (const auto& [name, bytes] : files) {
        if (name.back() == '/')
            std::filesystem::create_directories(folder.file(source + "/" + name));
        else
            folder.write(source + "/" + name, bytes);
    }
    std::string command = "cd '" + folder.file(source) + "' && 7zz a -bso0 -bsp0 -t7z -m0=" + coder +
                          " -ms=off -mtm=off -mtc=off -mta=off '" + folder.file(archive) + "' * > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::filesystem::remove_all(folder.file(source));
}
