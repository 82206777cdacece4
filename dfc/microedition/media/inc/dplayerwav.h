#pragma once
#include "dplayerwav.ptr"
#include "dsoundplayer.h"

namespace dfc::microedition::media {

// A WAV sound effect: a start while playing overlaps the earlier play; stop ends the play, so
// the next start begins afresh.
class DPlayerWav : public DSoundPlayer {
public:
    explicit DPlayerWav(io::DInputStreamPtr stream) : DSoundPlayer(0, stream) {}
    lang::DStringPtr getContentType() override { return new lang::DString(u"audio/x-wav"); }

protected:
    sndSource& source() override { return data; }
    int play(sndSpeaker& speaker) override { return speaker.playSound(&data, playFlags); }
    bool overlaps() const override { return true; }
    bool resumes() const override { return false; }

private:
    sndSound data;
};

}  // namespace dfc::microedition::media
