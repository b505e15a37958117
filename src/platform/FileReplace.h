#pragma once

#include <string>

// Writes content to path through path + ".tmp", flushed to the disk before it is
// renamed over the old file, so the target is always either the old file or the
// complete new one: a crash or a full disk never leaves half a file. The new file
// keeps the old one's permissions, with read and write for its owner added. False
// (and no temporary file left) when any step fails.
bool platformReplaceFile(const std::string& path, const std::string& content);
