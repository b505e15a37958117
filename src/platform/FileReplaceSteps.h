#pragma once

// Inside the platform layer only: the steps of a save that the POSIX desktops and
// the browser's file system take alike (FileReplacePosix.cpp, FileReplaceWeb.cpp).
// They differ only in what makes the new file last: a flush to the disk on the
// desktop, the page's storage in the browser.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/FileReplace.h"

// Creates the first free temporary name; -1 when none can be made. O_EXCL fails
// on any name already taken, a link (even to nothing) included, and O_NOFOLLOW
// says the same again for systems that would otherwise follow one.
inline int createReplaceTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < REPLACE_FILE_TEMPORARY_NAMES; ++attempt) {
        temporary = replaceFileTemporaryName(path, attempt);
        const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (file >= 0 || errno != EEXIST) {
            return file;
        }
    }
    return -1;
}

inline bool writeWholeFile(int file, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = write(file, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The old permissions stay, except that the owner may always read and write the
// new file: a file the game rewrites must be one it can read back. A new file has
// what the player's umask gives it, as any file they make.
inline void keepReplacedFileMode(int file, const std::string& path) {
    struct stat oldFile;
    if (stat(path.c_str(), &oldFile) == 0) {
        fchmod(file, (oldFile.st_mode & 07777) | S_IRUSR | S_IWUSR);
    }
}
