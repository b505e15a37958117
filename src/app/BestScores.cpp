#include "app/BestScores.h"

#include "app/ReplayFile.h"
#include "core/StartReport.h"
#include "platform/FileKind.h"
#include "platform/FileRemove.h"
#include "platform/LocalTime.h"
#include "platform/UserFolders.h"

namespace {

const char* const BEST_REPLAY_NAME = "best.replay";

}  // namespace

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

bool BestScores::enter(int score, const std::string& when) { return enterRanked(score, when) >= 0; }

bool BestScores::enterNow(int score) { return enterNowRanked(score) >= 0; }

int BestScores::enterRanked(int score, const std::string& when) {
    if (filePath.empty() || score <= 0) {
        return -1;
    }
    // What could not be read is gone from the table written now: a damaged
    // table becomes a clean one.
    std::vector<ScoreEntry> table = read().entries;
    const int place = enterScore(table, ScoreEntry{score, when});
    if (place < 0) {
        return -1;
    }
    if (!writeScoreFile(filePath, table)) {
        report("cannot be written: this score is not kept");
        return -1;
    }
    // Watch must never show another game than the best score's.
    if (place == 0 && !platformRemoveFile(bestReplayPath())) {
        reportReplay("cannot be removed: it shows a game that is no longer the best");
    }
    return place;
}

int BestScores::enterNowRanked(int score) {
    const LocalDateTime now = platformLocalDateTime();
    return enterRanked(score, formatScoreTime(now.year, now.month, now.day, now.hour, now.minute));
}

std::string BestScores::bestReplayPath() const {
    const std::size_t slash = filePath.find_last_of('/');
    return slash == std::string::npos ? std::string() : filePath.substr(0, slash + 1) + BEST_REPLAY_NAME;
}

bool BestScores::saveBestReplay(const Replay& replay) {
    const std::string path = bestReplayPath();
    if (path.empty()) {
        return false;
    }
    if (!platformMakeFolders(path.substr(0, path.find_last_of('/')))) {
        reportReplay("not saved: its folder cannot be made");
        return false;
    }
    const ReplayStatus status = writeReplayFile(path, replay);
    if (!status.ok()) {
        reportReplay("not saved: " + status.detail);
    }
    return status.ok();
}

bool BestScores::hasBestReplay() const {
    const std::string path = bestReplayPath();
    return !path.empty() && platformFileKind(path.c_str()) != FILE_KIND_NONE;
}

ReplayReading BestScores::readBestReplay() const {
    const std::string path = bestReplayPath();
    if (path.empty()) {
        ReplayReading none;
        none.status.problem = REPLAY_MISSING;
        return none;
    }
    return readReplayFile(path);
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

void BestScores::reportReplay(const std::string& problem) {
    if (!replayReported_) {
        replayReported_ = true;
        reportStartNotice(("best game's replay " + bestReplayPath()).c_str(), problem);
    }
}
