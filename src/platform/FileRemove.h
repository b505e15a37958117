#pragma once

#include <string>

// Removes the file at path (path in UTF-8); a link is removed itself, never what
// it points to. True when no file is left by that name, so a file that was never
// there is no failure.
bool platformRemoveFile(const std::string& path);
