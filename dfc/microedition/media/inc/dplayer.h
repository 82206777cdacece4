#pragma once
#include <cstdint>
#include "dinputstream.h"
#include "dplayer.ptr"
#include "dstring.h"

namespace dfc::microedition::media {

// A player of the media package: UNREALIZED -> REALIZED -> PREFETCHED -> STARTED, back to
// PREFETCHED on stop, and CLOSED for good. This base does nothing; the WAV and MOD players play.
class DPlayer : public lang::DObject {
public:
    static constexpr int CLOSED = 0;
    static constexpr int UNREALIZED = 100;
    static constexpr int REALIZED = 200;
    static constexpr int PREFETCHED = 300;
    static constexpr int STARTED = 400;
    static constexpr int64_t TIME_UNKNOWN = -1;

    virtual void close() {}
    virtual void deallocate() {}
    virtual lang::DStringPtr getContentType() { return lang::DStringPtr(); }
    virtual int getState() { return CLOSED; }
    virtual void prefetch() {}
    virtual void realize() {}
    virtual void setLoopCount(int) {}
    virtual void start() {}
    virtual void stop() {}
    virtual int64_t getDuration() { return TIME_UNKNOWN; }
    virtual int64_t getMediaTime() { return TIME_UNKNOWN; }
    // The base cannot seek: it throws DMediaException.
    virtual int64_t setMediaTime(int time);

protected:
    DPlayer(int kind, io::DInputStreamPtr stream) : kind(kind), stream(stream) {}

    const int kind;              // 0 WAV, 1 MOD
    io::DInputStreamPtr stream;  // held until the data is loaded
    int state = UNREALIZED;
    int channel = -1;            // the sound library's channel of the last play
};

}  // namespace dfc::microedition::media
