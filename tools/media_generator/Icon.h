#pragma once

#include <string>
#include <vector>

#include "Models.h"

// The desktop icon: the dog carrying the ball, drawn by the software renderer on
// a clear background.
constexpr const char* ICON_NAME = "zorbak-football-2";
constexpr int ICON_SIZES[] = {48, 64, 128, 256};

// Writes <folder>/<size>x<size>/apps/zorbak-football-2.png for every icon size
// (the layout of an icon theme such as hicolor), making the folders, and when
// icoPath is given the same pictures as one Windows .ico file there.
bool writeIcons(const std::vector<BuiltModel>& models, const std::string& folder, const std::string& icoPath);
