#pragma once

// The few POSIX calls the tests use to set up their surroundings, for the
// Windows build of the tests (forced into each of its test files by
// tests/CMakeLists.txt). The game's own code never needs them.
extern "C" {
int setenv(const char* name, const char* value, int overwrite);
int unsetenv(const char* name);
char* mkdtemp(char* pattern);
// Windows has no named pipes in its file system: always fails.
int mkfifo(const char* path, unsigned mode);
}
