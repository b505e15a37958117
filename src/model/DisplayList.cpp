#include "platform/OpenGl.h"

#include "model/Model.h"

namespace {
constexpr std::uint32_t DISPLAY_LIST_BLOCK = 1000;
std::uint32_t gNextDisplayList = 0;
std::uint32_t gBlockEnd = 0;
}  // namespace

std::uint32_t newDisplayList() {
    // Names are reserved a block at a time; when a block runs out (or a
    // reservation fails) another block is asked for, so no name is ever handed
    // out that OpenGL did not reserve.
    if (gNextDisplayList == 0 || gNextDisplayList >= gBlockEnd) {
        GLuint first = glGenLists(DISPLAY_LIST_BLOCK);
        if (first == 0) {
            return 0;
        }
        gNextDisplayList = first;
        gBlockEnd = first + DISPLAY_LIST_BLOCK;
    }
    return gNextDisplayList++;
}

void resetDisplayListNamesForTesting() {
    gNextDisplayList = 0;
    gBlockEnd = 0;
}
