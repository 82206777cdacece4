#include <gtest/gtest.h>
#include "druntime.h"
#include "dsystem.h"
#include "headless_test.h"
#include "platform.h"
#include "text.h"

using namespace dfc::lang;

class SystemProperties : public HeadlessTest {};

TEST_F(SystemProperties, FixedKeysAndUnknownOnes) {
    EXPECT_EQ(narrow(DSystem::getProperty(u"file.separator")), "\\");
    EXPECT_EQ(narrow(DSystem::getProperty(u"archive.name")), "game.dat");
    EXPECT_TRUE(DSystem::getProperty(u"FILE.SEPARATOR").isNull());
    EXPECT_TRUE(DSystem::getProperty(u"file.separator ").isNull());
    EXPECT_TRUE(DSystem::getProperty(u"").isNull());
}

TEST_F(SystemProperties, AppPathIsTheExecutablesFolderWithBackslashes) {
    platform::setModulePath("/Program Files/X/run.exe");
    EXPECT_EQ(narrow(DSystem::getProperty(u"app.fullpath")), "\\Program Files\\X");
    platform::setModulePath("run.exe");
    EXPECT_EQ(narrow(DSystem::getProperty(u"app.fullpath")), "run.exe");
}

TEST_F(SystemProperties, TheRealExecutableLiesInTheBuild) {
    DStringPtr path = DSystem::getProperty(u"app.fullpath");
    ASSERT_GT(path->length(), 0);
    EXPECT_EQ(path->charAt(0), u'\\');
    EXPECT_NE(path->charAt(path->length() - 1), u'\\');
}

TEST_F(SystemProperties, PlatformTypeComesFromTheDevice) {
    EXPECT_EQ(narrow(DSystem::getProperty(u"platform.type")), "SmartPhone");
    platform::selectProfile(*platform::findProfile("pocketpc"));
    EXPECT_EQ(narrow(DSystem::getProperty(u"platform.type")), "PocketPC");
}

TEST_F(SystemProperties, ArchivePasswordIsWhatTheProgramSupplied) {
    EXPECT_EQ(narrow(DSystem::getProperty(u"archive.password")), "");
    DSystem::setArchivePassword(u"secret");
    EXPECT_EQ(narrow(DSystem::getProperty(u"archive.password")), "secret");
    DSystem::setArchivePassword(DStringPtr());
}

TEST(Runtime, ReportsTheDevicesMemory) {
    DRuntimePtr runtime = DRuntime::getRuntime();
    EXPECT_EQ(runtime.get(), DRuntime::getRuntime().get());
    EXPECT_GT(runtime->totalMemory(), 0);
    EXPECT_LE(runtime->freeMemory(), runtime->totalMemory());
}
