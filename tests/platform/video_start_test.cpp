// SDL's video start without a display: it falls back to drivers that draw into
// memory, which must count as no display unless the player asked for one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/Window.h"

namespace {

void forgetEveryDisplay() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace

TEST(VideoStart, InvisibleFallbackCountsAsNoDisplay) {
    forgetEveryDisplay();
    EXPECT_FALSE(platformInitVideo());
    const std::string failure = platformWindowFailure();
    EXPECT_NE(failure.find("DISPLAY is not set"), std::string::npos) << failure;
    EXPECT_NE(failure.find("shows nothing"), std::string::npos) << failure;
}

TEST(VideoStart, InvisibleDriverThePlayerChoseIsKept) {
    forgetEveryDisplay();
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    EXPECT_TRUE(platformInitVideo()) << platformWindowFailure();
    unsetenv("SDL_VIDEODRIVER");
}
