#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "math/Clock.h"
#include "sound/SoundPlayer.h"
#include "sound/SoundTestSupport.h"
#include "support/TestSeams.h"

namespace {
std::vector<std::int16_t> constant(int count, int value) {
    return std::vector<std::int16_t>(static_cast<std::size_t>(count),
                                     static_cast<std::int16_t>(value));
}

// Sample i is 10 * i + 1: every index gives a different, non-zero value.
std::vector<std::int16_t> ramp(int count) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < count; ++i) {
        samples.push_back(static_cast<std::int16_t>(10 * i + 1));
    }
    return samples;
}

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override { player.openWithoutDevice(75.0f, &listener, &facing); }
    void TearDown() override { player.close(); }
    // Refills once the clock has passed every start delay within the range.
    void refillLater() {
        now += 1.0;
        player.refill();
    }
    int left(int frame) const { return player.lastMixedBuffer()[frame * 2]; }
    int right(int frame) const { return player.lastMixedBuffer()[frame * 2 + 1]; }

    double now = 100.0;
    ClockOverride clock{[this] { return now; }};
    Vec3 listener{0.0f, 0.0f, 0.0f};
    Vec3 facing{0.0f, 0.0f, 1.0f};
    SoundPlayer player;
};

TEST_F(MixerTest, DirectionSetsGainsLeadsAndMuffling) {
    Vec3 ahead(0.0f, 0.0f, 30.0f);
    Vec3 atRight(-30.0f, 0.0f, 0.0f);  // facing +z with y up, the right is -x
    Vec3 atLeft(30.0f, 0.0f, 0.0f);
    const int aheadSlot = addTestSound(player, constant(5000, 10000));
    const int rightSlot = addTestSound(player, ramp(5000));
    const int leftSlot = addTestSound(player, ramp(5000));
    const float atten = (75.0f - 30.0f) / 75.0f;

    Sound& a = player.sounds[aheadSlot];
    a.heardPosition.store(ahead);
    ASSERT_TRUE(player.updateSpatial(a));
    EXPECT_FLOAT_EQ(a.leftGain, atten);
    EXPECT_FLOAT_EQ(a.rightGain, atten);
    EXPECT_EQ(a.leftLead, 0);
    EXPECT_EQ(a.rightLead, 0);
    EXPECT_EQ(a.muffle, 0.0f);

    Sound& r = player.sounds[rightSlot];
    r.heardPosition.store(atRight);
    ASSERT_TRUE(player.updateSpatial(r));
    EXPECT_FLOAT_EQ(r.rightGain, atten);
    EXPECT_FLOAT_EQ(r.leftGain, 0.0f);
    EXPECT_EQ(r.rightLead, 16);
    EXPECT_EQ(r.leftLead, 0);

    Sound& l = player.sounds[leftSlot];
    l.heardPosition.store(atLeft);
    ASSERT_TRUE(player.updateSpatial(l));
    EXPECT_FLOAT_EQ(l.leftGain, atten);
    EXPECT_FLOAT_EQ(l.rightGain, 0.0f);
    EXPECT_EQ(l.leftLead, 16);
    EXPECT_EQ(l.rightLead, 0);
}

TEST_F(MixerTest, SoundAtTheRightIsHeardEarlyInTheRightEarOnly) {
    Vec3 atRight(-30.0f, 0.0f, 0.0f);
    const int slot = addTestSound(player, ramp(5000));
    player.play(slot, &atRight, 1.0f, false);
    refillLater();
    for (int frame : {0, 1, 500, 1023}) {
        EXPECT_EQ(left(frame), 0) << frame;
        EXPECT_EQ(right(frame), static_cast<int>((10 * (frame + 16) + 1) * 0.6f)) << frame;
    }
}

TEST_F(MixerTest, SoundAheadPlaysAtDistanceGainInBothEars) {
    Vec3 ahead(0.0f, 0.0f, 37.5f);
    const int slot = addTestSound(player, constant(5000, 10000));
    player.play(slot, &ahead, 1.0f, false);
    refillLater();
    EXPECT_EQ(left(0), 5000);  // half way to the range: half level
    EXPECT_EQ(right(0), 5000);
    EXPECT_EQ(left(1023), 5000);
    EXPECT_EQ(player.sounds[slot].playPosition, 1024.0);
}

