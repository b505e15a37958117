#pragma once

#include <string>

// The pads' layouts come from the library's own list, then from the player's:
// the SDL_GAMECONTROLLERCONFIG variable and gamecontrollerdb.txt in the game's
// folder of their config folder (the file the community keeps for SDL games).
constexpr const char* PAD_MAPPINGS_FILE = "gamecontrollerdb.txt";

// Takes the player's mappings, once a run, at most a few thousand of them (see
// PadMappingLines.h). A line the library refuses is left out and the first few
// such are named on standard error, the rest counted; the game plays on.
void loadPadMappings();

// The same from the variable's text and the file at filePath (either may be
// empty or missing). Returns the number of lines refused.
int loadPadMappings(const std::string& variableText, const std::string& filePath);
