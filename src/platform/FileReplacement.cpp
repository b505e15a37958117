#include "platform/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

bool platformReplaceFile(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    struct stat oldFile;
    if (stat(path.c_str(), &oldFile) == 0) {
        fchmod(fileno(file), oldFile.st_mode & 07777);  // the new file keeps the old permissions
    }
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    written = std::fflush(file) == 0 && written;
    written = fsync(fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
