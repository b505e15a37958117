#pragma once

#include <string>

// The directory that holds the running executable, without a trailing '/'.
std::string platformExecutableDirectory();

// Points the lookup at another directory (empty restores the real one), so that
// a test can give the game a media/ folder of its own.
void platformSetExecutableDirectoryForTesting(const std::string& directory);
