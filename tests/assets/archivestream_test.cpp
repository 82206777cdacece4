// Every entry of the built game.dat reads back through the program's own archive stream,
// under the resource name the game uses (a leading "/").
#include <gtest/gtest.h>
#include "app_folder_test.h"
#include "assettool.h"
#include "d7zipinputstream.h"
#include "dstring.h"

using namespace assettest;
using dfc::io::D7zipInputStream;
using dfc::io::D7zipInputStreamPtr;

namespace {

const std::string gameDat = std::string(MOSSYARD_BINARY_DIR) + "/bin/game.dat";

class GameDatEntries : public AppFolderTest {
protected:
    void TearDown() override {
        D7zipInputStream::closeArchive();
        AppFolderTest::TearDown();
    }
};

TEST_F(GameDatEntries, EveryEntryReadsBackThroughTheArchiveStream) {
    std::filesystem::copy_file(gameDat, folder.file("game.dat"));
    ToolRun unpacked = runCommand("7zz x -y -bd '-o" + folder.file("x") + "' '" + gameDat + "'");
    ASSERT_EQ(unpacked.status, 0) << unpacked.output;
    D7zipInputStream::openArchive(u"game.dat", u"password");
    int entries = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder.file("x"))) {
        if (!file.is_regular_file()) continue;
        std::string name = "/" + file.path().lexically_relative(folder.file("x")).string();
        D7zipInputStreamPtr in = D7zipInputStream::open(new dfc::lang::DString(name.c_str()));
        std::string bytes(reinterpret_cast<const char*>(in->getData()), in->getSize());
        EXPECT_EQ(bytes, readBytes(file.path())) << name;
        ++entries;
    }
    EXPECT_GT(entries, 100);
}

}  // namespace
