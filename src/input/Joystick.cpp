#include "input/Joystick.h"
