#include "text/TextLabel.h"