TEST_F(MixerTest, SoundBehindIsTheMovingMeanOfSixteenSamples) {
    Vec3 behind(0.0f, 0.0f, -30.0f);
    const int slot = addTestSound(player, constant(5000, 10000));
    player.play(slot, &behind, 1.0f, false);
    refillLater();
    const Sound& sound = player.sounds[slot];
    EXPECT_FLOAT_EQ(sound.muffle, 1.0f);
    EXPECT_FLOAT_EQ(sound.dry, 0.0f);
    EXPECT_EQ(sound.leftLead, 0);
    EXPECT_EQ(sound.rightLead, 0);
    // Gained sample 6000; the history starts empty, so the mean builds up.
    EXPECT_EQ(left(0), 6000 / 16);
    EXPECT_EQ(right(0), 6000 / 16);
    EXPECT_EQ(left(7), 6000 * 8 / 16);
    EXPECT_EQ(left(15), 6000);
    EXPECT_EQ(right(600), 6000);
}

TEST_F(MixerTest, SoundAtTheListenerIsCentred) {
    listener.set(5.0f, 0.0f, 5.0f);
    Vec3 above(5.0f, 3.0f, 5.0f);
    const int slot = addTestSound(player, ramp(5000));
    player.play(slot, &above, 1.0f, false);
    refillLater();
    const Sound& sound = player.sounds[slot];
    const float atten = (75.0f - 3.0f) / 75.0f;
    EXPECT_FLOAT_EQ(sound.leftGain, atten);
    EXPECT_FLOAT_EQ(sound.rightGain, atten);
    EXPECT_EQ(sound.leftLead, 0);
    EXPECT_EQ(sound.rightLead, 0);
    EXPECT_EQ(sound.muffle, 0.0f);
    EXPECT_EQ(left(100), right(100));
    EXPECT_EQ(left(100), static_cast<int>(1001 * atten));
}

TEST_F(MixerTest, SoundAtTheRangeIsSilentButAdvancesToItsEnd) {
    Vec3 far(0.0f, 0.0f, 75.0f);
    const int slot = addTestSound(player, constant(3000, 10000));
    player.play(slot, &far, 1.0f, false);
    refillLater();
    EXPECT_EQ(left(0), 0);
    EXPECT_EQ(right(512), 0);
    EXPECT_EQ(player.sounds[slot].playPosition, 1024.0);
    refillLater();
    EXPECT_TRUE(player.isPlaying(slot));
    refillLater();  // indexes 2048 ... reach 3000 - 16
    EXPECT_FALSE(player.isPlaying(slot));
}

TEST_F(MixerTest, DistantSoundWaitsForItsTravelTime) {
    Vec3 fifty(0.0f, 0.0f, 50.0f);
    const int slot = addTestSound(player, constant(5000, 10000));
    player.play(slot, &fifty, 1.0f, false);
    now = 100.099;
    player.refill();
    EXPECT_EQ(left(0), 0);
    EXPECT_EQ(player.sounds[slot].playPosition, 0.0);  // not advanced while waiting
    now = 100.101;
    player.refill();
    EXPECT_EQ(left(0), static_cast<int>(10000 * (25.0f / 75.0f)));
    EXPECT_EQ(player.sounds[slot].playPosition, 1024.0);

    // At the listener there is no travel time: mixed in the very next refill,
    // even on a millisecond whose start time, kept as a float, rounds up.
    now = 0.001;  // the float nearest 0.001 lies above it
    ASSERT_GT(static_cast<double>(static_cast<float>(now)), now);
    const int nearSlot = addTestSound(player, constant(5000, 10000));
    player.play(nearSlot, &listener, 1.0f, false);
    player.refill();
    EXPECT_EQ(player.sounds[nearSlot].playPosition, 1024.0);
}

