#include <gtest/gtest.h>
#include "dmanager.h"
#include "headless_test.h"
#include "recording_speaker.h"

using dfc::microedition::media::DManager;

namespace {

class Manager : public RecordedSound {
protected:
    const std::vector<std::string> opening{"open 44000 16 1 4 16", "volumeMusics 32", "volumeSounds 64"};
};

TEST_F(Manager, OpensTheDeviceOnceWithItsSettings) {
    DManager::openSound();
    DManager::openSound();
    DManager::speaker();
    EXPECT_EQ(opening, speakerLog().take());
    EXPECT_TRUE(DManager::isSoundOpen());
    EXPECT_EQ(1, speakerLog().made);
}

TEST_F(Manager, AFailedOpenIsTriedAgainWithoutLeakingTheSpeaker) {
    speakerLog().openResult = SND_BAD_SETTINGS;
    DManager::openSound();
    EXPECT_FALSE(DManager::isSoundOpen());
    // The unopened speaker still answers.
    EXPECT_EQ(RecordingSpeaker::last, DManager::speaker());
    EXPECT_EQ(2, speakerLog().made);
    EXPECT_EQ(1, speakerLog().deleted);
    EXPECT_EQ((std::vector<std::string>{"open 44000 16 1 4 16", "open 44000 16 1 4 16"}), speakerLog().take());

    speakerLog().openResult = SND_OK;
    DManager::openSound();
    EXPECT_TRUE(DManager::isSoundOpen());
    EXPECT_EQ(opening, speakerLog().take());
    EXPECT_EQ(2, speakerLog().deleted);
}

TEST_F(Manager, ClosingClearsTheOpenFlagWithTheSpeaker) {
    DManager::openSound();
    int number = DManager::speaker()->playSound(nullptr, 0);
    speakerLog().take();
    DManager::closeSound();
    EXPECT_EQ(std::vector<std::string>{"close"}, speakerLog().take());
    EXPECT_FALSE(DManager::isSoundOpen());
    EXPECT_EQ(1, speakerLog().deleted);
    // Looking for a channel does not bring a closed device back.
    EXPECT_EQ(nullptr, DManager::channel(number));
    EXPECT_EQ(1, speakerLog().made);
    DManager::speaker();
    EXPECT_EQ(2, speakerLog().made);
    EXPECT_TRUE(DManager::isSoundOpen());
}

TEST_F(Manager, TheRealSpeakerFeedsTheBackend) {
    DManager::closeSound();
    DManager::speakerFactory = [] { return new sndSpeaker(); };
    DManager::openSound();
    EXPECT_TRUE(device->audioOpen());
    EXPECT_EQ(44000u, device->audioRate());
    EXPECT_EQ(32u, DManager::speaker()->volumeMusics());
    DManager::closeSound();
    EXPECT_FALSE(device->audioOpen());
}

}  // namespace
