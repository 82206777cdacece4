#include <gtest/gtest.h>
#include "dcanvas.h"
#include "text.h"

using dfc::microedition::lcdui::DCanvas;

TEST(CanvasKeys, GameActionOfEveryKey) {
    const std::pair<int, int> table[] = {
        {37, 2},  {'4', 2},  {38, 1},    {'2', 1},    {39, 5},    {'6', 5},    {40, 6},    {'8', 6},
        {'5', 8}, {10002, 8}, {'1', 9},  {'3', 10},   {'7', 11},  {'9', 12},   {'0', -1},  {10000, -1},
        {10001, -1}, {10003, -1}, {10004, -1}, {0, -1}, {-1, -1}, {65, -1},
    };
    for (auto [key, action] : table) EXPECT_EQ(DCanvas::getGameAction(key), action) << "key " << key;
}

TEST(CanvasKeys, KeyCodeOfEveryActionIsADigit) {
    const std::pair<int, int> table[] = {
        {1, '2'}, {2, '4'}, {5, '6'}, {6, '8'}, {8, '5'}, {9, '1'}, {10, '3'}, {11, '7'}, {12, '9'},
        {0, -1},  {3, -1},  {4, -1},  {7, -1},  {13, -1}, {-1, -1},
    };
    for (auto [action, key] : table) EXPECT_EQ(DCanvas::getKeyCode(action), key) << "action " << action;
    // The round trip gives the digit, not the arrow the action came from.
    EXPECT_EQ(DCanvas::getKeyCode(DCanvas::getGameAction(38)), '2');
    EXPECT_EQ(DCanvas::getKeyCode(DCanvas::getGameAction(10002)), '5');
}

TEST(CanvasKeys, KeyNames) {
    const std::pair<int, const char*> table[] = {
        {'0', "KEY_NUM0"},  {'5', "KEY_NUM5"},     {'9', "KEY_NUM9"},    {37, "KEY_LEFT"},
        {38, "KEY_UP"},     {39, "KEY_RIGHT"},     {40, "KEY_DOWN"},     {10003, "KEY_POUND"},
        {10004, "KEY_STAR"}, {10000, "UNKNOWN"},   {10001, "UNKNOWN"},   {10002, "UNKNOWN"},
        {'/', "UNKNOWN"},   {':', "UNKNOWN"},
    };
    for (auto [key, name] : table) EXPECT_EQ(narrow(DCanvas::getKeyName(key)), name) << "key " << key;
}
