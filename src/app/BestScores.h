#pragma once

#include <string>

#include "app/ReplayCodec.h"
#include "core/ScoreFile.h"

// The player's ten best scores, and the replay of the best game beside them, kept
// in their own data folder. Nothing here may stop or interrupt the game: a table
// or a replay that cannot be read or written costs one line on standard error,
// once a run, and no box.
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
    // enter and enterNow giving the place the score took: 0 when it is now the
    // table's best (a tie stays behind the older entry, so it is not), -1 when it
    // was not kept. A new best removes the best game's replay, which shows the
    // old best no more: saveBestReplay keeps the new game's.
    int enterRanked(int score, const std::string& when);
    int enterNowRanked(int score);

    // The best game's replay beside the table: <table's folder>/best.replay, the
    // one replay kept. Empty when no table is kept.
    std::string bestReplayPath() const;
    // Keeps replay as the best game's, replacing the older one; call it when
    // enterNowRanked gave 0. False (and one line on standard error) when it
    // cannot be kept.
    bool saveBestReplay(const Replay& replay);
    // A file stands where the best game's replay is kept; readBestReplay tells
    // whether it plays back.
    bool hasBestReplay() const;
    ReplayReading readBestReplay() const;

private:
    bool reported_ = false;
    bool replayReported_ = false;
    ScoreFileReading read();
    void report(const std::string& problem);
    void reportReplay(const std::string& problem);
};
