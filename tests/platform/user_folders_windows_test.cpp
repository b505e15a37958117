#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/UserFolders.h"
#include "support/TempMediaDir.h"

namespace fs = std::filesystem;

TEST(UserFoldersWindowsTest, ConfigFolderIsAppDataWhenItIsAbsolute) {
    const std::string saved = std::getenv("APPDATA") != nullptr ? std::getenv("APPDATA") : "";
    for (const char* appData : {"C:\\Users\\player\\AppData\\Roaming", "D:/roaming", "\\\\server\\share\\roaming"}) {
        setenv("APPDATA", appData, 1);
        EXPECT_EQ(platformUserConfigFolder(), appData);
    }
    setenv("APPDATA", "roaming", 1);  // relative: the shell's own answer instead
    const std::string folder = platformUserConfigFolder();
    EXPECT_TRUE(fs::path(folder).is_absolute()) << folder;
    setenv("APPDATA", saved.c_str(), 1);
}

TEST(UserFoldersWindowsTest, FoldersAreMadeThroughEitherSeparatorAndProbedWithoutATrace) {
    TempMediaDir dir;
    const std::string deep = dir.root() + "\\a/b\\c";
    ASSERT_TRUE(platformMakeFolders(deep));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_TRUE(platformMayWriteFolder(deep));
    EXPECT_TRUE(fs::is_empty(deep)) << "the write probe is left behind";
    EXPECT_FALSE(platformMayWriteFolder(dir.root() + "\\missing"));
}
