// The best-scores table on text in memory: damage dropped, order kept, the
// eleventh out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ScoreTable.h"

static std::vector<int> scoresOf(const std::vector<ScoreEntry>& table) {
    std::vector<int> scores;
    for (const ScoreEntry& entry : table) scores.push_back(entry.score);
    return scores;
}

TEST(ScoreTableTest, ReadsWholeLinesInOrderAndDropsEveryOtherLine) {
    struct Case {
        const char* text;
        std::vector<int> scores;
        int dropped;
    };
    const Case cases[] = {
        {"# comment\n\n   \n7 2024-05-03 21:14\r\n999999999 9999-12-31 23:59", {999999999, 7}, 0},
        // Too large, zero, signed, a leading zero, bad dates and times, extra or
        // missing fields, other spaces, junk bytes.
        {"1000000000 2024-05-03 21:14\n99999999999999999999 2024-05-03 21:14\n0 2024-05-03 21:14\n"
         "-7 2024-05-03 21:14\n+7 2024-05-03 21:14\n07 2024-05-03 21:14\n7 2024-13-03 21:14\n"
         "7 2024-05-32 21:14\n7 2024-05-03 24:00\n7 2024-05-03 21:60\n7 2024-5-3 21:14\n"
         "7 2024-05-03 21:14 x\n7 2024-05-03\n7  2024-05-03 21:14\n7\t2024-05-03 21:14\n\x01\xff junk\n",
         {},
         16},
        // Put back in order, the older of equal scores (the earlier line) first;
        // the best ten stay.
        {"5 2024-01-01 10:00\n30 2024-01-02 10:00\n5 2024-01-03 10:00\n1 2024-01-01 10:00\n2 2024-01-01 10:00\n"
         "3 2024-01-01 10:00\n4 2024-01-01 10:00\n6 2024-01-01 10:00\n7 2024-01-01 10:00\n8 2024-01-01 10:00\n"
         "9 2024-01-01 10:00\n",
         {30, 9, 8, 7, 6, 5, 5, 4, 3, 2},
         1},
    };
    for (const Case& c : cases) {
        const ScoreTableReading reading = parseScoreTable(c.text);
        EXPECT_EQ(scoresOf(reading.entries), c.scores) << c.text;
        EXPECT_EQ(reading.droppedLines, c.dropped) << c.text;
    }
    EXPECT_EQ(parseScoreTable(cases[2].text).entries[5].when, "2024-01-01 10:00");
}

TEST(ScoreTableTest, EnteringKeepsTheOrderAndTheEleventhDrops) {
    std::vector<ScoreEntry> table;
    for (int score = 100; score > 0; score -= 10)
        EXPECT_EQ(enterScore(table, ScoreEntry{score, "2024-05-03 21:14"}), (100 - score) / 10);
    // A tie goes behind the older entry; equal to the last of a full table, or
    // lower, or what the text cannot hold, it is not entered.
    EXPECT_EQ(enterScore(table, ScoreEntry{50, "2025-01-01 00:00"}), 6);
    EXPECT_EQ(table[6].when, "2025-01-01 00:00");
    for (const ScoreEntry& refused : {ScoreEntry{20, "2024-05-03 21:14"}, ScoreEntry{0, "2024-05-03 21:14"},
                                      ScoreEntry{1000000000, "2024-05-03 21:14"}, ScoreEntry{70, ""}}) {
        EXPECT_EQ(enterScore(table, refused), -1) << refused.score;
    }
    EXPECT_EQ(enterScore(table, ScoreEntry{101, formatScoreTime(2024, 5, 3, 9, 5)}), 0);
    EXPECT_EQ(scoresOf(table), (std::vector<int>{101, 100, 90, 80, 70, 60, 50, 50, 40, 30}));
    EXPECT_EQ(table[0].when, "2024-05-03 09:05");
    EXPECT_EQ(formatScoreTime(0, 0, 0, 0, 0), "") << "a clock that cannot be read gives no time";
}
