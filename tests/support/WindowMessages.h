#pragma once

#include <cstdint>

#include "platform/WindowMessage.h"

// A window message as the platform layer hands it to the engine: a key code or
// button state in wParam, the pointer position in x and y.
inline WindowMessage windowMessage(MessageKind kind, std::uint32_t wParam = 0, int x = 0, int y = 0) {
    WindowMessage message;
    message.kind = kind;
    message.wParam = wParam;
    message.x = x;
    message.y = y;
    return message;
}
