#pragma once

#include <string>

// Writes content to path through path + ".tmp", flushed to the disk and then
// moved over path, so that path is either the old file or the complete new one
// whatever happens meanwhile. False, with the old file untouched and no
// temporary left, when any step fails.
bool platformReplaceFile(const std::string& path, const std::string& content);
