#include "platform/FileRemove.h"

#include <unistd.h>

#include <cerrno>

bool platformRemoveFile(const std::string& path) { return unlink(path.c_str()) == 0 || errno == ENOENT; }
