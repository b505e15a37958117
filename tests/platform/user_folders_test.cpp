#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/UserFolders.h"

namespace {

// Sets an environment variable for the test's length (unset for nullopt).
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        set(value);
    }
    ~ScopedVariable() { set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(UserFoldersTest, ConfigFolderFollowsTheBaseDirectoryRules) {
    ScopedVariable home("HOME", std::string("/home/player"));
    {
        // The data folder follows the same rules.
        ScopedVariable dataHome("XDG_DATA_HOME", std::string("relative/share"));
        EXPECT_EQ(platformUserDataFolder(), "/home/player/.local/share");
    }
    {
        ScopedVariable configHome("XDG_CONFIG_HOME", std::string("/data/conf"));
        EXPECT_EQ(platformUserConfigFolder(), "/data/conf");
    }
    for (const char* ignored : {"", "relative/conf"}) {
        ScopedVariable configHome("XDG_CONFIG_HOME", std::string(ignored));
        EXPECT_EQ(platformUserConfigFolder(), "/home/player/.config") << "XDG_CONFIG_HOME=" << ignored;
    }
    ScopedVariable noConfigHome("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(platformUserConfigFolder(), "/home/player/.config");
    ScopedVariable noHome("HOME", std::nullopt);
    EXPECT_EQ(platformUserConfigFolder(), "");
}

// Decided on the real path: a link into /usr is the system's.
TEST(UserFoldersTest, SystemFoldersAreThoseUnderUsr) {
    const std::string link = std::filesystem::temp_directory_path() / ("zf-usr-" + std::to_string(getpid()));
    std::filesystem::create_directory_symlink("/usr/share", link);
    EXPECT_TRUE(platformIsSystemFolder("/usr/share/"));
    EXPECT_TRUE(platformIsSystemFolder(link));
    EXPECT_FALSE(platformIsSystemFolder(std::filesystem::temp_directory_path()));
    EXPECT_FALSE(platformIsSystemFolder(""));
    std::filesystem::remove(link);
}
