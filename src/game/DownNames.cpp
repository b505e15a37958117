#include "game/Game.h"

// "1st Down" is never shown: the first down of a drive shows the score line.
const char DOWN_NAMES[4][32] = {"1st Down", "2nd Down", "3rd Down", "4th Down"};
