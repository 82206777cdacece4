// A speaker that writes down every call made to it, for checking what the players and the
// frame ask of the sound library.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "ce_snd.h"
#include "headless_test.h"

struct SpeakerLog {
    std::vector<std::string> calls;
    int openResult = SND_OK;
    bool refusePlays = false;  // plays answer SND_NOT_PLAYED
    int made = 0;              // speakers made
    int deleted = 0;

    void clear() { *this = SpeakerLog{}; }
    // The calls since the last look, then forgotten.
    std::vector<std::string> take() { return std::exchange(calls, {}); }
};

SpeakerLog& speakerLog();

class RecordingChannel : public sndChannel {
public:
    explicit RecordingChannel(int number) : number(number) {}
    void stop() override;
    void pause() override;
    void resume() override;
    bool playing() override;
    void setPosition(int milliseconds) override;

    bool isPlaying = true;

private:
    void log(const std::string& what);
    int number;
};

class RecordingSpeaker : public sndSpeaker {
public:
    RecordingSpeaker() { ++speakerLog().made; }
    ~RecordingSpeaker() override { ++speakerLog().deleted; }

    int open(unsigned rate, unsigned bits, bool stereo, unsigned musicChannels, unsigned soundChannels) override;
    int close() override;
    void volumeMusics(unsigned volume) override;
    void volumeSounds(unsigned volume) override;
    unsigned volumeMusics() override { return musics; }
    unsigned volumeSounds() override { return sounds; }
    int playSound(sndSound* sound, unsigned flags) override;
    int playMusic(sndMusic* music, unsigned flags) override;
    sndChannel* channel(int number) override;
    void stopSounds() override { log("stopSounds"); }
    void stopMusics() override { log("stopMusics"); }
    void pauseSounds() override { log("pauseSounds"); }
    void pauseMusics() override { log("pauseMusics"); }
    void unpauseSounds() override { log("unpauseSounds"); }
    void unpauseMusics() override { log("unpauseMusics"); }
    void suspend() override { log("suspend"); }
    void resume() override { log("resume"); }

    // The speaker the factory made last.
    static RecordingSpeaker* last;
    static sndSpeaker* make();

    std::map<int, std::unique_ptr<RecordingChannel>> channels;

private:
    void log(const std::string& what) { speakerLog().calls.push_back(what); }
    int play(const std::string& what, unsigned flags, bool loop);

    unsigned musics = 0;
    unsigned sounds = 0;
    int nextChannel = 0;
};

// A headless device whose sound device is a recording speaker, closed after each case.
class RecordedSound : public HeadlessTest {
protected:
    void SetUp() override;
    void TearDown() override;
};
