// The player on a real output: SDL's silent and file-writing drivers play at the
// pace and in the format a sound card would, with no sound card present.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "sound/SoundPlayer.h"
#include "sound/SoundTestSupport.h"
#include "support/TempMediaDir.h"

namespace {
using Clock = std::chrono::steady_clock;

// Waits at most a few seconds for the slot to stop playing.
bool waitUntilSilent(const SoundPlayer& player, int slot) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
    while (player.isPlaying(slot)) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class SoundDeviceTest : public ::testing::Test {
protected:
    void TearDown() override {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_DISKAUDIODELAY");
    }
    Vec3 listener;
    Vec3 facing{0.0f, 0.0f, 1.0f};
};

TEST_F(SoundDeviceTest, PlayedSoundEndsInRealTime) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundPlayer player;
    player.open(75.0f, &listener, &facing);
    ASSERT_TRUE(player.deviceOpen.load());
    const int slot = addTestSound(player, std::vector<std::int16_t>(3000, 1000));
    const Clock::time_point start = Clock::now();
    player.play(slot, &listener, 1.0f, false);
    EXPECT_TRUE(player.isPlaying(slot));
    ASSERT_TRUE(waitUntilSilent(player, slot));
    // Three buffers of 92.9 ms are mixed; the first comes at once or after one.
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(150));
    player.close();
    EXPECT_FALSE(player.deviceOpen.load());
}

// The game plays on in silence, and says once why it is quiet.
TEST_F(SoundDeviceTest, BrokenDriverFallsBackToSilentOutput) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundPlayer player;
    testing::internal::CaptureStderr();
    player.open(75.0f, &listener, &facing);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1) << written;
    EXPECT_EQ(written.rfind("zorbak: no sound device", 0), 0u) << written;
    EXPECT_NE(written.find("no-such-driver"), std::string::npos) << written;
    ASSERT_TRUE(player.deviceOpen.load());
    EXPECT_FALSE(player.deviceFailed);
    const int slot = addTestSound(player, std::vector<std::int16_t>(1100, 1000));
    player.play(slot, &listener, 1.0f, false);
    EXPECT_TRUE(waitUntilSilent(player, slot));
}

TEST_F(SoundDeviceTest, OutputCarriesTheMixedSoundWhole) {
    TempMediaDir folder;
    const std::string output = folder.root() + "/out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    SoundPlayer player;
    player.open(75.0f, &listener, &facing);
    ASSERT_TRUE(player.deviceOpen.load());
    const int slot = addTestSound(player, std::vector<std::int16_t>(3000, 1234));
    player.play(slot, &listener, 1.0f, false);
    ASSERT_TRUE(waitUntilSilent(player, slot));
    player.close();

    std::ifstream in(output, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size() % 4, 0u);
    int soundFrames = 0;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        if (bytes.compare(at, 4, le16(1234) + le16(1234)) == 0) {
            ++soundFrames;
        }
    }
    // Indexes 0 ... 2983, each once, all the way from the mixer to the output.
    EXPECT_EQ(soundFrames, 3000 - 16);
}
}  // namespace
