#pragma once

#include <string>

// The separator of folder names in the paths the game makes (and shows in its
// messages): the one the player's system writes.
#ifdef _WIN32
constexpr char PLATFORM_PATH_SEPARATOR = '\\';
#else
constexpr char PLATFORM_PATH_SEPARATOR = '/';
#endif

// The directory that holds the running executable, without a trailing separator.
std::string platformExecutableDirectory();

// Points the lookup at another directory (empty restores the real one), so that
// a test can give the game a media/ folder of its own.
void platformSetExecutableDirectoryForTesting(const std::string& directory);
