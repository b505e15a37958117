// The look for a sound output before the game opens its own: the driver SDL is
// told to use either opens or is reported with the library's reason, and the
// silent stand-in the game falls back to never counts as an output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/AudioDevice.h"

TEST(AudioProbeTest, OnlyADriverThatOpensCountsAsAnOutput) {
    const struct {
        const char* driver;
        bool opens;
    } cases[] = {{"dummy", true}, {"no-such-driver", false}, {"dummy", true}};
    for (const auto& probe : cases) {
        setenv("SDL_AUDIODRIVER", probe.driver, 1);
        std::string reason = "left from before";
        EXPECT_EQ(platformAudioOutputOpens(reason), probe.opens) << probe.driver;
        if (probe.opens) {
            EXPECT_EQ(reason, "") << probe.driver;
        } else {
            EXPECT_NE(reason.find(probe.driver), std::string::npos) << reason;
        }
    }
    unsetenv("SDL_AUDIODRIVER");
}
