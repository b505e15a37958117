#pragma once

#include <string>
#include <vector>

#include "core/ScoreTable.h"

// The best-scores table on disk: one per player, in their own data folder, read
// with a bound and never trusted, written whole through a temporary file.

// The table's path for a user data folder: <folder>/zorbak-football-2/scores;
// empty when no data folder is known. Nothing is made on disk here.
std::string scoreFilePath(const std::string& userDataFolder);

struct ScoreFileReading {
    std::vector<ScoreEntry> entries;  // what could be read of the table, best first
    // Empty when the file was whole (or missing, which is no table yet); else one
    // line saying what was wrong and what was dropped.
    std::string problem;
};

// Reads at most SCORE_TABLE_MAX_BYTES of the table and keeps the entries it can
// read. A folder or anything else that is not a plain file is not opened.
ScoreFileReading readScoreFile(const std::string& path);

// Makes the table's folder when it is missing and replaces the file with the
// table, so that a failed write leaves the old file as it was; false on failure.
bool writeScoreFile(const std::string& path, const std::vector<ScoreEntry>& table);
