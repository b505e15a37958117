// Replays: every record comes back with the very bits it was recorded with, and
// bytes that are not a replay of this version are refused with what is wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <utility>

#include "app/FrameTick.h"
#include "app/ReplayFile.h"
#include "core/GameVersion.h"
#include "support/TempMediaDir.h"

namespace {

std::uint32_t bits(float value) {
    std::uint32_t result = 0;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

void expectSameTicks(const std::vector<TickInput>& actual, const std::vector<TickInput>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const TickInput& a = actual[i];
        const TickInput& e = expected[i];
        EXPECT_EQ(bits(a.stepSeconds), bits(e.stepSeconds)) << "tick " << i;
        EXPECT_EQ(bits(a.steerX), bits(e.steerX)) << "tick " << i;
        EXPECT_EQ(bits(a.steerY), bits(e.steerY)) << "tick " << i;
        const bool flagsA[] = {a.hike.held, a.hike.pressed, a.kick.held, a.kick.pressed,
                               a.pausePressed, a.focusLost, a.scoreSoundsHeard};
        const bool flagsE[] = {e.hike.held, e.hike.pressed, e.kick.held, e.kick.pressed,
                               e.pausePressed, e.focusLost, e.scoreSoundsHeard};
        EXPECT_TRUE(std::equal(flagsA, flagsA + 7, flagsE)) << "tick " << i;
    }
}

// Ticks of random buttons, steps and steering, each steering kept for a while
// (as between moves of the pointer), with the edge values among them.
std::vector<TickInput> randomTicks(unsigned seed, int count) {
    const float edges[] = {-1.0f, 1.0f, -0.0f, 0.0f, std::numeric_limits<float>::denorm_min(),
                           -std::numeric_limits<float>::min(), std::nextafter(1.0f, 0.0f)};
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> steer(-1.0f, 1.0f);
    std::uniform_real_distribution<float> step(TICK_SECONDS, 0.1f);
    std::vector<TickInput> ticks(static_cast<std::size_t>(count));
    TickInput last;
    for (TickInput& tick : ticks) {
        const unsigned draw = random();
        tick = last;
        tick.hike = {(draw & 1) != 0, (draw & 2) != 0};
        tick.kick = {(draw & 4) != 0, (draw & 8) != 0};
        tick.pausePressed = (draw & 16) != 0;
        tick.focusLost = (draw & 32) != 0;
        tick.scoreSoundsHeard = (draw & 64) != 0;
        tick.stepSeconds = (draw & 0x300) == 0 ? TICK_SECONDS : step(random);
        if ((draw & 0xc00) != 0) {
            tick.steerX = (draw & 0x1000) != 0 ? edges[draw % 7] : steer(random);
            tick.steerY = (draw & 0x2000) != 0 ? edges[(draw >> 3) % 7] : steer(random);
        }
        last = tick;
    }
    // Every edge follows every other, -0 and 0 both ways among them.
    for (std::size_t i = 0; i < ticks.size() && i < 49; ++i) {
        ticks[i].steerX = edges[i % 7];
        ticks[i].steerY = edges[i / 7];
    }
    if (!ticks.empty()) {
        ticks.back().stepSeconds = REPLAY_MAX_STEP_SECONDS;
    }
    return ticks;
}

Replay replayOf(const std::string& label, std::vector<TickInput> ticks, std::uint32_t randomState = 7) {
    Replay replay;
    replay.start.label = label;
    replay.start.randomState = randomState;
    replay.ticks = std::move(ticks);
    return replay;
}

}  // namespace

TEST(ReplayFileTest, EveryRecordDecodesToTheBitsItWasRecordedWith) {
    const struct {
        bool lights, music, hiQualTex;
        std::uint32_t randomState;
        std::string label;
        int tickCount;
    } cases[] = {{false, false, false, 0, "", 0},
                 {true, false, true, 0xffffffffu, "GAME OVER", 1},
                 {false, true, false, 12345, std::string(REPLAY_LABEL_MAX_CHARS, '~'), 3000}};
    for (const auto& c : cases) {
        Replay replay = replayOf(c.label, randomTicks(static_cast<unsigned>(c.tickCount), c.tickCount), c.randomState);
        replay.start.lights = c.lights;
        replay.start.music = c.music;
        replay.start.hiQualTex = c.hiQualTex;
        const std::vector<std::uint8_t> bytes = encodeReplay(replay);
        const ReplayReading reading = decodeReplay(bytes.data(), bytes.size());
        ASSERT_TRUE(reading.status.ok()) << reading.status.detail;
        const ReplayStart& start = reading.replay.start;
        EXPECT_EQ(start.lights, c.lights);
        EXPECT_EQ(start.music, c.music);
        EXPECT_EQ(start.hiQualTex, c.hiQualTex);
        EXPECT_EQ(start.randomState, c.randomState);
        EXPECT_EQ(start.label, c.label);
        expectSameTicks(reading.replay.ticks, replay.ticks);
    }
}

