// The best scores on disk: a damaged or hostile table is never trusted, costs one
// line on standard error, and the next score writes a clean table.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/BestScores.h"
#include "support/TempMediaDir.h"

namespace {

namespace fs = std::filesystem;

const char* const WHEN = "2024-05-03 21:14";

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string table(std::initializer_list<int> scores) {
    std::vector<ScoreEntry> entries;
    for (int score : scores) {
        entries.push_back(ScoreEntry{score, WHEN});
    }
    return formatScoreTable(entries);
}

int lineCount(const std::string& text) {
    int lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

}  // namespace

TEST(BestScoresTest, AHostileTableIsToldOnceAndTheNextScoreWritesItClean) {
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;
        const char* bestLine;
        const char* told;        // part of the one line on standard error; empty: no line
        std::string afterScore;  // the table after a score of 20; empty: it cannot be written
    };
    const std::string line147 = std::string("147 ") + WHEN + "\n";
    const std::string line9 = std::string("9 ") + WHEN + "\n";
    const Case cases[] = {
        {"no table yet", [](const std::string&) {}, "", "", table({20})},
        {"wrong lines", [&](const std::string& p) { write(p, line147 + "score=3\n"); },
         "Best score: 147 (2024-05-03 21:14)", "1 damaged line dropped, 1 entry kept", table({147, 20})},
        {"huge numbers", [](const std::string& p) { write(p, "99999999999999999999 2024-05-03 21:14\n"); }, "",
         "1 damaged line dropped, 0 entries kept", table({20})},
        {"a megabyte of junk", [&](const std::string& p) { write(p, line9 + std::string(1 << 20, 'x')); },
         "Best score: 9 (2024-05-03 21:14)", "larger than 4096 bytes", table({20, 9})},
        {"a folder", [](const std::string& p) { fs::create_directories(p + "/inside"); }, "", "a folder, not a file", ""},
        {"a pipe", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, "", "not a plain file",
         table({20})},
    };
    for (const Case& c : cases) {
        TempMediaDir dir;
        BestScores scores;
        scores.filePath = scoreFilePath(dir.root() + "/data");
        fs::create_directories(fs::path(scores.filePath).parent_path());
        c.make(scores.filePath);

        testing::internal::CaptureStderr();
        EXPECT_EQ(scores.bestLine(), c.bestLine) << c.what;
        EXPECT_EQ(scores.enter(20, WHEN), !c.afterScore.empty()) << c.what;
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(lineCount(told), c.told[0] != '\0' ? 1 : 0) << c.what << ": " << told;
        EXPECT_NE(told.find(c.told), std::string::npos) << c.what << ": " << told;
        if (c.afterScore.empty()) {
            EXPECT_TRUE(fs::is_directory(scores.filePath)) << c.what;
        } else {
            EXPECT_EQ(read(scores.filePath), c.afterScore) << c.what;
        }
        EXPECT_FALSE(fs::exists(scores.filePath + ".tmp")) << c.what;
    }
}

// No data folder known: no table, nothing on disk, nothing said.
TEST(BestScoresTest, WithoutADataFolderNoTableIsKept) {
    EXPECT_EQ(scoreFilePath(""), "");
    BestScores scores;
    testing::internal::CaptureStderr();
    EXPECT_EQ(scores.bestLine(), "");
    EXPECT_FALSE(scores.enter(20, WHEN));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
