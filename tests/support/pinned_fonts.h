// The glyph pixels the font tests expect were taken from these exact font files.
#pragma once
#include <gtest/gtest.h>
#include <cstdint>
#include <fstream>
#include <string>

inline uint64_t fileDigest(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    std::string bytes(size_t(in.seekg(0, std::ios::end).tellg()), '\0');
    in.seekg(0).read(bytes.data(), std::streamsize(bytes.size()));
    uint64_t h = 0xcbf29ce484222325;
    for (char c : bytes) h = (h ^ uint8_t(c)) * 0x100000001b3;
    return h;
}

inline void expectPinnedFonts() {
    const std::string folder = "/usr/share/fonts/truetype/dejavu/";
    ASSERT_EQ(fileDigest(folder + "DejaVuSans.ttf"), 0xadadfef763426946u)
        << "DejaVuSans.ttf is not the version the expected glyphs were taken from";
    ASSERT_EQ(fileDigest(folder + "DejaVuSansMono.ttf"), 0xa8dfa66d4275dcaeu)
        << "DejaVuSansMono.ttf is not the version the expected glyphs were taken from";
    ASSERT_EQ(fileDigest(folder + "DejaVuSans-Bold.ttf"), 0x1b3be1b9d0324063u)
        << "DejaVuSans-Bold.ttf is not the version the expected glyphs were taken from";
}
