#pragma once

// Windows only, for the *Windows.cpp files of this folder.
#include <shlobj.h>

#include <string>

// The folder Windows keeps for id (the Fonts folder, the roaming application data,
// Program Files), or an empty string when this system has none.
std::wstring knownFolderPath(REFKNOWNFOLDERID id);
