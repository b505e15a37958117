#include "app/FrameTime.h"

float gFrameTime = 0.0f;
