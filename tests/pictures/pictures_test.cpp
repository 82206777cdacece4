// Every game on both screens, played the same way each time from the shell, is captured at
// fixed moments (its first page, the start of play and play after held keys); each capture must
// match, pixel for pixel, the digest kept in digests.txt beside this file. A change meant to make
// drawing faster must leave every digest as it is.
//
// ctest runs each case in a process of its own, and all of them once more in one process
// (pictures_in_one_process): a game that leaves state behind when it ends would change the
// pictures of a case after it.
//
// A game left must also give back the pixels its pictures held.
//
// After a deliberate change of art, levels or layout, write the digests anew (one case after
// the other) and commit them:
//     MOSSYARD_WRITE_DIGESTS=1 ctest --test-dir build-test -R Pictures
// A capture that differs is written to pictures-frames/ in the build folder to be looked at.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "game_cases.h"
#include "game_run.h"
#include "gamelib.h"
#include "pixelbudget.h"
#include "platform.h"
#include "screencanvas.h"
#include "started_app.h"

namespace {

const std::string digestsPath = std::string(MOSSYARD_SOURCE_DIR) + "/tests/pictures/digests.txt";

bool writingDigests() { return std::getenv("MOSSYARD_WRITE_DIGESTS") != nullptr; }

// FNV-1a over the size and every pixel.
uint64_t digestOf(const platform::Picture& picture) {
    uint64_t h = 0xcbf29ce484222325ull;
    auto add = [&h](uint32_t word, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            h ^= (word >> (8 * i)) & 0xFF;
            h *= 0x100000001b3ull;
        }
    };
    add(uint32_t(picture.width), 4);
    add(uint32_t(picture.height), 4);
    for (uint16_t p : picture.pixels) add(p, 2);
    return h;
}

// "game screen moment" to its digest.
using Digests = std::map<std::string, std::string>;

Digests readDigests() {
    Digests digests;
    std::ifstream in(digestsPath);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const size_t last = line.rfind(' ');
        if (last != std::string::npos) digests[line.substr(0, last)] = line.substr(last + 1);
    }
    return digests;
}

void writeDigests(const Digests& digests) {
    std::ofstream out(digestsPath);
    out << "# Written by MOSSYARD_WRITE_DIGESTS=1 ctest --test-dir build-test -R Pictures; see pictures_test.cpp.\n";
    for (const auto& [key, digest] : digests) out << key << ' ' << digest << '\n';
}

class Pictures : public StartedAppTest, public ::testing::WithParamInterface<GameCase> {
protected:
    std::string profileName() const override { return GetParam().screen; }

    // Compares (or, when writing, records) the screen as it is now.
    void capture(const std::string& moment) {
        if (!compare(moment, digestOf(platform::screen())))
            captureScreen("pictures-frames",
                          std::string(gameNames[GetParam().game]) + "-" + GetParam().screen + "-" + moment);
    }

    // Compares (or records) a digest under the moment's name; false when it differs.
    bool compare(const std::string& moment, uint64_t value) {
        const std::string key = std::string(gameNames[GetParam().game]) + " " + GetParam().screen + " " + moment;
        char digest[17];
        std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(value));
        taken[key] = digest;
        if (writingDigests()) return true;
        const auto expected = kept.find(key);
        if (expected == kept.end()) {
            ADD_FAILURE() << key << ": no digest kept; write them anew (see pictures_test.cpp)";
            return true;
        }
        if (expected->second == digest) return true;
        ADD_FAILURE() << key << ": the picture changed (digest " << digest << ", kept " << expected->second << ")";
        return false;
    }

    void TearDown() override {
        if (writingDigests() && !HasFailure()) {
            Digests all = readDigests();
            for (const auto& [key, digest] : taken) all[key] = digest;
            writeDigests(all);
        }
        StartedAppTest::TearDown();
    }

    Digests kept = readDigests();
    Digests taken;
};

// Frames of the game library, with a look after each.
void frames(int count, const std::function<void()>& afterEach) {
    for (int i = 0; i < count; ++i) {
        StartedAppTest::frames(1);
        afterEach();
    }
}

// Keys as the player gives them: fire held, the joystick swept, now and then up and down.
void play(int frameCount, const std::function<void()>& afterEach = [] {}) {
    const int sweep[] = {keys::left, keys::right, keys::left, keys::up, keys::right, keys::down};
    GameLib::screenCanvas->keyPressed(keys::fire);
    for (int done = 0, i = 0; done < frameCount; done += 30, ++i) {
        GameLib::screenCanvas->keyPressed(sweep[i % 6]);
        frames(29, afterEach);
        GameLib::screenCanvas->keyReleased(sweep[i % 6]);
        frames(1, afterEach);
    }
    GameLib::screenCanvas->keyReleased(keys::fire);
    frames(1, afterEach);
}

// From the shell through the game's pages (settings, stage choice, intro) into play.
void enterPlay(int game, const std::function<void()>& onFirstPage) {
    openGameFromShell(game);
    StartedAppTest::frames(60);
    onFirstPage();
    for (int i = 0; i < 4; ++i) {
        menuKey(keys::fire);
        StartedAppTest::frames(16);
    }
    StartedAppTest::frames(60);
}

TEST_P(Pictures, StayTheSameAtFixedMoments) {
    inProgram([&] {
        enterPlay(GetParam().game, [&] { capture("first-page"); });
        capture("play-start");
        play(150);
        capture("play-150");
        play(150);
        capture("play-300");
    });
}

// Longer play, every frame of it: what happens now and then (a lost life, an enemy coming in,
// the next wave or stage) redraws kept pictures that the fixed moments may never show.
TEST_P(Pictures, StayTheSameInEveryFrameOfLongerPlay) {
    constexpr int stretch = 180, stretches = 4;
    inProgram([&] {
        enterPlay(GetParam().game, [] {});
        for (int s = 0; s < stretches; ++s) {
            uint64_t folded = 0xcbf29ce484222325ull;
            play(stretch, [&folded] { folded = (folded ^ digestOf(platform::screen())) * 0x100000001b3ull; });
            compare("every-frame-part" + std::to_string(s + 1), folded);
        }
    });
}

// Entered into play and left again, three times: a game left gives back every pixel its pictures
// held, so the room left for pictures is the same after each visit.
TEST_P(Pictures, AGameLeftGivesBackThePixelsItsPicturesHeld) {
    inProgram([&] {
        std::vector<uint64_t> roomAfterLeaving;
        for (int visit = 0; visit < 3; ++visit) {
            enterPlay(GetParam().game, [] {});
            play(60);
            GameLib::returnToShell();
            roomAfterLeaving.push_back(PixelBudget::room());
        }
        EXPECT_EQ(roomAfterLeaving[1], roomAfterLeaving[0]);
        EXPECT_EQ(roomAfterLeaving[2], roomAfterLeaving[0]);
    });
}

INSTANTIATE_TEST_SUITE_P(Games, Pictures, ::testing::ValuesIn(allGameCases()), gameCaseName);

}  // namespace
