#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/MediaPath.h"
#include "platform/ExecutablePath.h"
#include "support/TempMediaDir.h"

TEST(MediaPathTest, NameGoesIntoMediaBesideTheExecutable) {
    TempMediaDir dir;
    char path[MAX_PATH_LENGTH];
    ASSERT_TRUE(makeMediaPath(path, "splash.jpg"));
    const char separator = PLATFORM_PATH_SEPARATOR;
    EXPECT_EQ(std::string(path), dir.root() + separator + "media" + separator + "splash.jpg");

    char inPlace[MAX_PATH_LENGTH] = "zq.a3f";
    ASSERT_TRUE(makeMediaPathInPlace(inPlace));
    EXPECT_EQ(std::string(inPlace), dir.mediaPath("zq.a3f"));
}

TEST(MediaPathTest, PathThatDoesNotFitIsRefused) {
    TempMediaDir dir;
    const std::size_t prefix = dir.root().size() + std::strlen("/media/");
    ASSERT_LT(prefix, MAX_PATH_LENGTH - 2);

    // 259 characters plus the terminating NUL fit exactly.
    std::string longest(MAX_PATH_LENGTH - 1 - prefix, 'a');
    char path[MAX_PATH_LENGTH];
    ASSERT_TRUE(makeMediaPath(path, longest.c_str()));
    EXPECT_EQ(std::strlen(path), MAX_PATH_LENGTH - 1);

    std::string tooLong = longest + "b";
    std::memset(path, 'x', sizeof(path));
    EXPECT_FALSE(makeMediaPath(path, tooLong.c_str()));
    EXPECT_EQ(path[0], '\0');

    char inPlace[MAX_PATH_LENGTH];
    std::snprintf(inPlace, sizeof(inPlace), "%s", tooLong.c_str());
    EXPECT_FALSE(makeMediaPathInPlace(inPlace));
    EXPECT_EQ(inPlace[0], '\0');
}
