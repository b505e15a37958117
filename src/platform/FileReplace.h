#pragma once

#include <string>

// Every file the game saves whole (game.ini, the best-scores table, and any file
// written the same way later) is saved through platformReplaceFile, so that what
// is said here holds for each of them without a line of their own.
//
// content is written to a temporary file beside path, flushed to the disk, then
// renamed over the old file, so the target is always either the old file or the
// complete new one: a crash or a full disk never leaves half a file. The
// temporary file is always made anew, never opened where something already
// stands: a link planted at its name would otherwise have the save write through
// it into whatever it points to. A link at path itself is replaced by the new
// file, never written through. The new file keeps the old one's permissions,
// with read and write for its owner added. False (and no temporary file of this
// save left) when any step fails.
bool platformReplaceFile(const std::string& path, const std::string& content);

// The names the temporary file may take, tried in this order until one is free:
// a file left by a save that crashed, or another run saving at the same time,
// takes one name only. Each ends in ".tmp", so a left-over file shows what it is.
constexpr int REPLACE_FILE_TEMPORARY_NAMES = 16;
inline std::string replaceFileTemporaryName(const std::string& path, int attempt) {
    return attempt == 0 ? path + ".tmp" : path + "." + std::to_string(attempt) + ".tmp";
}