// Paused, the output gets silence and no sound moves on, the travel time of a
// distant one included; resumed, each goes on from where it stood.
TEST_F(MixerTest, PauseHoldsEverySoundWhereItIs) {
    Vec3 fifty(0.0f, 0.0f, 50.0f);
    const int nearSlot = addTestSound(player, ramp(5000));
    const int farSlot = addTestSound(player, constant(5000, 10000));
    player.play(nearSlot, &listener, 1.0f, false);
    player.play(farSlot, &fifty, 1.0f, false);  // heard from 100.1 on
    player.refill();
    ASSERT_EQ(player.sounds[nearSlot].playPosition, 1024.0);

    player.pause();
    now = 110.0;  // long past the distant one's travel time
    player.refill();
    EXPECT_EQ(left(0), 0);
    EXPECT_EQ(player.sounds[nearSlot].playPosition, 1024.0);
    EXPECT_EQ(player.sounds[farSlot].playPosition, 0.0);
    EXPECT_TRUE(player.stillToBeHeard(nearSlot));

    player.resume();  // at 110: 10 s paused, 0.1 s of travel still to go
    now = 110.05;
    player.refill();
    EXPECT_EQ(player.sounds[nearSlot].playPosition, 2048.0);
    EXPECT_EQ(left(0), ramp(5000)[1024]);  // on from the sample after the last it played
    EXPECT_EQ(player.sounds[farSlot].playPosition, 0.0);
    now = 110.11;
    player.refill();
    EXPECT_EQ(player.sounds[farSlot].playPosition, 1024.0);
}

TEST_F(MixerTest, ApproachingSoundRisesByATenthPerUnit) {
    Vec3 source(0.0f, 0.0f, 30.0f);
    const int slot = addTestSound(player, constant(20000, 1000));
    player.play(slot, &source, 1.0f, false);
    refillLater();
    EXPECT_FLOAT_EQ(player.sounds[slot].rate, 1.0f);
    source.z = 29.0f;
    player.followPositions();
    refillLater();
    EXPECT_NEAR(player.sounds[slot].rate, 1.1f, 1e-5f);
    // The block started at 1024 and went on 1024 steps of 1.1.
    EXPECT_DOUBLE_EQ(player.sounds[slot].playPosition,
                     1024.0 + 1024.0 * static_cast<double>(player.sounds[slot].rate));
}

TEST_F(MixerTest, MixerHearsThePlacesTheGameLastHandedOver) {
    Vec3 source(0.0f, 0.0f, 37.5f);
    const int slot = addTestSound(player, constant(50000, 10000));
    player.play(slot, &source, 1.0f, false);
    refillLater();
    EXPECT_EQ(left(0), 5000);
    // A step farther, and the listener turned round: not heard until handed over.
    source.z = 38.5f;
    facing.z = -1.0f;
    refillLater();
    EXPECT_EQ(left(0), 5000);
    EXPECT_EQ(player.sounds[slot].muffle, 0.0f);
    player.followPositions();
    refillLater();
    EXPECT_FLOAT_EQ(player.sounds[slot].muffle, 1.0f);
    EXPECT_NEAR(player.sounds[slot].rate, 0.9f, 1e-5f);
    EXPECT_EQ(right(1023), static_cast<int>(10000 * ((75.0f - 38.5f) / 75.0f)));
}

TEST_F(MixerTest, SoundOfAnOutputThatStoppedMixingCountsAsHeard) {
    const int slot = addTestSound(player, constant(50000, 1000));
    player.play(slot, &listener, 1.0f, false);
    refillLater();
    EXPECT_TRUE(player.stillToBeHeard(slot));
    // Two seconds of real time without a buffer mixed: it cannot end.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_FALSE(player.stillToBeHeard(slot));
    EXPECT_TRUE(player.isPlaying(slot));
    player.refill();  // the output goes on
    EXPECT_TRUE(player.stillToBeHeard(slot));
    EXPECT_FALSE(player.stillToBeHeard(slot + 1));
}

TEST_F(MixerTest, SoundEndsSixteenSamplesBeforeItsLast) {
    const int slot = addTestSound(player, constant(1041, 1000));
    const int tiny = addTestSound(player, constant(5, 1000));
    player.play(slot, &listener, 1.0f, false);
    player.play(tiny, &listener, 1.0f, false);
    refillLater();
    EXPECT_FALSE(player.isPlaying(tiny));  // too short to be heard at all
    EXPECT_TRUE(player.isPlaying(slot));
    EXPECT_EQ(left(1023), 1000);
    refillLater();
    EXPECT_EQ(left(0), 1000);  // index 1024, the last below 1041 - 16
    EXPECT_EQ(left(1), 0);
    EXPECT_FALSE(player.isPlaying(slot));
    EXPECT_EQ(player.sounds[slot].playPosition, 1025.0);
}

