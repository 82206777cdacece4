// The games' sound table: players made from ".wav" or ".mod" resources, played by number,
// and the effect and music levels on the speaker.
#include <gtest/gtest.h>
#include <string>
#include "archive_fixture.h"
#include "captured_diagnostics.h"
#include "d7zipinputstream.h"
#include "dmanager.h"
#include "failing_allocation.h"
#include "sound.h"
#include "sound_files.h"
#include "text.h"

using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::microedition::media::DManager;
using dfc::microedition::media::DPlayer;
using dfc::microedition::media::DPlayerPtr;

namespace {

class GameSound : public ArchiveTest {
protected:
    void SetUp() override {
        ArchiveTest::SetUp();
        const std::vector<uint8_t> wav = makeWav({22050, 1, 16}, std::vector<int16_t>(2000, 1000));
        const std::vector<uint8_t> mod = makeMod(false);
        folder.write("snd/effect.wav", std::string(wav.begin(), wav.end()));
        folder.write("snd/tune.mod", std::string(mod.begin(), mod.end()));
        folder.write("snd/both.wav", std::string(wav.begin(), wav.end()));
        folder.write("snd/both.mod", std::string(mod.begin(), mod.end()));
        folder.write("snd/broken.wav", "RIFF, but nothing more");
        folder.write("snd/broken.mod", std::string(mod.begin(), mod.end()));
    }
    void TearDown() override {
        Sound::soundTable = nullptr;
        Sound::currentPlayer = nullptr;
        Sound::loopCount = 1;
        Sound::effectsOn = true;
        DManager::closeSound();
        ArchiveTest::TearDown();
    }

    // Sounds 0 to 4: an effect, a tune, both files, neither file, a broken effect with a tune.
    static void loadTable() {
        Sound::loadSounds(new DStringArray(5, u"/snd/effect", u"/snd/tune", u"/snd/both", u"/snd/missing",
                                           u"/snd/broken"));
    }

    static std::string kind(int n) {
        DPlayerPtr player = Sound::soundTable[n];
        return player ? narrow(player->getContentType()) : "none";
    }

    static int state(int n) { return DPlayerPtr(Sound::soundTable[n])->getState(); }
};

}  // namespace

TEST_F(GameSound, EachNameTakesItsWavThenItsModThenNothing) {
    loadTable();
    ASSERT_EQ(Sound::soundTable->length, 5);
    EXPECT_EQ(kind(0), "audio/x-wav");
    EXPECT_EQ(kind(1), "audio/mod");
    EXPECT_EQ(kind(2), "audio/x-wav");
    EXPECT_EQ(kind(3), "none");
    EXPECT_EQ(kind(4), "audio/mod") << "an effect that cannot be read gives way to the tune";
    EXPECT_EQ(state(0), DPlayer::PREFETCHED);
    Sound::play(3, 1);
    EXPECT_FALSE(Sound::currentPlayer) << "an empty entry plays nothing";
}

// A sound that cannot be loaded is named with the reason: missing from the archive, which is
// named by its path, or there but not playing.
TEST_F(GameSound, ASoundThatCannotBeLoadedSaysWhy) {
    pack("game.dat", {{"snd/other.wav", "RIFF"}});
    dfc::io::D7zipInputStream::openArchive(u"game.dat", u"");
    folder.write("snd/dud.wav", "RIFF, but nothing more");
    beginDiagnostics();
    Sound::loadSounds(new DStringArray(3, u"/snd/missing", u"/snd/dud", u"/snd/broken"));
    EXPECT_EQ(printedDiagnostics(),
              "Sound: cannot load /snd/missing.wav or /snd/missing.mod: the data archive " + folder.file("game.dat") +
                  " has no readable entry snd/missing.wav nor snd/missing.mod and there is no such file beside the "
                  "program\r\n"
                  "Sound: cannot load /snd/dud.wav or /snd/dud.mod: the sound snd/dud.wav is damaged: it does not "
                  "play\r\n");
    endDiagnostics();
}

// The 7z tool packs sounds behind its Delta filter unless told not to: every sound then fails
// for the one reason, named once for the archive however many sounds and loads meet it.
TEST_F(GameSound, SoundsOfACoderTheProgramLacksAreNamedOnceForTheArchive) {
    const std::vector<uint8_t> wav = makeWav({22050, 1, 16}, std::vector<int16_t>(2000, 1000));
    const std::string bytes(wav.begin(), wav.end());
    pack("game.dat", {{"snd/a.wav", bytes}, {"snd/b.wav", bytes}, {"snd/c.wav", bytes}});
    dfc::io::D7zipInputStream::openArchive(u"game.dat", u"");
    beginDiagnostics();
    for (int load = 0; load < 2; ++load) Sound::loadSounds(new DStringArray(3, u"/snd/a", u"/snd/b", u"/snd/c"));
    EXPECT_EQ(printedDiagnostics(), "Sound: cannot load /snd/a.wav or /snd/a.mod: the data archive " +
                                        folder.file("game.dat") +
                                        ": the Delta coder packs some of its entries: this program unpacks Copy and "
                                        "LZMA only\r\n");
    endDiagnostics();
    EXPECT_EQ(kind(0), "none");
}

