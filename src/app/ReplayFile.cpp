#include "app/ReplayFile.h"

#include <cstdint>
#include <vector>

#include "core/FileBytes.h"
#include "core/GameVersion.h"
#include "platform/FileKind.h"
#include "platform/FileReplace.h"

namespace {

ReplayReading failedReading(ReplayProblem problem, const std::string& detail) {
    ReplayReading reading;
    reading.status.problem = problem;
    reading.status.detail = detail;
    return reading;
}

ReplayStatus notWritten(const std::string& detail) {
    ReplayStatus status;
    status.problem = REPLAY_NOT_WRITTEN;
    status.detail = detail;
    return status;
}

std::string megabytes(std::size_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MiB"; }

// " (what)" when there is a detail to add.
std::string inBrackets(const std::string& detail) { return detail.empty() ? "" : " (" + detail + ")"; }

}  // namespace

ReplayReading readReplayFile(const std::string& path) {
    const FileKind kind = platformFileKind(path.c_str());
    if (kind == FILE_KIND_NONE) {
        return failedReading(REPLAY_MISSING, "");
    }
    if (kind != FILE_KIND_PLAIN) {
        return failedReading(REPLAY_UNREADABLE, kind == FILE_KIND_FOLDER ? "a folder" : "not a plain file");
    }
    std::vector<std::uint8_t> bytes;
    switch (readFileBytes(path.c_str(), REPLAY_MAX_BYTES, bytes)) {
    case FILE_BYTES_READ:
        return decodeReplay(bytes.data(), bytes.size());
    case FILE_BYTES_TOO_LARGE:
        return failedReading(REPLAY_TOO_LARGE, "");
    case FILE_BYTES_MISSING:
        return failedReading(REPLAY_UNREADABLE, "it cannot be opened");
    case FILE_BYTES_FAILED:
        break;
    }
    return failedReading(REPLAY_UNREADABLE, "it cannot be read");
}

ReplayStatus writeReplayFile(const std::string& path, const Replay& replay) {
    const std::vector<std::uint8_t> bytes = encodeReplay(replay);
    if (bytes.size() > REPLAY_MAX_BYTES) {
        return notWritten("the game is too long: its recording passes " + megabytes(REPLAY_MAX_BYTES));
    }
    // What is kept must play back: a file the game would refuse is no replay.
    const ReplayReading check = decodeReplay(bytes.data(), bytes.size());
    if (!check.status.ok()) {
        return notWritten(check.status.detail);
    }
    if (!platformReplaceFile(path, std::string(bytes.begin(), bytes.end()))) {
        return notWritten("the file cannot be written");
    }
    return ReplayStatus();
}

std::string replayProblemSentence(const ReplayStatus& status) {
    const std::string subject = "The best game's replay";
    switch (status.problem) {
    case REPLAY_OK:
        return "";
    case REPLAY_MISSING:
        return "No best game has been recorded yet.";
    case REPLAY_UNREADABLE:
        return subject + " cannot be read" + inBrackets(status.detail) + ".";
    case REPLAY_NOT_A_REPLAY:
        return subject + " is not a replay file, so it cannot be played back.";
    case REPLAY_OTHER_VERSION:
        return subject + " was recorded by version " + status.recordedVersion + " of the game; this is version " +
               gameVersion() + ", which cannot play it back.";
    case REPLAY_DAMAGED:
        return subject + " is damaged" + inBrackets(status.detail) + ", so it cannot be played back.";
    case REPLAY_TOO_LARGE:
        return subject + " is larger than the " + megabytes(REPLAY_MAX_BYTES) +
               " any game records, so it is not read.";
    case REPLAY_NOT_WRITTEN:
        return subject + " could not be saved" + inBrackets(status.detail) + ".";
    }
    return "";
}