TEST_F(MixerTest, PlayDoesNotRestartAPlayingSound) {
    const int slot = addTestSound(player, constant(5000, 1000));
    player.play(slot, &listener, 1.0f, false);
    refillLater();
    player.play(slot, &listener, 2.0f, false);
    EXPECT_EQ(player.sounds[slot].playPosition, 1024.0);
    EXPECT_EQ(player.sounds[slot].baseRate, 1.0f);
    EXPECT_FALSE(player.isPlaying(slot + 1));
    EXPECT_FALSE(player.isPlaying(-1));
}

TEST_F(MixerTest, EachSoundIsClippedInSlotOrder) {
    for (int value : {30000, 30000, -30000}) {
        addTestSound(player, constant(5000, value));
    }
    for (int slot = 0; slot < 3; ++slot) {
        player.play(slot, &listener, 1.0f, false);
    }
    refillLater();
    EXPECT_EQ(left(0), 32767 - 30000);
    EXPECT_EQ(right(1023), 32767 - 30000);
}

TEST_F(MixerTest, NegativeSumsStopAtMinus32767) {
    for (int value : {-32768, -30000, 30000}) {
        addTestSound(player, constant(5000, value));
    }
    player.play(0, &listener, 1.0f, false);
    player.play(1, &listener, 1.0f, false);
    refillLater();
    EXPECT_EQ(left(0), -32767);
    player.play(2, &listener, 1.0f, false);
    refillLater();
    EXPECT_EQ(left(0), -32767 + 30000);
}

TEST_F(MixerTest, RecedingFastPlaysBackwardsAndEndsBeforeIndexZero) {
    Vec3 source(0.0f, 0.0f, 10.0f);
    const int slot = addTestSound(player, constant(5000, 10000));
    player.play(slot, &source, 0.1f, false);
    refillLater();
    EXPECT_DOUBLE_EQ(player.sounds[slot].playPosition, 1024.0 * static_cast<double>(0.1f));
    source.z = 30.0f;  // 20 units away since the last refill: rate 0.1 - 2
    player.followPositions();
    refillLater();
    EXPECT_LT(player.sounds[slot].rate, 0.0f);
    EXPECT_FALSE(player.isPlaying(slot));
    // 102.4 - 1.9 j stays above -1 up to j = 54.
    EXPECT_EQ(left(54), 6000);
    EXPECT_EQ(left(55), 0);
}

// Block after block a sound steps through its samples as if there were no blocks:
// where one meets the next no sample is mixed twice and none is skipped, a rate
// that is not whole keeps its fraction across the join, and the sound ends on the
// frame after its last playable sample, in the block the steps reach it.
TEST_F(MixerTest, BlocksJoinWithoutRepeatingOrSkippingASample) {
    constexpr int LENGTH = 3500;
    std::vector<std::int16_t> numbered;  // sample i is i + 1, so silence shows the end
    for (int i = 0; i < LENGTH; ++i) {
        numbered.push_back(static_cast<std::int16_t>(i + 1));
    }
    for (float rate : {1.0f, 0.75f, 1.3f}) {  // each step exact in a double
        std::vector<int> expected;
        for (double index = 0.0; index < LENGTH - 16; index += static_cast<double>(rate)) {
            expected.push_back(static_cast<int>(index) + 1);
        }
        // The block that reaches the end is silent from there on.
        expected.resize((expected.size() / MIX_FRAMES_PER_BLOCK + 1) * MIX_FRAMES_PER_BLOCK, 0);
        const int slot = addTestSound(player, numbered);
        player.play(slot, &listener, rate, false);
        std::vector<int> heard;
        for (int block = 0; block < 8 && player.isPlaying(slot); ++block) {
            refillLater();
            for (int frame = 0; frame < MIX_FRAMES_PER_BLOCK; ++frame) {
                heard.push_back(left(frame));
            }
        }
        const auto differ =
            std::mismatch(heard.begin(), heard.end(), expected.begin(), expected.end());
        EXPECT_TRUE(differ.first == heard.end() && differ.second == expected.end())
            << "rate " << rate << ": frame " << (differ.first - heard.begin()) << " of "
            << heard.size() << " heard, " << expected.size() << " expected";
    }
}

