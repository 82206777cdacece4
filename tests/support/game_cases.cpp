#include "game_cases.h"

const char* const gameNames[8] = {"brixmoor", "rockvale", "dotvor",    "tunnex",
                                  "tanks",    "goldrift", "swarmline", "floodpass"};

void PrintTo(const GameCase& c, std::ostream* out) { *out << gameNames[c.game] << " on " << c.screen; }

std::string gameCaseName(const ::testing::TestParamInfo<GameCase>& info) {
    return std::string(gameNames[info.param.game]) + "_" + info.param.screen;
}

std::vector<GameCase> allGameCases() {
    std::vector<GameCase> cases;
    for (const char* screen : {"smartphone", "pocketpc"})
        for (int game = 0; game < 8; ++game) cases.push_back(GameCase{game, screen});
    return cases;
}
