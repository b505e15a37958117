#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

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

TEST(UserFoldersTest, DataFolderFollowsTheBaseDirectoryRules) {
    ScopedVariable home("HOME", std::string("/home/player"));
    {
        ScopedVariable dataHome("XDG_DATA_HOME", std::string("/data/share"));
        EXPECT_EQ(platformUserDataFolder(), "/data/share");
    }
    ScopedVariable relativeDataHome("XDG_DATA_HOME", std::string("relative/share"));
    EXPECT_EQ(platformUserDataFolder(), "/home/player/.local/share");
    ScopedVariable noHome("HOME", std::nullopt);
    EXPECT_EQ(platformUserDataFolder(), "");
}

// Decided on the real path: a link into /usr is the system's.
TEST(UserFoldersTest, SystemFoldersAreThoseUnderUsr) {
    const std::string scratch = std::filesystem::temp_directory_path() / ("zf-system-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    std::filesystem::create_directory_symlink("/usr/share", scratch + "/link-into-usr");
    const std::pair<std::string, bool> cases[] = {
        {"/usr", true},   {"/usr/share/", true},           {scratch + "/link-into-usr", true},
        {scratch, false}, {scratch + "/missing", false}, {"", false},
    };
    for (const auto& [folder, system] : cases) {
        EXPECT_EQ(platformIsSystemFolder(folder), system) << folder;
    }
    std::filesystem::remove_all(scratch);
}
