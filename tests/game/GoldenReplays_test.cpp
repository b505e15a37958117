// Recorded games played back without a window: the game is a function of its
// start and its records, so each must show the same labels and end with the same
// score as when it was recorded (tools/golden_replays).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Engine.h"
#include "app/ReplayFile.h"
#include "game/Game.h"
#include "math/Random.h"

namespace {

struct Golden {
    const char* file;
    std::vector<std::string> labels;  // each text the label showed, once in a row
    int score;
};

const Golden GOLDENS[] = {
    {"corners-touchdown.replay",
     {"SCORE: 0", "2nd Down", "3rd Down", "4th Down", "TOUCH DOWN!", "SCORE: 7"}, 7},
    {"field-goal.replay", {"SCORE: 0", "FIELD GOAL!", "SCORE: 3"}, 3},
    {"missed-kick.replay", {"SCORE: 0", "GAME OVER"}, 0},
    {"fourth-down-loss.replay", {"SCORE: 0", "2nd Down", "3rd Down", "4th Down", "GAME OVER"}, 0},
    {"pauses.replay", {"SCORE: 0", "PAUSED", "SCORE: 0", "PAUSED", "SCORE: 0", "2nd Down"}, 0},
    {"tap-between-ticks.replay", {"SCORE: 0", "2nd Down"}, 0},
};

}  // namespace

TEST(GoldenReplaysTest, EachPlaysBackAsItWasPlayed) {
    for (const Golden& golden : GOLDENS) {
        SCOPED_TRACE(golden.file);
        const ReplayReading reading = readReplayFile(std::string(ZF_SOURCE_DIR) + "/tests/game/replays/" + golden.file);
        ASSERT_TRUE(reading.status.ok()) << replayProblemSentence(reading.status);
        Engine engine;
        Game game(engine);
        setRandomState(reading.replay.start.randomState);
        game.startRecordedGame(reading.replay.start.label.c_str());
        std::vector<std::string> labels;
        for (const TickInput& tick : reading.replay.ticks) {
            game.step(tick);
            if (labels.empty() || labels.back() != game.labelText) {
                labels.push_back(game.labelText);
            }
        }
        EXPECT_EQ(labels, golden.labels);
        EXPECT_EQ(game.score, golden.score);
    }
}
