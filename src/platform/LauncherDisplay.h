#pragma once

#include <string>

// Opens the toolkit's connection to the display before the launcher's first
// window; false, with failure saying why, when there is no display to open.
bool launcherOpenDisplay(std::string& failure);
