#pragma once

#include <string>

// The player's own folders, where the game keeps what it writes when its
// installed files are read-only.

// The base folder for this user's settings: $XDG_CONFIG_HOME when it holds an
// absolute path, else $HOME/.config; on Windows %APPDATA% (the roaming one).
// Empty when none is known.
std::string platformUserConfigFolder();

// The base folder for this user's data, such as their best scores: $XDG_DATA_HOME
// when it holds an absolute path, else $HOME/.local/share; on Windows %APPDATA%
// as for the settings. Empty when none is known.
std::string platformUserDataFolder();

// True when folder lies in the system's own tree of installed programs (under
// /usr; on Windows under Program Files), where a package manager owns every file: what a player writes must
// go to their own folders even when they may write there (root may).
bool platformIsSystemFolder(const std::string& folder);

// True when this process may create and replace files in folder.
bool platformMayWriteFolder(const std::string& folder);

// Makes folder and any missing parent (each new one open to its owner only, where
// the system has such modes);
// true when folder is there afterwards.
bool platformMakeFolders(const std::string& folder);
