#pragma once

#include <string>
#include <vector>

#include "Models.h"

// Software views for looking at the models without a window: the game's first
// view (lights off and on) and each figure close up. Written as PPM pictures.
bool writePreviews(std::vector<BuiltModel>& models, const std::string& folder);
