#include "core/GameVersion.h"

#ifndef ZF_VERSION
#error "the build names the game's version (ZF_VERSION, from CMakeLists.txt)"
#endif

const char* gameVersion() { return ZF_VERSION; }