// Memory that runs out while a sound is read or decoded is no damage of its data: it is told
// as such, and the same file loads once there is memory again.
TEST_F(GameSound, MemoryThatRunsOutPreparingASoundIsToldAsSuch) {
    struct Case {
        const char* where;
        unsigned bits;
    } cases[] = {{"the bytes read, 200044", 16}, {"the samples decoded from 8 bits, 200000 bytes", 8}};
    DManager::speaker();  // opened while there is memory
    for (const Case& c : cases) {
        const std::vector<uint8_t> wav = makeWav({22050, 1, c.bits}, std::vector<int16_t>(100000, 1000));
        folder.write("snd/large.wav", std::string(wav.begin(), wav.end()));
        beginDiagnostics();
        failAllocationsFrom(150000);
        Sound::loadSounds(new DStringArray(1, u"/snd/large"));
        failAllocationsFrom(SIZE_MAX);
        EXPECT_EQ(printedDiagnostics(), "Sound: cannot load /snd/large.wav or /snd/large.mod: the memory ran out\r\n")
            << c.where;
        endDiagnostics();
        EXPECT_EQ(kind(0), "none");
        Sound::loadSounds(new DStringArray(1, u"/snd/large"));
        EXPECT_EQ(kind(0), "audio/x-wav") << c.where;
    }
}

TEST_F(GameSound, LevelsSetAndReadTheSpeakerVolumes) {
    const unsigned volumes[] = {0, 21, 42, 64};
    for (int level = 0; level < 4; ++level) {
        Sound::setSoundLevel(level);
        Sound::setMusicLevel(3 - level);
        EXPECT_EQ(DManager::speaker()->volumeSounds(), volumes[level]);
        EXPECT_EQ(DManager::speaker()->volumeMusics(), volumes[3 - level]);
        EXPECT_EQ(Sound::getSoundLevel(), level);
        EXPECT_EQ(Sound::getMusicLevel(), 3 - level);
    }
    struct Case {
        unsigned volume;
        int level;
    } read[] = {{0, 0}, {1, 1}, {21, 1}, {22, 2}, {30, 2}, {42, 2}, {43, 3}, {64, 3}, {65, -1}, {70, -1}};
    for (const Case& c : read) {
        DManager::speaker()->volumeSounds(c.volume);
        DManager::speaker()->volumeMusics(c.volume);
        EXPECT_EQ(Sound::getSoundLevel(), c.level) << c.volume;
        EXPECT_EQ(Sound::getMusicLevel(), c.level) << c.volume;
    }
}

TEST_F(GameSound, ALevelAboveThreeTurnsEffectsOnAndLeavesTheVolume) {
    Sound::setSoundLevel(0);
    EXPECT_FALSE(Sound::effectsOn);
    Sound::setSoundLevel(7);
    EXPECT_TRUE(Sound::effectsOn);
    EXPECT_EQ(DManager::speaker()->volumeSounds(), 0u);
    const unsigned music = DManager::speaker()->volumeMusics();
    Sound::setMusicLevel(-1);
    EXPECT_EQ(DManager::speaker()->volumeMusics(), music);
}

TEST_F(GameSound, LevelZeroSilencesEffectsButNotMusic) {
    loadTable();
    Sound::setSoundLevel(0);
    Sound::play(0, 1);
    EXPECT_NE(state(0), DPlayer::STARTED);
    EXPECT_FALSE(Sound::currentPlayer);
    Sound::play(1, 1);
    EXPECT_EQ(state(1), DPlayer::STARTED);
    EXPECT_EQ(Sound::currentPlayer.get(), DPlayerPtr(Sound::soundTable[1]).get());

    Sound::setMusicLevel(0);
    Sound::play(1, 1);
    EXPECT_EQ(state(1), DPlayer::STARTED) << "the music level does not stop music from starting";
    Sound::setSoundLevel(1);
    Sound::play(0, 1);
    EXPECT_EQ(state(0), DPlayer::STARTED);
}

TEST_F(GameSound, StoppingRewindsAndEndlessSoundsCountAsPlaying) {
    loadTable();
    EXPECT_FALSE(Sound::isPlaying());
    Sound::play(1, -1);
    EXPECT_TRUE(Sound::isPlaying());
    Sound::stop(1);
    EXPECT_EQ(state(1), DPlayer::PREFETCHED);
    EXPECT_TRUE(Sound::isPlaying()) << "an endless loop counts as playing even when stopped";
    Sound::play(0, 1);
    EXPECT_TRUE(Sound::isPlaying());
    Sound::stopCurrent();
    EXPECT_FALSE(Sound::isPlaying());
    EXPECT_EQ(state(0), DPlayer::PREFETCHED);
    Sound::stop(-1);
    Sound::stop(9);
}

TEST_F(GameSound, LoadingANewTableStopsTheOldOne) {
    loadTable();
    Sound::play(1, -1);
    DPlayerPtr old = Sound::soundTable[1];
    Sound::loadSounds(new DStringArray(1, u"/snd/effect"));
    EXPECT_EQ(old->getState(), DPlayer::PREFETCHED);
    EXPECT_FALSE(Sound::currentPlayer);
    EXPECT_EQ(Sound::soundTable->length, 1);
    Sound::pauseAll();
    Sound::resumeAll();
    Sound::release();
    EXPECT_FALSE(Sound::soundTable);
}
