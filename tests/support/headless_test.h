// A fresh headless device for each test case.
#pragma once
#include <gtest/gtest.h>
#include "headless.h"

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override { device = &platform::headless::install(profileName()); }
    void TearDown() override { platform::resetState(); }
    virtual std::string profileName() const { return "smartphone"; }

    platform::headless::HeadlessBackend* device = nullptr;
};
