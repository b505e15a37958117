#pragma once

#include <string>

#include "core/ScoreFile.h"

// The player's ten best scores, kept in their own data folder. Nothing here may
// stop or interrupt the game: a table that cannot be read or written costs one
// line on standard error, once a run, and no box.
class BestScores {
public:
    // The table of this run; empty: none is kept (no data folder is known).
    std::string filePath;

    // Finds the table among the player's data. Nothing is made on disk yet.
    void locate();
    // "Best score: 147 (2024-05-03 21:14)" for the table's best entry; empty
    // when there is no table or no entry.
    std::string bestLine();
    // Enters score, ended at when ("YYYY-MM-DD HH:MM"), into the table as it
    // stands on disk now (another run may have added to it) and writes the table
    // back. False when there is no table, the score is not above 0 or does not
    // reach the ten, or the table could not be written.
    bool enter(int score, const std::string& when);
    // The same, ended now on the player's clock.
    bool enterNow(int score);

private:
    bool reported_ = false;
    ScoreFileReading read();
    void report(const std::string& problem);
};
