#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include "ce_snd.h"
#include "headless_test.h"
#include "sound_files.h"

namespace {

constexpr unsigned rate = 44000;

class MixerTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_EQ(SND_OK, speaker.open(rate, 16, true, 4, 16));
    }
    void TearDown() override {
        speaker.close();
        HeadlessTest::TearDown();
    }

    int play(const std::vector<uint8_t>& wav, bool loop = false) {
        sounds.push_back(std::make_unique<sndSound>());
        EXPECT_EQ(SND_OK, sounds.back()->load(wav.data(), wav.size())) << sounds.back()->error();
        sounds.back()->loop(loop);
        return speaker.playSound(sounds.back().get(), 0x10000000);
    }

    std::vector<int16_t> left(size_t frames) {
        std::vector<int16_t> stereo = device->takeAudio(frames), out;
        for (size_t i = 0; i < stereo.size(); i += 2) out.push_back(stereo[i]);
        return out;
    }

    static bool silent(const std::vector<int16_t>& samples) {
        return std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; });
    }

    sndSpeaker speaker;
    std::vector<std::unique_ptr<sndSound>> sounds;
};

std::vector<int16_t> constant(size_t n, int16_t value) { return std::vector<int16_t>(n, value); }

TEST_F(MixerTest, DecodesEachPcmLayoutIntoStereo) {
    struct Case {
        const char* name;
        WavFormat format;
        std::vector<int16_t> samples;
        std::vector<int16_t> expected;  // interleaved output
    };
    const Case cases[] = {
        {"16-bit mono", {rate, 1, 16}, {1000, -2000}, {1000, 1000, -2000, -2000}},
        {"16-bit stereo", {rate, 2, 16}, {1000, -2000, 3000, -4000}, {1000, -2000, 3000, -4000}},
        {"8-bit mono", {rate, 1, 8}, {2560, -32768}, {2560, 2560, -32768, -32768}},
        {"8-bit stereo", {rate, 2, 8}, {256, -256, 32512, 0}, {256, -256, 32512, 0}},
    };
    for (const Case& c : cases) {
        int number = play(makeWav(c.format, c.samples));
        ASSERT_GE(number, 0) << c.name;
        EXPECT_EQ(c.expected, device->takeAudio(2)) << c.name;
        speaker.stopSounds();
    }
}

TEST_F(MixerTest, AFullScaleSquareWaveResamplesExactly) {
    // 52 bytes: 16-bit mono at 22050 Hz, each step from one end of the range to the other.
    const std::vector<uint8_t> wav = makeWav({22050, 1, 16}, {-32768, 32767, -32768, 32767});
    ASSERT_EQ(wav.size(), 52u);
    ASSERT_GE(play(wav), 0);
    // Each output frame lies on the straight line between its two source frames.
    EXPECT_EQ((std::vector<int16_t>{-32768, 73, 32619, -224, -32472, 371}), left(6));
}

TEST_F(MixerTest, AOneShotEndsAndFreesItsChannel) {
    // Half the output rate: every source frame lasts two output frames, the second halfway to the next.
    int number = play(makeWav({rate / 2, 1, 16}, {0, 1000, 2000, 3000}));
    ASSERT_GE(number, 0);
    EXPECT_EQ((std::vector<int16_t>{0, 500, 1000, 1500, 2000, 2500, 3000, 3000}), left(8));
    EXPECT_FALSE(speaker.channel(number));
    EXPECT_TRUE(silent(left(4)));

    // All sixteen sound channels come free again once their plays end.
    std::vector<uint8_t> blip = makeWav({rate, 1, 16}, constant(10, 100));
    for (int i = 0; i < 16; ++i) ASSERT_GE(play(blip), 0) << i;
    EXPECT_EQ(SND_NOT_PLAYED, play(blip));
    left(10);
    for (int i = 0; i < 16; ++i) EXPECT_GE(play(blip), 0) << i;
}

TEST_F(MixerTest, ALoopPlaysOnFromItsStart) {
    int number = play(makeWav({rate, 1, 16}, {1, 2, 3}), true);
    EXPECT_EQ((std::vector<int16_t>{1, 2, 3, 1, 2, 3, 1}), left(7));
    left(10000);
    ASSERT_TRUE(speaker.channel(number));
    EXPECT_TRUE(speaker.channel(number)->playing());
}

TEST_F(MixerTest, PauseKeepsThePlaceAndGroupPauseLeavesOwnPausesAlone) {
    std::vector<int16_t> ramp{1, 2, 3, 4, 5, 6, 7, 8};
    int first = play(makeWav({rate, 1, 16}, ramp));
    EXPECT_EQ((std::vector<int16_t>{1, 2}), left(2));
    speaker.channel(first)->pause();
    EXPECT_TRUE(silent(left(3)));
    EXPECT_TRUE(speaker.channel(first)->playing());
    speaker.channel(first)->resume();
    EXPECT_EQ((std::vector<int16_t>{3, 4}), left(2));

    int second = play(makeWav({rate, 1, 16}, constant(8, 100)));
    speaker.channel(first)->pause();
    speaker.pauseSounds();
    EXPECT_TRUE(silent(left(2)));
    speaker.unpauseSounds();
    EXPECT_EQ((std::vector<int16_t>{100, 100}), left(2));  // the first stays paused by its own pause
    speaker.channel(first)->resume();
    EXPECT_EQ((std::vector<int16_t>{105, 106}), left(2));
    EXPECT_TRUE(speaker.channel(second));

    // Music pauses leave sounds playing.
    speaker.pauseMusics();
    EXPECT_EQ((std::vector<int16_t>{107, 108}), left(2));
}

