#include "app_folder_test.h"
#include <algorithm>
#include "platform.h"

void AppFolderTest::SetUp() {
    HeadlessTest::SetUp();
    platform::setModulePath(folder.file("mossyard"));
}

std::u16string AppFolderTest::appPath() const {
    std::u16string path = platform::widen(folder.path());
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path;
}
