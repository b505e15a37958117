#pragma once

#include <cstdint>

// One window event as the engine sees it: the platform layer translates its own
// events into these, with Windows virtual-key codes, so the engine's input rules
// do not depend on the windowing library.
enum MessageKind {
    MESSAGE_NONE = 0,
    MESSAGE_KEY_DOWN,
    MESSAGE_KEY_UP,
    MESSAGE_MOUSE_MOVE,
    MESSAGE_LEFT_BUTTON_DOWN,
    MESSAGE_LEFT_BUTTON_UP,
    MESSAGE_RIGHT_BUTTON_DOWN,
    MESSAGE_RIGHT_BUTTON_UP,
    MESSAGE_CLOSE,        // the desktop asked the window to close
    MESSAGE_FOCUS_GAINED,
    MESSAGE_FOCUS_LOST,
    MESSAGE_JOYSTICK_ADDED,
    MESSAGE_EXPOSED,      // part of the window was uncovered: its picture needs drawing again
    MESSAGE_RESIZED,      // the drawable area is now x by y pixels
    MESSAGE_TOGGLE_FULL_SCREEN,  // Alt+Enter or F11: the player's switch, never a game key
    MESSAGE_HIDDEN,       // minimised, unmapped or fully covered: nobody sees a picture
    MESSAGE_SHOWN,        // seen again
};

// Windows virtual-key codes the game reads.
constexpr std::uint32_t VK_SPACE_KEY = 0x20;
constexpr std::uint32_t VK_CONTROL_KEY = 0x11;
constexpr std::uint32_t VK_ESCAPE_KEY = 0x1B;
constexpr std::uint32_t VK_P_KEY = 0x50;
constexpr std::uint32_t VK_Q_KEY = 0x51;
// The steering keys: the arrows, and W A S D by their place on the keyboard,
// whatever letters the layout puts there (those keys arrive with the arrows' codes).
constexpr std::uint32_t VK_LEFT_KEY = 0x25;
constexpr std::uint32_t VK_UP_KEY = 0x26;
constexpr std::uint32_t VK_RIGHT_KEY = 0x27;
constexpr std::uint32_t VK_DOWN_KEY = 0x28;

struct WindowMessage {
    MessageKind kind = MESSAGE_NONE;
    std::uint32_t wParam = 0;  // key messages: the virtual-key code
    int x = 0;                 // pointer position in the window's drawable area, pixels
    int y = 0;                 // (MESSAGE_RESIZED: the area's new width and height)
};
