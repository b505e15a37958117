#pragma once

#include <string>

// The player's own folders, where the game keeps what it writes when its
// installed files are read-only.

// The base folder for this user's settings: $XDG_CONFIG_HOME when it holds an
// absolute path, else $HOME/.config; on Windows %APPDATA% (the roaming one).
// Empty when none is known.
std::string platformUserConfigFolder();

// True when this process may create and replace files in folder.
bool platformMayWriteFolder(const std::string& folder);

// Makes folder and any missing parent (each new one open to its owner only, where
// the system has such modes);
// true when folder is there afterwards.
bool platformMakeFolders(const std::string& folder);
