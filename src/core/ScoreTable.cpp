#include "core/ScoreTable.h"

#include <algorithm>
#include <cstdio>

#include "core/TextLines.h"

namespace {

const char* const TABLE_HEADER = "# Zorbak Football II: best scores (score, date, time)";
// "YYYY-MM-DD HH:MM"
constexpr std::size_t TIME_LENGTH = 16;
constexpr int MAX_SCORE_DIGITS = 9;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number of count digits at text[at]; -1 when any of them is not a digit.
int digitsAt(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i])) {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

bool isScoreTime(const std::string& text) {
    if (text.size() != TIME_LENGTH || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':') {
        return false;
    }
    return inRange(digitsAt(text, 0, 4), 1, 9999) && inRange(digitsAt(text, 5, 2), 1, 12) &&
           inRange(digitsAt(text, 8, 2), 1, 31) && inRange(digitsAt(text, 11, 2), 0, 23) &&
           inRange(digitsAt(text, 14, 2), 0, 59);
}

// A score of one to nine digits without a leading zero; written by hand so that
// no locale and no overflow can change it.
bool parseScore(const std::string& text, int& score) {
    if (text.empty() || text.size() > static_cast<std::size_t>(MAX_SCORE_DIGITS) || text[0] == '0') {
        return false;
    }
    score = digitsAt(text, 0, text.size());
    return score > 0;
}

// One entry line: the score, one space, the date and time.
bool parseEntry(const std::string& line, ScoreEntry& entry) {
    const std::size_t space = line.find(' ');
    if (space == std::string::npos || !parseScore(line.substr(0, space), entry.score)) {
        return false;
    }
    entry.when = line.substr(space + 1);
    return isScoreTime(entry.when);
}

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

ScoreTableReading parseScoreTable(const std::string& text) {
    ScoreTableReading reading;
    // A table carried over from Windows keeps its carriage returns in its line ends.
    for (const std::string& line : splitTextLines(text)) {
        ScoreEntry entry;
        if (isBlank(line) || line[0] == '#') {
            continue;
        }
        if (parseEntry(line, entry)) {
            reading.entries.push_back(entry);
        } else {
            ++reading.droppedLines;
        }
    }
    // A table edited by hand may be out of order: the stable sort keeps the text's
    // order among equal scores.
    std::stable_sort(reading.entries.begin(), reading.entries.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
    if (reading.entries.size() > static_cast<std::size_t>(BEST_SCORE_COUNT)) {
        reading.droppedLines += static_cast<int>(reading.entries.size()) - BEST_SCORE_COUNT;
        reading.entries.resize(BEST_SCORE_COUNT);
    }
    return reading;
}

int enterScore(std::vector<ScoreEntry>& table, const ScoreEntry& entry) {
    if (!inRange(entry.score, 1, MAX_TABLE_SCORE) || !isScoreTime(entry.when)) {
        return -1;
    }
    const auto place = std::upper_bound(table.begin(), table.end(), entry,
                                        [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
    const int rank = static_cast<int>(place - table.begin());
    if (rank >= BEST_SCORE_COUNT) {
        return -1;
    }
    table.insert(place, entry);
    if (table.size() > static_cast<std::size_t>(BEST_SCORE_COUNT)) {
        table.resize(BEST_SCORE_COUNT);
    }
    return rank;
}

std::string formatScoreTable(const std::vector<ScoreEntry>& table) {
    std::string text = std::string(TABLE_HEADER) + "\n";
    for (const ScoreEntry& entry : table) {
        text += std::to_string(entry.score) + " " + entry.when + "\n";
    }
    return text;
}

std::string formatScoreTime(int year, int month, int day, int hour, int minute) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", year, month, day, hour, minute);
    return isScoreTime(text) ? std::string(text) : std::string();
}