TEST_F(MixerTest, LoopingSoundRestartsWithoutAGap) {
    const int slot = addTestSound(player, ramp(600));
    player.play(slot, &listener, 1.0f, true);
    refillLater();
    EXPECT_EQ(left(583), 10 * 583 + 1);  // the last index below 600 - 16
    EXPECT_EQ(left(584), 1);             // index 0 again, on the very next frame
    EXPECT_EQ(left(1023), 10 * (1023 - 584) + 1);
    refillLater();
    EXPECT_TRUE(player.isPlaying(slot));
}

TEST_F(MixerTest, LoopingSoundTooShortToPlayEnds) {
    const int slot = addTestSound(player, constant(16, 1000));
    player.play(slot, &listener, 1.0f, true);
    refillLater();
    EXPECT_FALSE(player.isPlaying(slot));
}

TEST_F(MixerTest, RefillAdvancesThroughTheRingAndAlternatesBuffers) {
    const int slot = addTestSound(player, constant(200000, 1000));
    player.play(slot, &listener, 1.0f, true);
    for (int block = 0; block < 33; ++block) {
        const bool intoA = player.nextBufferIsA;
        refillLater();
        EXPECT_EQ(player.lastMixedBuffer(), intoA ? player.bufferA : player.bufferB);
        EXPECT_EQ(left(0), 1000) << block;  // the ring block was zeroed after use
    }
    EXPECT_EQ(player.writeCursor, 2048u);
}

TEST(SoundPlayerLifetime, CloseOnANeverOpenedPlayerDoesNothing) {
    SoundPlayer player;
    player.close();
    EXPECT_FALSE(player.deviceOpen.load());
    EXPECT_EQ(player.mixRing, nullptr);
    EXPECT_EQ(player.soundCount.load(), 0);
}

// A silent sound advances and ends with the heard one beside it, block for
// block, and adds nothing: not even the muffling average from behind.
TEST_F(MixerTest, ASilentSoundKeepsItsPlaceAndLengthAndIsNotHeard) {
    Vec3 ahead(0.0f, 0.0f, 30.0f), behind(0.0f, 0.0f, -30.0f);
    const int heard = addTestSound(player, constant(3000, 10000));
    const int silent = addTestSound(player, constant(3000, 8000));
    player.setSilent(silent, true);
    player.play(heard, &ahead, 1.0f, false);
    player.play(silent, &behind, 1.0f, false);
    for (int refill = 1; refill <= 3; ++refill) {
        refillLater();
        EXPECT_EQ(player.sounds[silent].playPosition, player.sounds[heard].playPosition) << refill;
        EXPECT_EQ(player.isPlaying(silent), refill < 3) << refill;  // as long as the heard one
        EXPECT_EQ(right(1000), refill < 3 ? 6000 : 0) << refill;  // the heard sound alone
    }
}

TEST(SoundPlayerLifetime, WithoutARunningMixerNothingStartsPlaying) {
    SoundPlayer player;
    Vec3 here;
    const int slot = addTestSound(player, constant(5000, 1000));
    player.play(slot, &here, 1.0f, false);
    EXPECT_FALSE(player.isPlaying(slot));
    player.close();  // frees the samples of a player that never opened
    EXPECT_EQ(player.sounds[slot].samples, nullptr);
    EXPECT_EQ(player.soundCount.load(), 0);
}

TEST(SoundPlayerLifetime, CloseEndsPlayingSoundsAndEmptiesTheSlots) {
    SoundPlayer player;
    Vec3 here;
    Vec3 facing(0.0f, 0.0f, 1.0f);
    player.openWithoutDevice(75.0f, &here, &facing);
    const int slot = addTestSound(player, constant(5000, 1000));
    player.play(slot, &here, 1.0f, true);
    ASSERT_TRUE(player.isPlaying(slot));
    player.close();
    EXPECT_FALSE(player.sounds[slot].playing.load());
    EXPECT_EQ(player.sounds[slot].samples, nullptr);
    EXPECT_FALSE(player.isPlaying(slot));
    EXPECT_EQ(player.mixRing, nullptr);
}
}  // namespace
