#include "PosixShim.h"

#include <direct.h>
#include <io.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

// The header's declarations give these definitions C linkage.
int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name) != nullptr) return 0;
    return _putenv_s(name, value) == 0 ? 0 : -1;
}

// An empty value removes the variable from the C library's and Windows' lists.
int unsetenv(const char* name) { return _putenv_s(name, "") == 0 ? 0 : -1; }

char* mkdtemp(char* pattern) {
    const bool made = _mktemp_s(pattern, std::strlen(pattern) + 1) == 0 && _mkdir(pattern) == 0;
    return made ? pattern : nullptr;
}

int mkfifo(const char*, unsigned) {
    errno = ENOSYS;
    return -1;
}
