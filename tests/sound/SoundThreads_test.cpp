// The mixer on the output's own thread, while the game's thread moves what it
// hears. Built with the thread sanitizer, this proves the two share no data race.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "sound/SoundPlayer.h"
#include "sound/SoundTestSupport.h"

namespace {
TEST(SoundThreads, GameMovesWhatTheMixerHearsWhileTheOutputRuns) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Vec3 listener;
    Vec3 facing(0.0f, 0.0f, 1.0f);
    Vec3 source(0.0f, 0.0f, 10.0f);
    SoundPlayer player;
    player.open(75.0f, &listener, &facing);
    ASSERT_TRUE(player.deviceOpen.load());
    const int slot = addTestSound(player, std::vector<std::int16_t>(20000, 1000));
    player.play(slot, &source, 1.0f, true);
    // About four buffers of game steps, each moving the sound and the listener.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    for (int step = 0; std::chrono::steady_clock::now() < end; ++step) {
        // The pause and its end change the clock the mixer reads.
        step % 20 < 10 ? player.resume() : player.pause();
        source.x += 0.01f;
        listener.z += 0.01f;
        facing.x = -facing.x;
        player.followPositions();
        EXPECT_TRUE(player.stillToBeHeard(slot));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    player.close();
    EXPECT_FALSE(player.stillToBeHeard(slot));
    unsetenv("SDL_AUDIODRIVER");
}
}  // namespace
