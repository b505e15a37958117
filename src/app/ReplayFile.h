#pragma once

#include <string>

#include "app/ReplayCodec.h"

// A replay on disk: read whole with a bound, never trusted, and written whole
// through a temporary file the way game.ini and the best scores are, so that a
// failed save leaves the old file as it was.

// The replay in the file at path. Only a plain file is opened, and one larger
// than REPLAY_MAX_BYTES is refused before a byte of it is read. A missing file
// is REPLAY_MISSING.
ReplayReading readReplayFile(const std::string& path);

// Replaces the file at path with the replay. Refused (REPLAY_NOT_WRITTEN, the
// old file left alone) when the replay could not be read back whole: a game too
// long for REPLAY_MAX_BYTES or a tick that cannot be played back; and when the
// file cannot be written. The folder must exist.
ReplayStatus writeReplayFile(const std::string& path, const Replay& replay);

// The one sentence that tells the player what became of the best game's replay
// ("The best game's replay was recorded by version 0.9.0 of the game; ...");
// empty for REPLAY_OK.
std::string replayProblemSentence(const ReplayStatus& status);
