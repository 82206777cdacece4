// Key events through the queue into the key state, the code entry and the stylus.
#include <gtest/gtest.h>
#include <tuple>
#include <vector>
#include "ce_system.h"
#include "gamelib.h"
#include "headless.h"
#include "headless_test.h"
#include "keyqueue.h"
#include "keystate.h"
#include "program_fixture.h"
#include "screencanvas.h"

namespace {

class KeyStateTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        resetGameLibState();
        KeyState::codeSequence = new dfc::lang::DintArray(5, '4', '8', '2', 0, 0);
    }
    void TearDown() override {
        resetGameLibState();
        HeadlessTest::TearDown();
    }

    static void press(int code) { KeyState::handleKey(code, true); }
    static void release(int code) { KeyState::handleKey(code, false); }
};

}  // namespace

TEST(KeyQueueTest, AppliesOneEventATickInOrderAndEmptiesAfterTheLast) {
    KeyQueue queue;
    queue.append(50, true);
    queue.append(50, false);
    queue.append(52, true);
    std::vector<std::pair<int, int>> taken;
    KeyQueue::Entry entry;
    while (queue.take(&entry)) taken.emplace_back(entry.code, entry.pressed);
    EXPECT_EQ(taken, (std::vector<std::pair<int, int>>{{50, 1}, {50, 0}, {52, 1}}));
    EXPECT_EQ(queue.read, -1);
    EXPECT_EQ(queue.write, -1);
}

TEST(KeyQueueTest, AFullQueueOverwritesItsLastEntry) {
    KeyQueue queue;
    for (int i = 0; i < KeyQueue::capacity; ++i) queue.append(i, true);
    queue.append(-7, false);
    EXPECT_EQ(queue.write, 1023);
    EXPECT_EQ(queue.read, 0);
    KeyQueue::Entry entry;
    for (int i = 0; i < KeyQueue::capacity - 1; ++i) {
        ASSERT_TRUE(queue.take(&entry));
        EXPECT_EQ(entry.code, i);
    }
    ASSERT_TRUE(queue.take(&entry));
    EXPECT_EQ(entry.code, -7);
    EXPECT_EQ(entry.pressed, 0);
    EXPECT_FALSE(queue.take(&entry));
}

TEST_F(KeyStateTest, EachKeyRoleHasItsFlag) {
    struct Case {
        int code;
        bool* flag;
    } cases[] = {
        {38, &KeyState::up},          {'2', &KeyState::up},          {37, &KeyState::left},
        {'4', &KeyState::left},       {39, &KeyState::right},        {'6', &KeyState::right},
        {40, &KeyState::down},        {'8', &KeyState::down},        {'5', &KeyState::fire},
        {10002, &KeyState::fire},     {'0', &KeyState::key0},        {'1', &KeyState::key1},
        {'3', &KeyState::key3},       {'7', &KeyState::key7},        {'9', &KeyState::key9},
        {10004, &KeyState::star},     {10003, &KeyState::pound},     {10000, &KeyState::leftSoft},
        {0, &KeyState::leftSoft},     {10001, &KeyState::rightSoft}, {-1, &KeyState::pauseKey},
        {-1, &KeyState::minusOneKey}, {-2, &KeyState::minusTwoKey},
    };
    for (const Case& c : cases) {
        press(c.code);
        EXPECT_TRUE(*c.flag) << c.code;
        EXPECT_TRUE(KeyState::anyKey);
        EXPECT_EQ(KeyState::lastKey, c.code);
        KeyState::anyKey = false;
        release(c.code);
        EXPECT_FALSE(*c.flag) << c.code;
        EXPECT_FALSE(KeyState::anyKey) << "a release is no press";
    }
}

TEST_F(KeyStateTest, TheKeyMapDecidesTheSoftKeys) {
    KeyState::rightSoftKey2 = '9';
    press('9');
    EXPECT_TRUE(KeyState::rightSoft);
    EXPECT_TRUE(KeyState::key9) << "a mapped digit keeps its own flag too";
    KeyState::middleSoftKey = 13;
    press(13);
    EXPECT_TRUE(KeyState::fire);
}

TEST_F(KeyStateTest, TheCodeSequenceTakesTheTwoDigitsThatFollowIt) {
    for (int code : {'4', '8', '2', '1', '5'}) press(code);
    EXPECT_TRUE(KeyState::numberEntered);
    EXPECT_EQ(KeyState::enteredNumber, 15);
    EXPECT_FALSE(KeyState::fire);
    EXPECT_FALSE(KeyState::key1);
    EXPECT_EQ(KeyState::lastKey, '2') << "the digits reach no flag";
    EXPECT_EQ(KeyState::codeSequencePos, 0);

    // The keys of the sequence itself still steer.
    EXPECT_TRUE(KeyState::left && KeyState::down && KeyState::up);
}

