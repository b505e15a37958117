#pragma once

#include <vector>

#include "Canvas.h"
#include "Models.h"
#include "SoftRenderer.h"

// The scene items of the models placed as in a game: field, uprights, the dog
// with the ball, and the five robots at the given spots. Pointers into models.
std::vector<SceneItem> placeScene(const std::vector<BuiltModel>& models, V3 dog, const V3 robots[5],
                                  float robotHeading);
// The launcher's 640 x 480 picture: a game scene under the title.
Canvas paintSplash(const std::vector<BuiltModel>& models);
