// A headless device whose executable seems to lie in a fresh folder of its own, so that
// the files the program opens beside its executable are the test's.
#pragma once
#include "headless_test.h"
#include "temp_folder.h"

class AppFolderTest : public HeadlessTest {
protected:
    void SetUp() override;

    // The executable's folder as the program sees it: backslashes, no trailing separator.
    std::u16string appPath() const;

    TempFolder folder;
};
