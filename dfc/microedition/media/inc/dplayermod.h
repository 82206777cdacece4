#pragma once
#include "dplayermod.ptr"
#include "dsoundplayer.h"

namespace dfc::microedition::media {

// MOD music: a start while playing replaces the earlier play; stop pauses, so the next start
// goes on where it stopped.
class DPlayerMod : public DSoundPlayer {
public:
    explicit DPlayerMod(io::DInputStreamPtr stream) : DSoundPlayer(1, stream) {}
    lang::DStringPtr getContentType() override { return new lang::DString(u"audio/mod"); }

protected:
    sndSource& source() override { return data; }
    int play(sndSpeaker& speaker) override { return speaker.playMusic(&data, playFlags); }
    bool overlaps() const override { return false; }
    bool resumes() const override { return true; }

private:
    sndMusic data;
};

}  // namespace dfc::microedition::media
