#include "PosixShim.h"

#include <direct.h>
#include <io.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern "C" int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name) != nullptr) {
        return 0;
    }
    return _putenv_s(name, value) == 0 ? 0 : -1;
}

// An empty value removes the variable from the C library's and Windows' lists.
extern "C" int unsetenv(const char* name) { return _putenv_s(name, "") == 0 ? 0 : -1; }

extern "C" char* mkdtemp(char* pattern) {
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0 || _mkdir(pattern) != 0) {
        return nullptr;
    }
    return pattern;
}

extern "C" int mkfifo(const char*, unsigned) {
    errno = ENOSYS;
    return -1;
}
