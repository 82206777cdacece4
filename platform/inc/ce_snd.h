// The sound library: WAV effects and MOD music mixed on numbered channels into the device's
// sound output.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Results of load and open; playSound and playMusic answer a channel number or SND_NOT_PLAYED.
constexpr int SND_OK = 0;
constexpr int SND_BAD_DATA = 1;     // truncated or malformed
constexpr int SND_UNSUPPORTED = 2;  // well formed, but not a kind this library plays
constexpr int SND_BAD_SETTINGS = 3;
constexpr int SND_ALREADY_OPEN = 4;
constexpr int SND_NOT_PLAYED = -1000;

struct SndPcm;
struct SndModule;
struct SndMixer;

// A playing sound or music, found again through its number.
class sndChannel {
public:
    virtual ~sndChannel() = default;
    virtual void stop() = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Until it ends or is stopped, paused or not.
    virtual bool playing() = 0;
    virtual void setPosition(int milliseconds) = 0;
};

// What sounds and musics share: their data, loaded once, and whether they repeat.
class sndSource {
public:
    virtual ~sndSource();
    // Keeps its own copy of what it needs: the caller may free the data at once.
    int load(const void* data, size_t size);
    void loop(bool forever);
    bool looping() const { return forever; }
    // Why the last load failed.
    const std::string& error() const { return failure; }

protected:
    // Replaces the held data; SND_OK, or a failure with its reason in *why.
    virtual int decode(const uint8_t* data, size_t size, std::string* why) = 0;

private:
    bool forever = false;
    std::string failure;
};

// A sound effect: RIFF WAV, PCM with 8 or 16 bits, mono or stereo, any rate.
class sndSound : public sndSource {
public:
    sndSound();
    ~sndSound() override;
    std::shared_ptr<const SndPcm> samples() const { return pcm; }

protected:
    int decode(const uint8_t* data, size_t size, std::string* why) override;

private:
    std::shared_ptr<const SndPcm> pcm;
};

// Music: a tracker module of 31 instruments ("M.K." and its kin).
class sndMusic : public sndSource {
public:
    sndMusic();
    ~sndMusic() override;
    std::shared_ptr<const SndModule> module() const { return bytes; }

protected:
    int decode(const uint8_t* data, size_t size, std::string* why) override;

private:
    std::shared_ptr<const SndModule> bytes;
};

// The sound output with its music and sound channels. Until it is open it plays nothing,
// answers SND_NOT_PLAYED and no channel, and keeps only the volumes it is given.
class sndSpeaker {
public:
    sndSpeaker();
    virtual ~sndSpeaker();

    // 16 bits and stereo only; rates of 4000 to 49170; at most 32 channels in all.
    virtual int open(unsigned rate, unsigned bits, bool stereo, unsigned musicChannels, unsigned soundChannels);
    virtual int close();
    // Group volumes: 64 is full; more is kept as given but plays as 64.
    virtual void volumeMusics(unsigned volume);
    virtual void volumeSounds(unsigned volume);
    virtual unsigned volumeMusics();
    virtual unsigned volumeSounds();
    // The number of the channel the object now plays on; each play has a number of its own.
    // The flags are the device's play options; this mixer has none.
    virtual int playSound(sndSound* sound, unsigned flags);
    virtual int playMusic(sndMusic* music, unsigned flags);
    // Null once that play has ended, was stopped or was never made.
    virtual sndChannel* channel(int number);
    virtual void stopSounds();
    virtual void stopMusics();
    virtual void pauseSounds();
    virtual void pauseMusics();
    virtual void unpauseSounds();
    virtual void unpauseMusics();
    // The window went away: silence without losing any channel's place.
    virtual void suspend();
    virtual void resume();

    bool isOpen() const;
    const std::string& error() const { return failure; }

private:
    std::unique_ptr<SndMixer> mixer;
    std::string failure;
};
