#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A player's best scores as text: one entry a line, "<score> <YYYY-MM-DD> <HH:MM>",
// the best first; lines starting with '#' are comments. The table is small, so
// anything that is not exactly such a line is damage and is dropped.

constexpr int BEST_SCORE_COUNT = 10;
// Ten entries take a few hundred bytes; a longer file is damaged, and no more of
// it than this is ever read.
constexpr std::size_t SCORE_TABLE_MAX_BYTES = 4096;
// Nine digits: far beyond any score a game reaches, and a larger number in the
// file is damage, not a score.
constexpr int MAX_TABLE_SCORE = 999999999;

struct ScoreEntry {
    int score = 0;     // 1 ... MAX_TABLE_SCORE
    std::string when;  // "YYYY-MM-DD HH:MM", the player's local time
};

struct ScoreTableReading {
    std::vector<ScoreEntry> entries;  // the best first, at most BEST_SCORE_COUNT
    int droppedLines = 0;  // lines that held no entry, and entries beyond the best ten
};

// The entries of a table's text, in the table's order: the best first, and of
// equal scores the one that stands first in the text (the older) first.
ScoreTableReading parseScoreTable(const std::string& text);

// Enters entry behind every entry with the same score or better, so that of
// equal scores the older stays ahead; the eleventh drops out. The place it took
// (0 for the best), or -1 when it did not reach the table (the table is then
// unchanged).
int enterScore(std::vector<ScoreEntry>& table, const ScoreEntry& entry);

// The table's text as parseScoreTable reads it back.
std::string formatScoreTable(const std::vector<ScoreEntry>& table);

// "YYYY-MM-DD HH:MM" for a local date and time; empty when a field is out of range.
std::string formatScoreTime(int year, int month, int day, int hour, int minute);
