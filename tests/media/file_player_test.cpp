#include <gtest/gtest.h>
#include "app_folder_test.h"
#include "dioexception.h"
#include "dmanager.h"
#include "sound_files.h"
#include "text.h"

using dfc::io::DFileNotFoundExceptionPtr;
using dfc::lang::DIllegalArgumentExceptionPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::media::DManager;
using dfc::microedition::media::DPlayer;
using dfc::microedition::media::DPlayerPtr;

namespace {

class FilePlayers : public AppFolderTest {
protected:
    void TearDown() override {
        DManager::closeSound();
        AppFolderTest::TearDown();
    }
};

TEST_F(FilePlayers, TheSuffixChoosesThePlayer) {
    std::vector<uint8_t> wav = makeWav({44000, 1, 16}, {1, 2}), mod = makeMod(false);
    folder.write("beep.wav", std::string(wav.begin(), wav.end()));
    folder.write("beep.WAV", std::string(wav.begin(), wav.end()));
    folder.write("tune.mod", std::string(mod.begin(), mod.end()));

    DPlayerPtr beep = DManager::createPlayer(DStringPtr(u"/beep.wav"));
    ASSERT_TRUE(beep);
    EXPECT_EQ("audio/x-wav", narrow(beep->getContentType()));
    beep->start();
    EXPECT_EQ(DPlayer::STARTED, beep->getState());

    DPlayerPtr tune = DManager::createPlayer(DStringPtr(u"/tune.mod"));
    ASSERT_TRUE(tune);
    EXPECT_EQ("audio/mod", narrow(tune->getContentType()));
    tune->start();
    EXPECT_EQ(DPlayer::STARTED, tune->getState());

    EXPECT_FALSE(DManager::createPlayer(DStringPtr(u"/beep.WAV")));
    EXPECT_THROW(DManager::createPlayer(DStringPtr(u"/missing.wav")), DFileNotFoundExceptionPtr);
    EXPECT_THROW(DManager::createPlayer(DStringPtr()), DIllegalArgumentExceptionPtr);
}

}  // namespace