// Each way bytes can fail, made from a good replay of two ticks whose second
// steers: the problem, its detail, and the sentence the player reads.
TEST(ReplayFileTest, BytesThatCannotBePlayedBackSayWhatIsWrong) {
    std::vector<TickInput> ticks(2);
    ticks[0].stepSeconds = ticks[1].stepSeconds = TICK_SECONDS;
    ticks[1].steerX = 0.5f;
    const std::vector<std::uint8_t> good = encodeReplay(replayOf("", ticks));
    const std::size_t version = 10;  // after the tag and the format number
    const std::size_t options = version + 1 + std::strlen(gameVersion());
    const std::size_t count = options + 6;
    const std::size_t secondTick = good.size() - 13;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const auto with = [&good](std::size_t at, const void* value, std::size_t size) {
        std::vector<std::uint8_t> bytes = good;
        std::memcpy(&bytes[at], value, size);
        return bytes;
    };
    std::vector<std::uint8_t> older(good.begin(), good.begin() + version);
    older.insert(older.end(), {5, '0', '.', '9', '.', '0'});
    older.insert(older.end(), good.begin() + options, good.end());
    const float outside = 1.5f;
    const float tooShort = TICK_SECONDS / 2;
    const struct {
        std::vector<std::uint8_t> bytes;
        ReplayProblem problem;
        const char* said;  // in the detail and the sentence
    } cases[] = {
        {with(0, "ZFREPLAX", 8), REPLAY_NOT_A_REPLAY, "not a replay file"},
        {older, REPLAY_OTHER_VERSION, "version 0.9.0 of the game"},
        {with(options, "\x08", 1), REPLAY_DAMAGED, "options or its label are garbled"},
        {with(count, "\x04", 1), REPLAY_DAMAGED, "18 bytes cannot hold 4 ticks"},
        {std::vector<std::uint8_t>(good.begin(), good.end() - 1), REPLAY_DAMAGED, "cut short in tick 2 of 2"},
        {with(secondTick + 1, &nan, 4), REPLAY_DAMAGED, "impossible step's time in tick 2"},
        {with(secondTick + 1, &tooShort, 4), REPLAY_DAMAGED, "impossible step's time in tick 2"},
        {with(secondTick + 9, &outside, 4), REPLAY_DAMAGED, "impossible steering in tick 2"},
    };
    for (const auto& c : cases) {
        const ReplayReading reading = decodeReplay(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(reading.status.problem, c.problem) << c.said;
        EXPECT_TRUE(reading.replay.ticks.empty()) << c.said;
        const std::string sentence = replayProblemSentence(reading.status);
        EXPECT_NE(sentence.find(c.said), std::string::npos) << sentence;
    }
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_EQ(decodeReplay(longer.data(), longer.size()).status.detail, "1 bytes more than its 2 ticks hold");
    EXPECT_EQ(replayProblemSentence(decodeReplay(older.data(), older.size()).status),
              "The best game's replay was recorded by version 0.9.0 of the game; this is version " +
                  std::string(gameVersion()) + ", which cannot play it back.");
}

// The file: only plain files, a bound before reading, and a save that keeps the
// old file when the new one could not be played back.
TEST(ReplayFileTest, TheFileIsReadWithABoundAndOnlyAPlayableReplayIsSaved) {
    TempMediaDir dir;
    const std::string path = dir.mediaPath("best.replay");
    EXPECT_EQ(readReplayFile(path).status.problem, REPLAY_MISSING);
    const Replay replay = replayOf("GAME OVER", randomTicks(1, 50));
    ASSERT_TRUE(writeReplayFile(path, replay).ok());
    const ReplayReading reading = readReplayFile(path);
    ASSERT_TRUE(reading.status.ok());
    expectSameTicks(reading.replay.ticks, replay.ticks);

    Replay unplayable = replay;
    unplayable.ticks[3].steerY = std::numeric_limits<float>::infinity();
    const ReplayStatus refused = writeReplayFile(path, unplayable);
    EXPECT_EQ(refused.problem, REPLAY_NOT_WRITTEN);
    EXPECT_EQ(refused.detail, "impossible steering in tick 4 of 50");
    EXPECT_TRUE(readReplayFile(path).status.ok()) << "the old file is kept";

    std::filesystem::resize_file(path, REPLAY_MAX_BYTES + 1);
    EXPECT_EQ(readReplayFile(path).status.problem, REPLAY_TOO_LARGE);
    EXPECT_EQ(readReplayFile(dir.mediaPath("")).status.problem, REPLAY_UNREADABLE);
}
