#include "resources.h"

// The module's string table: 1 the window title, 2 the window class.
const ResourceString moduleStrings[] = {
    {1, u"Mossvane"},
    {2, u"GameEngine"},
};
const int moduleStringCount = sizeof moduleStrings / sizeof moduleStrings[0];
