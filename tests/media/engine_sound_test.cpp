#include <gtest/gtest.h>
#include "dmanager.h"
#include "gameengine.h"
#include "headless_test.h"
#include "recording_speaker.h"

using dfc::microedition::media::DManager;
using dfc::microedition::midlet::DMIDlet;
using dfc::microedition::midlet::DMIDletPtr;
using platform::headless::Event;

namespace {

// Ticks like a game for half a second of device time, then ends.
class ShortMidlet : public DMIDlet {
public:
    void destroyApp(bool) override {}
    void pauseApp() override {}
    void startApp() override {}
    void tick() override {
        Sleep(25);
        if (++ticks == 20) notifyDestroyed();
    }
    int ticks = 0;
};

class EngineSound : public RecordedSound {
protected:
    void SetUp() override {
        RecordedSound::SetUp();
        GameEngine::applicationFactory = [] { return DMIDletPtr(new ShortMidlet()); };
    }

    void runWithAPause() {
        device->schedule(Event{100, Event::deactivate});
        device->schedule(Event{200, Event::activate});
        GameEngine engine;
        engine.run(nullptr, 0);
    }
};

TEST_F(EngineSound, TheFrameOpensSuspendsResumesAndClosesTheDevice) {
    runWithAPause();
    EXPECT_EQ((std::vector<std::string>{"open 44000 16 1 4 16", "volumeMusics 32", "volumeSounds 64", "suspend",
                                        "resume", "close"}),
              speakerLog().take());
    EXPECT_FALSE(DManager::isSoundOpen());
    EXPECT_EQ(speakerLog().made, speakerLog().deleted);
}

TEST_F(EngineSound, SuspendAndResumeTryToOpenADeviceThatFailedToOpen) {
    speakerLog().openResult = SND_BAD_SETTINGS;
    runWithAPause();
    EXPECT_EQ((std::vector<std::string>{"open 44000 16 1 4 16", "open 44000 16 1 4 16", "suspend",
                                        "open 44000 16 1 4 16", "resume"}),
              speakerLog().take());
    EXPECT_EQ(3, speakerLog().made);
    EXPECT_EQ(3, speakerLog().deleted);
}

}  // namespace
