// The best-scores table on text in memory: reading with damage dropped, the
// order of entries, and writing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ScoreTable.h"

namespace {

std::vector<int> scoresOf(const std::vector<ScoreEntry>& table) {
    std::vector<int> scores;
    for (const ScoreEntry& entry : table) {
        scores.push_back(entry.score);
    }
    return scores;
}

ScoreEntry entry(int score, const char* when = "2024-05-03 21:14") { return ScoreEntry{score, when}; }

}  // namespace

TEST(ScoreTableTest, ReadsWholeLinesAndDropsEveryOtherLine) {
    struct Case {
        const char* text;
        std::vector<int> scores;
        int dropped;
    };
    const Case cases[] = {
        {"", {}, 0},
        {"# comment\n\n   \n147 2024-05-03 21:14\n", {147}, 0},
        {"7 2024-05-03 21:14\r\n10 2024-05-04 08:00", {10, 7}, 0},  // Windows lines, no last line end
        {"999999999 9999-12-31 23:59\n", {999999999}, 0},
        // Wrong lines: numbers too large, zero, negative, signs, leading zeros,
        // bad dates and times, extra fields, tabs, junk bytes.
        {"1000000000 2024-05-03 21:14\n99999999999999999999 2024-05-03 21:14\n"
         "0 2024-05-03 21:14\n-7 2024-05-03 21:14\n+7 2024-05-03 21:14\n07 2024-05-03 21:14\n"
         "7 2024-13-03 21:14\n7 2024-05-32 21:14\n7 2024-05-03 24:00\n7 2024-05-03 21:60\n"
         "7 2024-5-3 21:14\n7 2024-05-03 21:14 x\n7  2024-05-03 21:14\n7\t2024-05-03 21:14\n"
         "7 2024-05-03\n\x01\xff\x80 junk\n7 2024-05-03 21:14\n",
         {7},
         16},
    };
    for (const Case& c : cases) {
        const ScoreTableReading reading = parseScoreTable(c.text);
        EXPECT_EQ(scoresOf(reading.entries), c.scores) << c.text;
        EXPECT_EQ(reading.droppedLines, c.dropped) << c.text;
    }
}

// A table edited by hand is put back in order; equal scores keep the order of
// the text (the older first), and only the best ten stay.
TEST(ScoreTableTest, ReadingOrdersTheEntriesAndKeepsTheBestTen) {
    std::string text = "5 2024-01-01 10:00\n30 2024-01-02 10:00\n5 2024-01-03 10:00\n12 2024-01-02 10:00\n";
    for (int score : {1, 2, 3, 4, 6, 7, 8, 9}) {
        text += std::to_string(score) + " 2024-01-02 10:00\n";
    }
    const ScoreTableReading reading = parseScoreTable(text);
    EXPECT_EQ(scoresOf(reading.entries), (std::vector<int>{30, 12, 9, 8, 7, 6, 5, 5, 4, 3}));
    EXPECT_EQ(reading.entries[6].when, "2024-01-01 10:00") << "the older of two equal scores comes first";
    EXPECT_EQ(reading.droppedLines, 2);
}

TEST(ScoreTableTest, EnteringKeepsTheOrderAndTheEleventhDrops) {
    std::vector<ScoreEntry> table;
    for (int score = 100; score > 0; score -= 10) {
        EXPECT_EQ(enterScore(table, entry(score)), static_cast<int>(table.size()));
    }
    ASSERT_EQ(table.size(), 10u);
    // A tie goes behind the older entry of the same score.
    EXPECT_EQ(enterScore(table, entry(50, "2025-01-01 00:00")), 6);
    EXPECT_EQ(table[5].when, "2024-05-03 21:14");
    EXPECT_EQ(scoresOf(table), (std::vector<int>{100, 90, 80, 70, 60, 50, 50, 40, 30, 20}));
    // Equal to the last, or lower, it does not reach a full table.
    EXPECT_EQ(enterScore(table, entry(20)), -1);
    EXPECT_EQ(enterScore(table, entry(3)), -1);
    EXPECT_EQ(enterScore(table, entry(101)), 0);
    EXPECT_EQ(scoresOf(table), (std::vector<int>{101, 100, 90, 80, 70, 60, 50, 50, 40, 30}));
    // Nothing the text could not hold is entered.
    for (const ScoreEntry& refused : {entry(0), entry(-7), entry(1000000000), entry(7, "")}) {
        EXPECT_EQ(enterScore(table, refused), -1) << refused.score;
    }
    EXPECT_EQ(table.size(), 10u);
}

TEST(ScoreTableTest, AWrittenTableReadsBackAsItWas) {
    std::vector<ScoreEntry> table;
    enterScore(table, entry(7, "2024-02-29 00:00"));
    enterScore(table, entry(147, "1999-12-31 23:59"));
    const ScoreTableReading reading = parseScoreTable(formatScoreTable(table));
    EXPECT_EQ(reading.droppedLines, 0);
    ASSERT_EQ(reading.entries.size(), 2u);
    EXPECT_EQ(reading.entries[0].when, "1999-12-31 23:59");
    EXPECT_EQ(reading.entries[1].score, 7);
    EXPECT_EQ(formatScoreTime(2024, 5, 3, 9, 5), "2024-05-03 09:05");
    EXPECT_EQ(formatScoreTime(0, 0, 0, 0, 0), "") << "a clock that cannot be read gives no time";
}
