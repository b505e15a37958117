// Key codes of the windowing library mapped onto the Windows virtual-key numbering
// that the game's key table uses.
#include <SDL.h>

#include "platform/EventTranslation.h"

namespace {

struct KeyPair {
    SDL_Keycode key;
    std::uint32_t virtualKey;
};

constexpr KeyPair KEY_TABLE[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09}, {SDLK_RETURN, 0x0D}, {SDLK_RETURN2, 0x0D},
    {SDLK_KP_ENTER, 0x0D}, {SDLK_LSHIFT, 0x10}, {SDLK_RSHIFT, 0x10}, {SDLK_LCTRL, 0x11},
    {SDLK_RCTRL, 0x11}, {SDLK_LALT, 0x12}, {SDLK_RALT, 0x12}, {SDLK_PAUSE, 0x13},
    {SDLK_CAPSLOCK, 0x14}, {SDLK_ESCAPE, 0x1B}, {SDLK_SPACE, 0x20}, {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22}, {SDLK_END, 0x23}, {SDLK_HOME, 0x24}, {SDLK_LEFT, 0x25},
    {SDLK_UP, 0x26}, {SDLK_RIGHT, 0x27}, {SDLK_DOWN, 0x28}, {SDLK_SELECT, 0x29},
    {SDLK_EXECUTE, 0x2B}, {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D}, {SDLK_DELETE, 0x2E},
    {SDLK_HELP, 0x2F}, {SDLK_LGUI, 0x5B}, {SDLK_RGUI, 0x5C}, {SDLK_APPLICATION, 0x5D},
    {SDLK_SLEEP, 0x5F}, {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_PERIOD, 0x6E}, {SDLK_KP_DECIMAL, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F}, {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB}, {SDLK_PLUS, 0xBB}, {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD}, {SDLK_PERIOD, 0xBE}, {SDLK_SLASH, 0xBF}, {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

std::uint32_t rangeKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return 0x41 + static_cast<std::uint32_t>(key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return 0x30 + static_cast<std::uint32_t>(key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return 0x70 + static_cast<std::uint32_t>(key - SDLK_F1);
    }
    if (key >= SDLK_F13 && key <= SDLK_F24) {
        return 0x7C + static_cast<std::uint32_t>(key - SDLK_F13);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return 0x61 + static_cast<std::uint32_t>(key - SDLK_KP_1);
    }
    if (key == SDLK_KP_0) {
        return 0x60;
    }
    return 0;
}

// Letters and digits by their position, for layouts whose keys type other
// characters there (Cyrillic, Greek, ...): Windows gives those keys the Latin codes.
std::uint32_t positionKey(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 0x41 + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_A);
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return 0x31 + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_1);
    }
    if (scancode == SDL_SCANCODE_0) {
        return 0x30;
    }
    return 0;
}

}  // namespace

// The W A S D block steers by its place, as the arrows do: on a French keyboard
// the same four keys read Z Q S D, and there the Q key steers left (Escape quits).
static std::uint32_t steeringPositionKey(int scancode) {
    switch (scancode) {
        case SDL_SCANCODE_W:
            return VK_UP_KEY;
        case SDL_SCANCODE_A:
            return VK_LEFT_KEY;
        case SDL_SCANCODE_S:
            return VK_DOWN_KEY;
        case SDL_SCANCODE_D:
            return VK_RIGHT_KEY;
        default:
            return 0;
    }
}

std::uint32_t virtualKeyFromSdl(std::int32_t keycode, int scancode) {
    std::uint32_t virtualKey = steeringPositionKey(scancode);
    if (virtualKey != 0) {
        return virtualKey;
    }
    virtualKey = rangeKey(keycode);
    if (virtualKey != 0) {
        return virtualKey;
    }
    for (const KeyPair& pair : KEY_TABLE) {
        if (pair.key == keycode) {
            return pair.virtualKey;
        }
    }
    return positionKey(scancode);
}
