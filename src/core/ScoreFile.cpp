#include "core/ScoreFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/OptionsFileLocation.h"
#include "platform/FileKind.h"
#include "platform/FileReplace.h"
#include "platform/UserFolders.h"

namespace {

const char* const SCORE_FILE_NAME = "scores";

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Reads up to one byte more than the bound, so that a longer file shows itself;
// false with the reason when the file cannot be read.
bool readBounded(const std::string& path, std::string& text, std::string& failure) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        failure = std::strerror(errno);
        return false;
    }
    text.assign(SCORE_TABLE_MAX_BYTES + 1, '\0');
    errno = 0;
    text.resize(std::fread(&text[0], 1, text.size(), file));
    const bool failed = std::ferror(file) != 0;
    failure = failed ? std::strerror(errno != 0 ? errno : EIO) : "";
    std::fclose(file);
    return !failed;
}

}  // namespace

std::string scoreFilePath(const std::string& userDataFolder) {
    if (userDataFolder.empty()) {
        return "";
    }
    // The game's folder has the same name among the player's data as among their settings.
    return userDataFolder + "/" + USER_OPTIONS_FOLDER + "/" + SCORE_FILE_NAME;
}

ScoreFileReading readScoreFile(const std::string& path) {
    ScoreFileReading reading;
    const FileKind kind = platformFileKind(path.c_str());
    if (kind == FILE_KIND_NONE) {
        return reading;  // no table yet
    }
    if (kind == FILE_KIND_FOLDER) {
        reading.problem = "a folder, not a file: no score can be kept";
        return reading;
    }
    // Anything but a plain file (a pipe would block the game for ever) is not opened.
    if (kind != FILE_KIND_PLAIN) {
        reading.problem = "not a plain file: its table is not read";
        return reading;
    }
    std::string text;
    std::string failure;
    if (!readBounded(path, text, failure)) {
        reading.problem = "cannot be read (" + failure + "): the next best score starts a new table";
        return reading;
    }
    std::string tooLarge;
    if (text.size() > SCORE_TABLE_MAX_BYTES) {
        // Only whole lines of the start count; the line the bound cuts is dropped.
        text.resize(SCORE_TABLE_MAX_BYTES);
        const std::size_t lastLineEnd = text.find_last_of('\n');
        text.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
        tooLarge = "larger than " + std::to_string(SCORE_TABLE_MAX_BYTES) + " bytes, only its start is read; ";
    }
    const ScoreTableReading table = parseScoreTable(text);
    reading.entries = table.entries;
    if (!tooLarge.empty() || table.droppedLines > 0) {
        reading.problem = tooLarge + counted(table.droppedLines, "damaged line", "damaged lines") + " dropped, " +
                          counted(static_cast<int>(table.entries.size()), "entry", "entries") + " kept";
    }
    return reading;
}

bool writeScoreFile(const std::string& path, const std::vector<ScoreEntry>& table) {
    const std::string folder = folderOf(path);
    if (path.empty() || folder.empty() || !platformMakeFolders(folder)) {
        return false;
    }
    return platformReplaceFile(path, formatScoreTable(table));
}
