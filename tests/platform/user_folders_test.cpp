#include <gtest/gtest.h>

#include <cstdlib>
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
