#include "platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

// Creates the first free temporary name; -1 when none can be made. O_EXCL fails
// on any name already taken, a link (even to nothing) included, and O_NOFOLLOW
// says the same again for systems that would otherwise follow one.
int createTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < REPLACE_FILE_TEMPORARY_NAMES; ++attempt) {
        temporary = replaceFileTemporaryName(path, attempt);
        const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (file >= 0 || errno != EEXIST) {
            return file;
        }
    }
    return -1;
}

bool writeAll(int file, const std::string& content) {
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

}  // namespace

bool platformReplaceFile(const std::string& path, const std::string& content) {
    std::string temporary;
    const int file = createTemporary(path, temporary);
    if (file < 0) {
        return false;
    }
    struct stat oldFile;
    if (stat(path.c_str(), &oldFile) == 0) {
        // The old permissions stay, except that the owner may always read and
        // write the new file: a file the game rewrites must be one it can read back.
        // A new file has what the player's umask gives it, as any file they make.
        fchmod(file, (oldFile.st_mode & 07777) | S_IRUSR | S_IWUSR);
    }
    bool written = writeAll(file, content);
    written = fsync(file) == 0 && written;
    written = close(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
