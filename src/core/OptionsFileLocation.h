#pragma once

#include <string>

// Where the player's options file lives. The game keeps it in its media folder
// while the player may write there (a build folder, a private install); from an
// install the player cannot write, or a system-wide one, each player keeps a copy
// of their own under their config folder instead.

// The folder made for the game inside the player's config folder.
constexpr const char* USER_OPTIONS_FOLDER = "zorbak-football-2";

// The path of the options file called name: media/<name> when mediaWritable;
// otherwise <userConfigFolder>/zorbak-football-2/<name>, with that folder made
// when it is missing and the file, on its first use, started as a copy of
// media/<name> where one exists. Empty when there is no such place (no config
// folder known, or it cannot be made or written): the options then keep their
// defaults and are not saved.
std::string locateOptionsFile(const char* name, bool mediaWritable, const std::string& userConfigFolder);

// The same with the platform's answers for this player: may they write the
// media folder (never for a media folder in the system's own tree, which a
// package owns), and where is their config folder.
std::string locateOptionsFile(const char* name);
