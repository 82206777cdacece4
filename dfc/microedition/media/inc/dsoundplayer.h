#pragma once
#include "ce_snd.h"
#include "dplayer.h"

namespace dfc::microedition::media {

// The player over the sound library, shared by the WAV and MOD players; they differ in the
// library object, in how a play starts, and in the two traits below.
class DSoundPlayer : public DPlayer {
public:
    ~DSoundPlayer() override;

    void close() override;
    int getState() override { return state; }
    void prefetch() override;
    void realize() override;
    // -1 repeats for ever; any other count plays once.
    void setLoopCount(int count) override;
    void start() override;
    void stop() override;
    // Only 0 is understood: it rewinds a playing player and answers 0.
    int64_t setMediaTime(int time) override;

protected:
    using DPlayer::DPlayer;

    // What every play asks of the sound library.
    static constexpr unsigned playFlags = 0x10000000;

    virtual sndSource& source() = 0;
    // Starts the library object on a new channel: its number, or SND_NOT_PLAYED.
    virtual int play(sndSpeaker& speaker) = 0;
    // Whether a start while playing leaves the earlier play sounding.
    virtual bool overlaps() const = 0;
    // Whether stop only pauses, so that the next start goes on from there.
    virtual bool resumes() const = 0;
};

}  // namespace dfc::microedition::media
