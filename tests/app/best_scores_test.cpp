// The best scores on disk: a hostile table is never trusted, costs one line on
// standard error, and the next score writes a clean table.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/BestScores.h"
#include "support/TempMediaDir.h"

namespace {

const char* const WHEN = "2024-05-03 21:14";

struct HostileTable {
    std::string contents;  // "/" makes a folder, "|" a pipe
    const char* bestLine;
    const char* told;       // the one line on standard error says this
    std::string afterScore; // the table after a score of 20; empty: it cannot be written
};

void expectToldOnceAndWrittenClean(const HostileTable& c) {
    TempMediaDir dir;
    BestScores scores;
    scores.filePath = scoreFilePath(dir.root());
    const std::filesystem::path file(scores.filePath);
    std::filesystem::create_directories(c.contents == "/" ? file : file.parent_path());
    if (c.contents == "|") {
        ASSERT_EQ(mkfifo(scores.filePath.c_str(), 0600), 0);
    } else if (c.contents != "/") {
        std::ofstream(scores.filePath, std::ios::binary) << c.contents;
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(scores.bestLine(), c.bestLine);
    EXPECT_EQ(scores.enter(20, WHEN), !c.afterScore.empty()) << c.told;
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
    EXPECT_NE(told.find(c.told), std::string::npos) << told;
    EXPECT_FALSE(std::filesystem::exists(scores.filePath + ".tmp"));
    if (!c.afterScore.empty()) {
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.afterScore) << c.told;
    }
}

}  // namespace

TEST(BestScoresTest, AHostileTableIsToldOnceAndTheNextScoreWritesItClean) {
    const HostileTable cases[] = {
        {"147 2024-05-03 21:14\nscore=3\n", "Best score: 147 (2024-05-03 21:14)",
         "1 damaged line dropped, 1 entry kept", formatScoreTable({{147, WHEN}, {20, WHEN}})},
        {"9 2024-05-03 21:14\n" + std::string(1 << 20, 'x'), "Best score: 9 (2024-05-03 21:14)",
         "larger than 4096 bytes", formatScoreTable({{20, WHEN}, {9, WHEN}})},
        {"/", "", "a folder, not a file", ""},
    };
    for (const HostileTable& c : cases) {
        expectToldOnceAndWrittenClean(c);
    }
}

// A named pipe would block a plain read for ever (POSIX only).
TEST(BestScoresTest, APipeInPlaceOfTheTableIsNeverOpened) {
    expectToldOnceAndWrittenClean({"|", "", "not a plain file", formatScoreTable({{20, WHEN}})});
}

// Only a score above every other is the new best (an equal one stays behind the
// older), and then the old best game's replay goes until the new one is saved.
TEST(BestScoresTest, OnlyANewTopScoreIsTheBestAndItsReplayReplacesTheOld) {
    TempMediaDir dir;
    BestScores scores;
    scores.filePath = scoreFilePath(dir.root());
    EXPECT_EQ(std::filesystem::path(scores.bestReplayPath()),
              std::filesystem::path(scores.filePath).parent_path() / "best.replay");
    Replay replay;
    replay.ticks.resize(1);
    replay.ticks[0].stepSeconds = 0.03f;
    const struct {
        int score;
        int place;
        bool replayKept;  // the last game's replay is there afterwards
    } games[] = {{50, 0, false}, {50, 1, true}, {0, -1, true}, {30, 2, true}, {80, 0, false}};
    for (const auto& game : games) {
        replay.start.label = "score " + std::to_string(game.score);
        EXPECT_EQ(scores.enterRanked(game.score, WHEN), game.place) << replay.start.label;
        EXPECT_EQ(scores.hasBestReplay(), game.replayKept) << replay.start.label;
        if (game.place == 0) {
            EXPECT_TRUE(scores.saveBestReplay(replay));
        }
        EXPECT_EQ(scores.readBestReplay().replay.start.label, game.place == 0 ? replay.start.label : "score 50");
    }
}
