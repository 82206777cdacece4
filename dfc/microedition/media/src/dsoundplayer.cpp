#include "dsoundplayer.h"
#include "dmanager.h"
#include "dmediaexception.h"

namespace dfc::microedition::media {

using lang::DbyteArray;
using lang::DbyteArrayPtr;

DSoundPlayer::~DSoundPlayer() { close(); }

void DSoundPlayer::realize() {
    if (state == CLOSED) DFC_THROW(lang::DIllegalStateException);
    if (state != UNREALIZED) return;
    DbyteArrayPtr data;
    int count = 0;
    // Memory that runs out is no fault of the data: std::bad_alloc passes as it is.
    try {
        data = new DbyteArray(stream->available());
        count = stream->read(data);
    } catch (lang::DExceptionPtr&) {
        DFC_THROW(DMediaException);
    }
    // Only the bytes the stream gave are handed over. The library's reason names the data's fault.
    if (source().load(data->data, size_t(count > 0 ? count : 0)) != SND_OK)
        throw DMediaExceptionPtr(new DMediaException(new lang::DString(source().error().c_str())));
    stream = nullptr;
    state = REALIZED;
}

void DSoundPlayer::prefetch() {
    if (state == CLOSED) DFC_THROW(lang::DIllegalStateException);
    if (state == UNREALIZED) realize();
    if (state == REALIZED) state = PREFETCHED;
}

void DSoundPlayer::start() {
    if (state == CLOSED) DFC_THROW(lang::DIllegalStateException);
    if (state == STARTED) {
        if (!overlaps())
            if (sndChannel* earlier = DManager::channel(channel); earlier && earlier->playing()) earlier->stop();
        channel = play(*DManager::speaker());
        return;
    }
    if (state != PREFETCHED) {
        realize();
        prefetch();
        if (state != PREFETCHED) return;
    }
    // A paused play goes on; one that has ended meanwhile is played afresh.
    sndChannel* paused = channel >= 0 ? DManager::channel(channel) : nullptr;
    if (paused) paused->resume();
    else channel = play(*DManager::speaker());
    if (channel != SND_NOT_PLAYED) state = STARTED;
}

void DSoundPlayer::stop() {
    if (state != STARTED || channel < 0) return;
    sndChannel* playing = DManager::channel(channel);
    if (resumes()) {
        if (playing) playing->pause();
    } else {
        if (playing) playing->stop();
        channel = -1;
    }
    state = PREFETCHED;
}

void DSoundPlayer::close() {
    if (state == CLOSED) return;
    state = CLOSED;
    if (channel < 0) return;
    if (sndChannel* playing = DManager::channel(channel)) playing->stop();
    channel = -1;
}

void DSoundPlayer::setLoopCount(int count) { source().loop(count == -1); }

int64_t DSoundPlayer::setMediaTime(int time) {
    if (time > 0 || channel < 0) return TIME_UNKNOWN;
    sndChannel* playing = DManager::channel(channel);
    if (!playing) return 0;
    if (state == STARTED) {
        playing->setPosition(0);
    } else {
        playing->stop();
        channel = -1;
    }
    return 0;
}

}  // namespace dfc::microedition::media
