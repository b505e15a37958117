// The page's files are in memory: the new content goes through path + ".tmp"
// and a rename as on the desktop, so the file is always whole, and then the
// player's folder is stored in the browser (nothing to flush to a disk first).
#include "platform/FileReplace.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/BrowserStorage.h"

bool platformReplaceFile(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    struct stat oldFile;
    if (stat(path.c_str(), &oldFile) == 0) {
        fchmod(fileno(file), (oldFile.st_mode & 07777) | S_IRUSR | S_IWUSR);
    }
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    storePlayerFiles();
    return true;
}
