#include "game_fixture.h"
#include "captured_diagnostics.h"

void GoldriftTest::writeFile(int n, const std::string& bytes) {
    folder.write("gdr/maps/" + std::to_string(n) + ".txt", bytes);
}

void GoldriftTest::writeMap(int n, const std::vector<std::string>& rows) {
    std::string bytes = std::to_string(rows[0].size()) + "\r\n" + std::to_string(rows.size()) + "\r\n";
    for (const std::string& row : rows) bytes += row + "\r\n";
    writeFile(n, bytes);
}

void GoldriftTest::loadLevel(int n, const std::vector<std::string>& rows) {
    writeMap(n, rows);
    ASSERT_TRUE(Goldrift::readMap(n)) << diagnostics();
    Goldrift::level = n;
    Goldrift::lives = Goldrift::startLives;
    Goldrift::score = 0;
    Goldrift::gameState = Goldrift::playState;
    Goldrift::hero->state = Runner::standing;
    Goldrift::hero->cellEntered = false;
    for (int i = 0; i < Goldrift::enemyCount; ++i) {
        Goldrift::enemies[i]->state = Runner::standing;
        Goldrift::enemies[i]->cellEntered = false;
    }
}

std::vector<std::string> GoldriftTest::gridRows() {
    std::vector<std::string> rows;
    for (int row = 0; row < Goldrift::gridHeight; ++row) {
        std::string text;
        for (int col = 0; col < Goldrift::gridWidth; ++col) text += cellAt(col, row);
        rows.push_back(text);
    }
    return rows;
}

void GoldriftTest::place(const RunnerPtr& runner, int col, int row, int state) {
    runner->col = col;
    runner->row = row;
    runner->cell = row * Goldrift::gridWidth + col;
    runner->offsetX = runner->offsetY = 0;
    runner->state = state;
    runner->cellEntered = false;
}

std::string GoldriftTest::diagnostics() {
    return printedDiagnostics();
}

bool GoldriftTest::runUntil(int state, int limit) {
    for (int i = 0; i < limit && Goldrift::gameState != state; ++i) frames(1);
    return Goldrift::gameState == state;
}
