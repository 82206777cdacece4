// A started engine whose application answers "app.name" with "mossyard", over a fresh data
// folder: the set-up the record stores need.
#pragma once
#include <memory>
#include "data_dir.h"
#include "gameengine.h"
#include "headless_test.h"

class ApplicationTest : public HeadlessTest {
protected:
    void SetUp() override;
    void TearDown() override;

    ScopedDataDir dataDir;
    std::unique_ptr<GameEngine> engine;
};
