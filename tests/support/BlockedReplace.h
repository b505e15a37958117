#pragma once

#include <filesystem>
#include <string>

#include "platform/FileReplace.h"

// A folder at every name the temporary file of a save of path may take: the save
// then cannot begin, and must report it and leave the old file as it was.
inline void blockFileReplace(const std::string& path) {
    for (int attempt = 0; attempt < REPLACE_FILE_TEMPORARY_NAMES; ++attempt) {
        std::filesystem::create_directories(replaceFileTemporaryName(path, attempt));
    }
}
