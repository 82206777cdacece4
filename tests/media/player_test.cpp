#include <gtest/gtest.h>
#include <algorithm>
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "dfailurereason.h"
#include "dioexception.h"
#include "dmanager.h"
#include "dmediaexception.h"
#include "dplayer.h"
#include "headless_test.h"
#include "recording_speaker.h"
#include "sound_files.h"
#include "text.h"

using dfc::io::DByteArrayInputStream;
using dfc::io::DInputStream;
using dfc::io::DInputStreamPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DIllegalArgumentExceptionPtr;
using dfc::lang::DIllegalStateExceptionPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::media::DManager;
using dfc::microedition::media::DMediaExceptionPtr;
using dfc::microedition::media::DPlayer;
using dfc::microedition::media::DPlayerPtr;

namespace {

using Calls = std::vector<std::string>;

DInputStreamPtr streamOf(const std::vector<uint8_t>& bytes) {
    return new DByteArrayInputStream(bytesOf(std::string(bytes.begin(), bytes.end())));
}

const std::vector<uint8_t>& wav() {
    static const std::vector<uint8_t> bytes = makeWav({44000, 1, 16}, std::vector<int16_t>(4400, 1000));
    return bytes;
}

const std::vector<uint8_t>& mod() {
    static const std::vector<uint8_t> bytes = makeMod(false);
    return bytes;
}

class Players : public RecordedSound {
protected:
    DPlayerPtr player(const char16_t* type) {
        DPlayerPtr made = DManager::createPlayer(streamOf(type == std::u16string(u"audio/mod") ? mod() : wav()), type);
        speakerLog().take();  // the device's opening
        return made;
    }
};

TEST_F(Players, TheTypeChoosesThePlayerExactly) {
    struct Case {
        const char16_t* type;
        const char* made;  // content type, or null for no player
    };
    for (Case c : {Case{u"audio/x-wav", "audio/x-wav"}, Case{u"audio/mod", "audio/mod"}, Case{u"audio/X-WAV", nullptr},
                   Case{u"audio/wav", nullptr}, Case{u"", nullptr}}) {
        DPlayerPtr made = DManager::createPlayer(streamOf(wav()), c.type);
        if (c.made) {
            ASSERT_TRUE(made) << narrow(DStringPtr(c.type));
            EXPECT_EQ(c.made, narrow(made->getContentType()));
            EXPECT_EQ(DPlayer::UNREALIZED, made->getState());
        } else {
            EXPECT_FALSE(made) << narrow(DStringPtr(c.type));
        }
    }
    EXPECT_TRUE(DManager::isSoundOpen());
    EXPECT_THROW(DManager::createPlayer(DInputStreamPtr(), u"audio/mod"), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(DManager::createPlayer(streamOf(wav()), DStringPtr()), DMediaExceptionPtr);
}

TEST_F(Players, StatesFollowTheLifeCycle) {
    for (const char16_t* type : {u"audio/x-wav", u"audio/mod"}) {
        DPlayerPtr p = player(type);
        p->realize();
        EXPECT_EQ(DPlayer::REALIZED, p->getState());
        p->prefetch();
        EXPECT_EQ(DPlayer::PREFETCHED, p->getState());
        p->start();
        EXPECT_EQ(DPlayer::STARTED, p->getState());
        p->stop();
        EXPECT_EQ(DPlayer::PREFETCHED, p->getState());
        p->close();
        EXPECT_EQ(DPlayer::CLOSED, p->getState());
        EXPECT_THROW(p->start(), DIllegalStateExceptionPtr);
        EXPECT_THROW(p->realize(), DIllegalStateExceptionPtr);
        EXPECT_THROW(p->prefetch(), DIllegalStateExceptionPtr);
        p->close();
        p->stop();
        p->setLoopCount(-1);
        EXPECT_EQ(DPlayer::TIME_UNKNOWN, p->setMediaTime(0));
        EXPECT_EQ(DPlayer::CLOSED, p->getState());
        EXPECT_EQ(DPlayer::TIME_UNKNOWN, p->getDuration());
        EXPECT_EQ(DPlayer::TIME_UNKNOWN, p->getMediaTime());
    }
}

// What the sound library is asked, for each kind of player, in the situations where they differ.
TEST_F(Players, WavAndModDifferAsDocumented) {
    struct Case {
        const char* situation;
        const char16_t* type;
        void (*act)(DPlayerPtr&);
        Calls expected;
    };
    const Case cases[] = {
        {"start on a new player",
         u"audio/x-wav",
         [](DPlayerPtr& p) { p->start(); },
         {"playSound 0x10000000 once -> 0"}},
        {"start on a new player", u"audio/mod", [](DPlayerPtr& p) { p->start(); }, {"playMusic 0x10000000 once -> 0"}},
        {"start while playing",
         u"audio/x-wav",
         [](DPlayerPtr& p) {
             p->start();
             p->start();
         },
         {"playSound 0x10000000 once -> 0", "playSound 0x10000000 once -> 1"}},
        {"start while playing",
         u"audio/mod",
         [](DPlayerPtr& p) {
             p->start();
             p->start();
         },
         {"playMusic 0x10000000 once -> 0", "channel 0 stop", "playMusic 0x10000000 once -> 1"}},
        {"stop, then start",
         u"audio/x-wav",
         [](DPlayerPtr& p) {
             p->start();
             p->stop();
             p->start();
         },
         {"playSound 0x10000000 once -> 0", "channel 0 stop", "playSound 0x10000000 once -> 1"}},
        {"stop, then start",
         u"audio/mod",
         [](DPlayerPtr& p) {
             p->start();
             p->stop();
             p->start();
         },
         {"playMusic 0x10000000 once -> 0", "channel 0 pause", "channel 0 resume"}},
        {"loop for ever",
         u"audio/x-wav",
         [](DPlayerPtr& p) {
             p->setLoopCount(-1);
             p->start();
         },
         {"playSound 0x10000000 loop -> 0"}},
        {"a count of 3 plays once",
         u"audio/mod",
         [](DPlayerPtr& p) {
             p->setLoopCount(3);
             p->start();
         },
         {"playMusic 0x10000000 once -> 0"}},
        {"rewind while playing",
         u"audio/mod",
         [](DPlayerPtr& p) {
             p->start();
             EXPECT_EQ(0, p->setMediaTime(0));
         },
         {"playMusic 0x10000000 once -> 0", "channel 0 position 0"}},
        {"only 0 is a media time",
         u"audio/x-wav",
         [](DPlayerPtr& p) {
             p->start();
             EXPECT_EQ(-1, p->setMediaTime(5));
         },
         {"playSound 0x10000000 once -> 0"}},
        {"rewind while stopped forgets the channel",
         u"audio/mod",
         [](DPlayerPtr& p) {
             p->start();
             p->stop();
             EXPECT_EQ(0, p->setMediaTime(0));
             p->start();
         },
         {"playMusic 0x10000000 once -> 0", "channel 0 pause", "channel 0 stop", "playMusic 0x10000000 once -> 1"}},
        {"close stops the play",
         u"audio/mod",
         [](DPlayerPtr& p) {
             p->start();
             p->close();
             p->close();
         },
         {"playMusic 0x10000000 once -> 0", "channel 0 stop"}},
        {"the last release closes",
         u"audio/x-wav",
         [](DPlayerPtr& p) {
             p->start();
             p = nullptr;
         },
         {"playSound 0x10000000 once -> 0", "channel 0 stop"}},
        {"a paused play that has gone is played afresh",
         u"audio/mod",
         [](DPlayerPtr& p) {
             p->start();
             p->stop();
             RecordingSpeaker::last->channels.clear();
             p->start();
         },
         {"playMusic 0x10000000 once -> 0", "channel 0 pause", "playMusic 0x10000000 once -> 1"}},
    };
    for (const Case& c : cases) {
        DPlayerPtr p = player(c.type);
        c.act(p);
        EXPECT_EQ(c.expected, speakerLog().take()) << c.situation << " (" << narrow(DStringPtr(c.type)) << ")";
        p = nullptr;
        DManager::closeSound();  // the next case numbers its channels from 0 again
    }
}

TEST_F(Players, APlayTheLibraryRefusesLeavesThePlayerPrefetched) {
    DPlayerPtr p = player(u"audio/x-wav");
    speakerLog().refusePlays = true;
    p->start();
    EXPECT_EQ(DPlayer::PREFETCHED, p->getState());
    speakerLog().refusePlays = false;
    p->start();
    EXPECT_EQ(DPlayer::STARTED, p->getState());
    EXPECT_EQ((Calls{"playSound 0x10000000 once -> refused", "playSound 0x10000000 once -> 0"}), speakerLog().take());
}

// A stream whose every read fails.
class BrokenStream : public DInputStream {
public:
    int available() override { DFC_THROW(dfc::io::DIOException); }
    int read() override { return -1; }
    int64_t skip(int64_t) override { return 0; }
};

// Told in the user's terms: the library's reason for the data, or, for a stream that fails,
// what went wrong, never the source that threw.
TEST_F(Players, DataThatCannotBeLoadedFailsRealizeWithAMediaException) {
    std::vector<uint8_t> cut(wav().begin(), wav().begin() + 100);
    struct Case {
        const char* name;
        DInputStreamPtr stream;
        const char16_t* type;
        const char* reason;
    };
    const Case cases[] = {
        {"a cut WAV", streamOf(cut), u"audio/x-wav", "truncated"},
        {"a WAV as music", streamOf(wav()), u"audio/mod", "no 31-instrument module signature"},
        {"no bytes", streamOf({}), u"audio/x-wav", "header"},
        {"a failing stream", new BrokenStream(), u"audio/mod", "an error inside the program"},
    };
    for (const Case& c : cases) {
        DPlayerPtr p = DManager::createPlayer(c.stream, c.type);
        try {
            p->start();
            ADD_FAILURE() << c.name << " started";
        } catch (DMediaExceptionPtr& e) {
            const std::string told = narrow(DFailureReason::of(e));
            EXPECT_NE(told.find(c.reason), std::string::npos) << c.name << ": " << told;
            EXPECT_EQ(told.find(".cpp"), std::string::npos) << c.name << ": " << told;
        }
        EXPECT_EQ(DPlayer::UNREALIZED, p->getState()) << c.name;
    }
}

TEST_F(Players, TheBaseReportsClosedAndCannotSeek) {
    class Bare : public DPlayer {
    public:
        Bare() : DPlayer(0, DInputStreamPtr()) {}
    };
    DPlayerPtr p = new Bare();
    EXPECT_EQ(DPlayer::CLOSED, p->getState());
    EXPECT_FALSE(p->getContentType());
    EXPECT_THROW(p->setMediaTime(0), DMediaExceptionPtr);
}

// The players on the real mixer, heard through the headless sink.
class PlayersHeard : public HeadlessTest {
protected:
    void TearDown() override {
        DManager::closeSound();
        HeadlessTest::TearDown();
    }

    bool silent(size_t frames) {
        std::vector<int16_t> out = device->takeAudio(frames);
        return std::all_of(out.begin(), out.end(), [](int16_t s) { return s == 0; });
    }
};

TEST_F(PlayersHeard, AStaleChannelNeverReachesANewerPlay) {
    DPlayerPtr blip = DManager::createPlayer(streamOf(makeWav({44000, 1, 16}, {1000, 1000})), u"audio/x-wav");
    blip->start();
    EXPECT_FALSE(silent(2));
    EXPECT_TRUE(silent(10));  // ended; its channel is free for the next play

    DPlayerPtr tone = DManager::createPlayer(streamOf(wav()), u"audio/x-wav");
    tone->setLoopCount(-1);
    tone->start();
    blip->setMediaTime(0);
    blip->stop();
    blip->close();
    EXPECT_FALSE(silent(100));
}

TEST_F(PlayersHeard, MusicPlaysPausesAndResumes) {
    DPlayerPtr music = DManager::createPlayer(streamOf(mod()), u"audio/mod");
    DManager::speaker()->volumeMusics(64);
    music->start();
    EXPECT_FALSE(silent(4400));
    music->stop();
    EXPECT_TRUE(silent(4400));
    music->start();
    EXPECT_FALSE(silent(4400));
}

}  // namespace
