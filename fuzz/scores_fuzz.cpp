// The best-scores table's reader on any text: whatever it keeps must be a table
// (ten entries at most, best first), written out it must read back the same
// with nothing dropped, and a new entry must keep it a table.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ScoreTable.h"

namespace {

bool isTable(const std::vector<ScoreEntry>& entries) {
    if (entries.size() > static_cast<std::size_t>(BEST_SCORE_COUNT)) {
        return false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool inOrder = i == 0 || entries[i - 1].score >= entries[i].score;
        if (!inOrder || entries[i].score < 1 || entries[i].score > MAX_TABLE_SCORE) {
            return false;
        }
    }
    return true;
}

bool sameEntries(const std::vector<ScoreEntry>& a, const std::vector<ScoreEntry>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].score != b[i].score || a[i].when != b[i].when) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ScoreTableReading reading = parseScoreTable(text);
    if (!isTable(reading.entries) || reading.droppedLines < 0) {
        __builtin_trap();
    }
    const ScoreTableReading again = parseScoreTable(formatScoreTable(reading.entries));
    if (again.droppedLines != 0 || !sameEntries(again.entries, reading.entries)) {
        __builtin_trap();
    }
    // A score from the input's first bytes, entered as a game's end would.
    const int score = size >= 2 ? (data[0] << 8 | data[1]) : 1;
    enterScore(reading.entries, ScoreEntry{score, "2024-05-03 21:14"});
    if (!isTable(reading.entries)) {
        __builtin_trap();
    }
    return 0;
}
