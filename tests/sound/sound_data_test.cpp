#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "ce_snd.h"
#include "sound_files.h"

namespace {

std::vector<uint8_t> patched(std::vector<uint8_t> bytes, size_t at, std::initializer_list<uint8_t> with) {
    std::copy(with.begin(), with.end(), bytes.begin() + long(at));
    return bytes;
}

// Each byte count below the whole file is loaded from a buffer of exactly that size, so
// the sanitizer sees any read past it.
template <class Sound>
void expectEveryCutRefused(const std::vector<uint8_t>& whole, size_t from) {
    for (size_t size = from; size < whole.size(); ++size) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(size));
        Sound sound;
        EXPECT_EQ(SND_BAD_DATA, sound.load(cut.data(), cut.size())) << size << " bytes";
        EXPECT_FALSE(sound.error().empty());
    }
}

TEST(WavData, MalformedOrUnsupportedFilesAreRefusedWithAReason) {
    const std::vector<uint8_t> good = makeWav({22050, 1, 16}, {1, 2, 3, 4});
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int expected;
        const char* reason;
    };
    std::vector<uint8_t> noData = good;
    std::memcpy(noData.data() + 36, "junk", 4);
    std::vector<uint8_t> oddChunk = good;
    oddChunk[40] = 0xFF;  // data size far beyond the file
    const Case cases[] = {
        {"not RIFF", patched(good, 0, {'R', 'I', 'F', 'X'}), SND_BAD_DATA, "header"},
        {"not WAVE", patched(good, 8, {'A', 'V', 'I', ' '}), SND_BAD_DATA, "header"},
        {"RIFF size past the end", patched(good, 4, {0xFF, 0, 0, 0}), SND_BAD_DATA, "truncated"},
        {"chunk past the end", oddChunk, SND_BAD_DATA, "past the end"},
        {"no data chunk", noData, SND_BAD_DATA, "no data"},
        {"float samples", makeWav({22050, 1, 16, 3}, {1}), SND_UNSUPPORTED, "not PCM"},
        {"24-bit", patched(good, 34, {24}), SND_UNSUPPORTED, "24-bit"},
        {"three channels", patched(good, 22, {3}), SND_UNSUPPORTED, "3 channels"},
        {"frame size wrong", patched(good, 32, {4}), SND_BAD_DATA, "frames of 4"},
        {"rate 0", patched(good, 24, {0, 0}), SND_BAD_DATA, "rate of 0"},
        {"no samples", makeWav({22050, 1, 16}, {}), SND_BAD_DATA, "no samples"},
    };
    for (const Case& c : cases) {
        sndSound sound;
        EXPECT_EQ(c.expected, sound.load(c.bytes.data(), c.bytes.size())) << c.name;
        EXPECT_NE(std::string::npos, sound.error().find(c.reason)) << c.name << ": " << sound.error();
        EXPECT_FALSE(sound.samples()) << c.name;
    }
    sndSound none;
    EXPECT_EQ(SND_BAD_DATA, none.load(nullptr, 0));
}

TEST(WavData, EveryTruncationIsRefused) { expectEveryCutRefused<sndSound>(makeWav({22050, 2, 16}, {1, 2, 3, 4}), 0); }

TEST(WavData, ChunksBeforeTheFormatAndOddPaddingAreRead) {
    std::vector<uint8_t> wav = makeWav({8000, 1, 8}, {256, 512, 768});  // 3 data bytes: padded
    // An odd-sized chunk in front of the others, with its pad byte.
    std::vector<uint8_t> extra{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    wav.insert(wav.begin() + 12, extra.begin(), extra.end());
    uint32_t riff = uint32_t(wav.size() - 8);
    std::memcpy(wav.data() + 4, &riff, 4);
    sndSound sound;
    EXPECT_EQ(SND_OK, sound.load(wav.data(), wav.size())) << sound.error();
}

TEST(ModData, MalformedModulesAreRefused) {
    const std::vector<uint8_t> good = makeMod(false);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int expected;
    };
    const Case cases[] = {
        {"no signature", patched(good, 1080, {'W', 'H', 'A', 'T'}), SND_UNSUPPORTED},
        {"empty song", patched(good, 950, {0}), SND_BAD_DATA},
        {"a pattern missing", patched(good, 953, {1}), SND_BAD_DATA},
        {"a sample longer than the file", patched(good, 42, {0x10, 0}), SND_BAD_DATA},
    };
    for (const Case& c : cases) {
        sndMusic music;
        EXPECT_EQ(c.expected, music.load(c.bytes.data(), c.bytes.size())) << c.name;
        EXPECT_FALSE(music.error().empty()) << c.name;
        EXPECT_FALSE(music.module()) << c.name;
    }
    sndMusic fine;
    EXPECT_EQ(SND_OK, fine.load(good.data(), good.size())) << fine.error();
}

TEST(ModData, EveryTruncationIsRefused) { expectEveryCutRefused<sndMusic>(makeMod(false), 0); }

}  // namespace
