// Every game on both screens as the cases of a parameterised test, named "<game>_<screen>", so
// that ctest runs each case as a test of its own.
#pragma once
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

// By registry number.
extern const char* const gameNames[8];

struct GameCase {
    int game;
    const char* screen;
};

void PrintTo(const GameCase& c, std::ostream* out);
std::string gameCaseName(const ::testing::TestParamInfo<GameCase>& info);
std::vector<GameCase> allGameCases();
