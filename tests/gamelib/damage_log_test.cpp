// The one place damaged data is named: each fault once on a stream, whatever the play, and a
// bounded memory of what was named.
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include "captured_diagnostics.h"
#include "damagelog.h"

namespace {

using dfc::lang::DStringPtr;

size_t linesOf(const std::string& printed) { return size_t(std::count(printed.begin(), printed.end(), '\n')); }

class DamageLogTest : public ::testing::Test {
protected:
    void SetUp() override { beginDiagnostics(); }
    void TearDown() override { endDiagnostics(); }
};

TEST_F(DamageLogTest, EachFaultIsNamedOnceByItsFirstLine) {
    for (int frame = 0; frame < 100; ++frame) {
        DamageLog::name(u"the keys of res.txt", DStringPtr(u"res.txt has no key k") + frame);
        DamageLog::name(u"level 3 is damaged");
    }
    DamageLog::name(u"level 4 is damaged");
    EXPECT_EQ(printedDiagnostics(), "res.txt has no key k0\r\nlevel 3 is damaged\r\nlevel 4 is damaged\r\n");
}

TEST_F(DamageLogTest, ANewStreamHasBeenToldNothing) {
    DamageLog::name(u"level 3 is damaged");
    beginDiagnostics();
    DamageLog::name(u"level 3 is damaged");
    EXPECT_EQ(printedDiagnostics(), "level 3 is damaged\r\n");
}

// Past its capacity the log keeps nothing more: one line says so, and then it is silent.
TEST_F(DamageLogTest, WhatIsKeptIsBounded) {
    const int faults = int(DamageLog::capacity) + 100;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < faults; ++i) DamageLog::name(DStringPtr(u"fault ") + i);
    const std::string printed = printedDiagnostics();
    EXPECT_EQ(linesOf(printed), DamageLog::capacity + 1);
    EXPECT_EQ(printed.substr(printed.rfind("fault")), "fault " + std::to_string(DamageLog::capacity - 1) +
                                                          "\r\nmore damaged data than can be told: what else is "
                                                          "damaged goes unnamed\r\n");
}

}  // namespace
