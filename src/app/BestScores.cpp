#include "app/BestScores.h"

#include "core/StartReport.h"
#include "platform/LocalTime.h"
#include "platform/UserFolders.h"

void BestScores::locate() { filePath = scoreFilePath(platformUserDataFolder()); }

std::string BestScores::bestLine() {
    if (filePath.empty()) {
        return "";
    }
    const ScoreFileReading table = read();
    if (table.entries.empty()) {
        return "";
    }
    const ScoreEntry& best = table.entries.front();
    return "Best score: " + std::to_string(best.score) + " (" + best.when + ")";
}

bool BestScores::enter(int score, const std::string& when) {
    if (filePath.empty() || score <= 0) {
        return false;
    }
    // What could not be read is gone from the table written now: a damaged
    // table becomes a clean one.
    std::vector<ScoreEntry> table = read().entries;
    if (enterScore(table, ScoreEntry{score, when}) < 0) {
        return false;
    }
    if (!writeScoreFile(filePath, table)) {
        report("cannot be written: this score is not kept");
        return false;
    }
    return true;
}

bool BestScores::enterNow(int score) {
    const LocalDateTime now = platformLocalDateTime();
    return enter(score, formatScoreTime(now.year, now.month, now.day, now.hour, now.minute));
}

ScoreFileReading BestScores::read() {
    ScoreFileReading table = readScoreFile(filePath);
    if (!table.problem.empty()) {
        report(table.problem);
    }
    return table;
}

void BestScores::report(const std::string& problem) {
    // The launcher and the end of the game read the same table: its damage is
    // told once.
    if (!reported_) {
        reported_ = true;
        reportStartNotice(("best scores " + filePath).c_str(), problem);
    }
}
