#pragma once

#include <cstdint>

#include "platform/WindowMessage.h"

union SDL_Event;

// The Windows virtual-key code of a key, from the windowing library's key code
// (layout-dependent) and scancode (physical position, used for letters and digits
// on layouts whose keys carry other characters); 0 when the key has none.
std::uint32_t virtualKeyFromSdl(std::int32_t keycode, int scancode);

// Translates one library event into the engine's message record; false for events
// the engine does not take (including key presses the desktop keeps for itself:
// anything with Alt held, Alt itself and F10).
bool translateSdlEvent(const SDL_Event& event, WindowMessage& message);
