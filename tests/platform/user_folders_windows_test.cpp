#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/UserFolders.h"
#include "support/TempMediaDir.h"

namespace fs = std::filesystem;

TEST(UserFoldersWindowsTest, ConfigFolderIsAppDataWhenItIsAbsolute) {
    const std::string saved = std::getenv("APPDATA") != nullptr ? std::getenv("APPDATA") : "";
    const struct {
        const char* appData;
        bool taken;
    } cases[] = {
        {"C:\\Users\\player\\AppData\\Roaming", true},
        {"D:/roaming", true},
        {"\\\\server\\share\\roaming", true},
        {"roaming", false},  // relative: the shell's own answer instead
    };
    for (const auto& c : cases) {
        setenv("APPDATA", c.appData, 1);
        const std::string folder = platformUserConfigFolder();
        if (c.taken) {
            EXPECT_EQ(folder, c.appData);
        } else {
            EXPECT_TRUE(fs::path(folder).is_absolute()) << c.appData << " gave " << folder;
        }
    }
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
