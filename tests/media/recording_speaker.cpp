#include "recording_speaker.h"
#include <cstdio>
#include "dmanager.h"

using dfc::microedition::media::DManager;

SpeakerLog& speakerLog() {
    static SpeakerLog log;
    return log;
}

void RecordingChannel::log(const std::string& what) {
    speakerLog().calls.push_back("channel " + std::to_string(number) + " " + what);
}
void RecordingChannel::stop() {
    log("stop");
    isPlaying = false;
}
void RecordingChannel::pause() { log("pause"); }
void RecordingChannel::resume() { log("resume"); }
bool RecordingChannel::playing() { return isPlaying; }
void RecordingChannel::setPosition(int milliseconds) { log("position " + std::to_string(milliseconds)); }

RecordingSpeaker* RecordingSpeaker::last = nullptr;

sndSpeaker* RecordingSpeaker::make() { return last = new RecordingSpeaker(); }

int RecordingSpeaker::open(unsigned rate, unsigned bits, bool stereo, unsigned musicChannels, unsigned soundChannels) {
    char text[80];
    std::snprintf(text, sizeof text, "open %u %u %d %u %u", rate, bits, int(stereo), musicChannels, soundChannels);
    log(text);
    return speakerLog().openResult;
}

int RecordingSpeaker::close() {
    log("close");
    return SND_OK;
}

void RecordingSpeaker::volumeMusics(unsigned volume) {
    log("volumeMusics " + std::to_string(volume));
    musics = volume;
}

void RecordingSpeaker::volumeSounds(unsigned volume) {
    log("volumeSounds " + std::to_string(volume));
    sounds = volume;
}

int RecordingSpeaker::play(const std::string& what, unsigned flags, bool loop) {
    char hex[32];
    std::snprintf(hex, sizeof hex, "%#x %s", flags, loop ? "loop" : "once");
    if (speakerLog().refusePlays) {
        log(what + " " + hex + " -> refused");
        return SND_NOT_PLAYED;
    }
    int number = nextChannel++;
    channels[number] = std::make_unique<RecordingChannel>(number);
    log(what + " " + hex + " -> " + std::to_string(number));
    return number;
}

int RecordingSpeaker::playSound(sndSound* sound, unsigned flags) {
    return play("playSound", flags, sound && sound->looping());
}
int RecordingSpeaker::playMusic(sndMusic* music, unsigned flags) {
    return play("playMusic", flags, music && music->looping());
}

sndChannel* RecordingSpeaker::channel(int number) {
    auto found = channels.find(number);
    return found == channels.end() ? nullptr : found->second.get();
}

void RecordedSound::SetUp() {
    HeadlessTest::SetUp();
    speakerLog().clear();
    DManager::speakerFactory = RecordingSpeaker::make;
}

void RecordedSound::TearDown() {
    DManager::closeSound();
    DManager::speakerFactory = [] { return new sndSpeaker(); };
    HeadlessTest::TearDown();
}
