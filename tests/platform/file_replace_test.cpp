#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/FileReplace.h"
#include "support/TempMediaDir.h"

namespace fs = std::filesystem;

namespace {

mode_t modeOf(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

}  // namespace

// Links planted where a save puts its temporary file, or in the file's own place:
// the file a link names keeps its bytes and its mode, and a link at a temporary
// name is left standing. With every temporary name taken the save fails.
TEST(FileReplaceTest, ASaveNeverWritesThroughALink) {
    const struct {
        const char* what;
        int linkedNames;  // temporary names holding a link, from the first
        bool linkAtFile;  // the saved file itself is a link to the secret
        bool saved;
    } cases[] = {
        {"first temporary name", 1, false, true},
        {"every temporary name", REPLACE_FILE_TEMPORARY_NAMES, false, false},
        {"the file itself", 0, true, true},
    };
    for (const auto& c : cases) {
        TempMediaDir dir;
        const std::string secret = dir.mediaPath("secret");
        const std::string nowhere = dir.mediaPath("nowhere");  // a link to nothing must make nothing
        const std::string path = dir.mediaPath("scores");
        dir.write("secret", "kept");
        ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
        for (int attempt = 0; attempt < c.linkedNames; ++attempt) {
            fs::create_symlink(attempt % 2 == 0 ? secret : nowhere, replaceFileTemporaryName(path, attempt));
        }
        if (c.linkAtFile) {
            fs::create_symlink(secret, path);
        }
        EXPECT_EQ(platformReplaceFile(path, "new table"), c.saved) << c.what;
        EXPECT_EQ(dir.read("secret"), "kept") << c.what;
        EXPECT_EQ(modeOf(secret), 0600u) << c.what;
        EXPECT_FALSE(fs::exists(nowhere)) << c.what;
        EXPECT_EQ(fs::is_regular_file(fs::symlink_status(path)), c.saved) << c.what;
        if (c.saved) {
            EXPECT_EQ(dir.read("scores"), "new table") << c.what;
        }
        for (int attempt = 0; attempt < REPLACE_FILE_TEMPORARY_NAMES; ++attempt) {
            EXPECT_EQ(fs::is_symlink(replaceFileTemporaryName(path, attempt)), attempt < c.linkedNames)
                << c.what << " " << attempt;
        }
    }
}
