// The best-scores reader on any text: what it keeps is a table (ten at most,
// best first) that reads back unchanged once written, and stays a table when a
// score is entered.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ScoreTable.h"

namespace {
bool isTable(const std::vector<ScoreEntry>& entries) {
    return entries.size() <= static_cast<std::size_t>(BEST_SCORE_COUNT) &&
           std::is_sorted(entries.begin(), entries.end(),
                          [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScoreTableReading reading = parseScoreTable(std::string(reinterpret_cast<const char*>(data), size));
    const std::string written = formatScoreTable(reading.entries);
    const ScoreTableReading again = parseScoreTable(written);
    if (!isTable(reading.entries) || again.droppedLines != 0 || formatScoreTable(again.entries) != written) {
        __builtin_trap();
    }
    const int score = size >= 2 ? (data[0] << 8 | data[1]) : 1;  // a score as a game's end enters it
    enterScore(reading.entries, ScoreEntry{score, "2024-05-03 21:14"});
    if (!isTable(reading.entries)) {
        __builtin_trap();
    }
    return 0;
}