TEST_F(KeyStateTest, AKeyThatIsNoDigitEndsTheCodeEntryAndIsHandled) {
    for (int code : {'4', '8', '2'}) press(code);
    press(10002);
    EXPECT_TRUE(KeyState::fire);
    EXPECT_EQ(KeyState::codeSequencePos, 0);
    press('1');
    press('5');
    EXPECT_FALSE(KeyState::numberEntered);
    EXPECT_TRUE(KeyState::key1);

    // A wrong key of the sequence starts it over.
    for (int code : {'4', '8', '3', '2', '1', '5'}) press(code);
    EXPECT_FALSE(KeyState::numberEntered);
    for (int code : {'4', '8', '2', '0', '9'}) press(code);
    EXPECT_EQ(KeyState::enteredNumber, 9);
}

TEST_F(KeyStateTest, APressWithin300MillisecondsOfTheLastIsADoubleTap) {
    for (auto [gap, doubleTap] : {std::tuple{299, true}, std::tuple{300, false}}) {
        device->advance(5000);
        KeyState::stylusPressed(10, 10);
        KeyState::stylusReleased(10, 10);
        device->advance(DWORD(gap));
        KeyState::stylusPressed(12, 14);
        EXPECT_EQ(KeyState::doubleTap, doubleTap) << gap;
        EXPECT_TRUE(KeyState::pointerDown);
        KeyState::stylusReleased(12, 14);
        EXPECT_EQ(KeyState::doubleTap, doubleTap) << "the release keeps it";
        EXPECT_FALSE(KeyState::pointerDown);
    }
}

TEST_F(KeyStateTest, ADoubleTapSpansTheWrapOfTheTickCount) {
    device = &platform::headless::install(profileName(), 0xFFFFFF00u);
    device->advance(0xF0);
    KeyState::stylusPressed(1, 1);
    device->advance(0x20);
    ASSERT_LT(GetTickCount(), 0x100u);
    KeyState::stylusPressed(1, 1);
    EXPECT_TRUE(KeyState::doubleTap);
}

TEST_F(KeyStateTest, ADragMovesThePointAndRemembersThePreviousOne) {
    KeyState::stylusPressed(10, 20);
    KeyState::stylusDragged(15, 25);
    KeyState::stylusDragged(18, 21);
    EXPECT_EQ(std::tie(KeyState::pointerX, KeyState::pointerY, KeyState::prevPointerX, KeyState::prevPointerY),
              std::tuple(18, 21, 15, 25));
    EXPECT_TRUE(KeyState::pointerDragged);
    KeyState::stylusReleased(30, 31);
    EXPECT_FALSE(KeyState::pointerDragged);
    EXPECT_EQ(KeyState::pointerX, 30);
}

TEST_F(ProgramTest, ThreeEventsOfOneFrameReachTheKeyStateOverThreeTicks) {
    inProgram([] {
        GameLib::screenCanvas->keyPressed('2');
        GameLib::screenCanvas->keyReleased('2');
        GameLib::screenCanvas->keyRepeated('6');
        ScreenCanvas::processKeys();
        EXPECT_TRUE(KeyState::up);
        ScreenCanvas::processKeys();
        EXPECT_FALSE(KeyState::up);
        EXPECT_FALSE(KeyState::right);
        EXPECT_EQ(ScreenCanvas::keyQueue.read, 2);
        ScreenCanvas::processKeys();
        EXPECT_TRUE(KeyState::right);
        EXPECT_EQ(ScreenCanvas::keyQueue.read, -1);
        EXPECT_EQ(ScreenCanvas::keyQueue.write, -1);
    });
}

TEST_F(ProgramTest, PausingSendsThePauseKeyAsAPressAndARelease) {
    inProgram([] {
        GameLib::gameLib->pauseApp();
        ScreenCanvas::processKeys();
        EXPECT_TRUE(KeyState::pauseKey);
        ScreenCanvas::processKeys();
        EXPECT_FALSE(KeyState::pauseKey);
    });
}

TEST_F(ProgramTest, StylusEventsChangeTheStateAtOnce) {
    inProgram([] {
        GameLib::screenCanvas->pointerPressed(40, 50);
        EXPECT_TRUE(KeyState::pointerDown);
        EXPECT_EQ(KeyState::pointerX, 40);
        GameLib::screenCanvas->pointerDragged(41, 52);
        EXPECT_TRUE(KeyState::pointerDragged);
        GameLib::screenCanvas->pointerReleased(42, 53);
        EXPECT_FALSE(KeyState::pointerDown);
        EXPECT_EQ(ScreenCanvas::keyQueue.write, -1);
    });
}
