#include "core/FrameTime.h"

float gFrameTime = 0.0f;