TEST_F(MixerTest, SuspendSilencesWithoutMovingOn) {
    play(makeWav({rate, 1, 16}, {1, 2, 3, 4}));
    EXPECT_EQ((std::vector<int16_t>{1}), left(1));
    speaker.suspend();
    EXPECT_TRUE(silent(left(100)));
    speaker.resume();
    EXPECT_EQ((std::vector<int16_t>{2, 3, 4}), left(3));
}

TEST_F(MixerTest, GroupVolumesScaleAndClamp) {
    struct Case {
        unsigned volume;
        int16_t expected;
    };
    for (Case c : {Case{64, 1000}, Case{32, 500}, Case{0, 0}, Case{100, 1000}}) {
        speaker.volumeSounds(c.volume);
        EXPECT_EQ(c.volume, speaker.volumeSounds());
        play(makeWav({rate, 1, 16}, {1000}));
        EXPECT_EQ(std::vector<int16_t>{c.expected}, left(1)) << c.volume;
    }
    speaker.volumeSounds(64);
    std::vector<uint8_t> loud = makeWav({rate, 1, 16}, {30000, -30000});
    play(loud);
    play(loud);
    EXPECT_EQ((std::vector<int16_t>{32767, -32768}), left(2));
}

TEST_F(MixerTest, ChannelNumbersAreNeverReused) {
    std::vector<uint8_t> wav = makeWav({rate, 1, 16}, constant(100, 1));
    int old = play(wav);
    sndChannel* channel = speaker.channel(old);
    ASSERT_TRUE(channel);
    channel->stop();
    EXPECT_FALSE(speaker.channel(old));
    int newer = play(wav);
    EXPECT_NE(old, newer);
    EXPECT_FALSE(speaker.channel(old));
    EXPECT_TRUE(speaker.channel(newer));
    EXPECT_FALSE(speaker.channel(-1));
}

TEST_F(MixerTest, SetPositionRewinds) {
    int number = play(makeWav({rate, 1, 16}, {1, 2, 3, 4}));
    left(3);
    speaker.channel(number)->setPosition(0);
    EXPECT_EQ((std::vector<int16_t>{1, 2}), left(2));
}

TEST_F(MixerTest, AModuleRendersAndEndsOrLoops) {
    std::vector<uint8_t> tune = makeMod(true);
    sndMusic once, forever;
    ASSERT_EQ(SND_OK, once.load(tune.data(), tune.size())) << once.error();
    ASSERT_EQ(SND_OK, forever.load(tune.data(), tune.size()));
    forever.loop(true);
    speaker.volumeMusics(64);

    int oneShot = speaker.playMusic(&once, 0x10000000);
    ASSERT_GE(oneShot, 0);
    EXPECT_FALSE(silent(left(rate / 100)));
    left(rate / 10);
    EXPECT_FALSE(speaker.channel(oneShot));
    EXPECT_TRUE(silent(left(rate / 100)));

    int looping = speaker.playMusic(&forever, 0x10000000);
    left(rate / 2);
    EXPECT_TRUE(speaker.channel(looping));
    EXPECT_FALSE(silent(left(rate / 10)));

    speaker.volumeMusics(0);
    EXPECT_TRUE(silent(left(rate / 100)));
    speaker.stopMusics();
    EXPECT_FALSE(speaker.channel(looping));
}

TEST_F(MixerTest, FourMusicChannelsAtMost) {
    std::vector<uint8_t> tune = makeMod(false);
    sndMusic music;
    ASSERT_EQ(SND_OK, music.load(tune.data(), tune.size()));
    for (int i = 0; i < 4; ++i) EXPECT_GE(speaker.playMusic(&music, 0), 0);
    EXPECT_EQ(SND_NOT_PLAYED, speaker.playMusic(&music, 0));
}

TEST(Speaker, UnopenedItPlaysNothingAndKeepsOnlyVolumes) {
    sndSpeaker speaker;
    std::vector<uint8_t> wav = makeWav({rate, 1, 16}, {1});
    sndSound sound;
    ASSERT_EQ(SND_OK, sound.load(wav.data(), wav.size()));
    EXPECT_EQ(SND_NOT_PLAYED, speaker.playSound(&sound, 0));
    EXPECT_FALSE(speaker.channel(0));
    speaker.stopSounds();
    speaker.pauseMusics();
    speaker.unpauseMusics();
    speaker.suspend();
    speaker.resume();
    speaker.volumeMusics(21);
    EXPECT_EQ(21u, speaker.volumeMusics());
    EXPECT_EQ(SND_OK, speaker.close());
}

TEST(Speaker, RefusesSettingsItCannotPlay) {
    struct Case {
        unsigned rate, bits;
        bool stereo;
        unsigned musics, sounds;
        int expected;
    };
    for (Case c : {Case{44000, 8, true, 4, 16, SND_BAD_SETTINGS}, Case{44000, 16, false, 4, 16, SND_BAD_SETTINGS},
                   Case{0, 16, true, 4, 16, SND_BAD_SETTINGS}, Case{44000, 16, true, 4, 29, SND_BAD_SETTINGS},
                   Case{44000, 16, true, 16, 16, SND_OK}}) {
        sndSpeaker speaker;
        EXPECT_EQ(c.expected, speaker.open(c.rate, c.bits, c.stereo, c.musics, c.sounds)) << c.rate << " " << c.bits;
        EXPECT_EQ(c.expected == SND_OK, speaker.isOpen());
        EXPECT_EQ(c.expected != SND_OK, !speaker.error().empty());
    }
    sndSpeaker twice;
    ASSERT_EQ(SND_OK, twice.open(44000, 16, true, 4, 16));
    EXPECT_EQ(SND_ALREADY_OPEN, twice.open(44000, 16, true, 4, 16));
}

}  // namespace
