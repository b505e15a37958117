#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/EventTranslation.h"

namespace {

SDL_Event keyEvent(Uint32 type, SDL_Keycode key, SDL_Scancode scancode, Uint16 mod = KMOD_NONE,
                   Uint8 repeat = 0) {
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event buttonEvent(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event = {};
    event.type = type;
    event.button.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event windowEvent(Uint8 what) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
}

struct KeyCase {
    SDL_Keycode key;
    SDL_Scancode scancode;
    std::uint32_t virtualKey;
};

}  // namespace

TEST(VirtualKeyTest, KeysMapOntoTheWindowsNumbering) {
    const KeyCase cases[] = {
        {SDLK_b, SDL_SCANCODE_B, 0x42},         {SDLK_p, SDL_SCANCODE_P, 0x50},
        {SDLK_q, SDL_SCANCODE_Q, 0x51},         {SDLK_z, SDL_SCANCODE_Z, 0x5A},
        {SDLK_0, SDL_SCANCODE_0, 0x30},         {SDLK_9, SDL_SCANCODE_9, 0x39},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, 0x20}, {SDLK_LCTRL, SDL_SCANCODE_LCTRL, 0x11},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 0x11}, {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 0x10},
        {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0x10}, {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0x1B},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, 0x0D}, {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0x0D},
        {SDLK_TAB, SDL_SCANCODE_TAB, 0x09},     {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0x08},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, 0x25},   {SDLK_UP, SDL_SCANCODE_UP, 0x26},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 0x27}, {SDLK_DOWN, SDL_SCANCODE_DOWN, 0x28},
        {SDLK_F1, SDL_SCANCODE_F1, 0x70},       {SDLK_F12, SDL_SCANCODE_F12, 0x7B},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, 0x60},   {SDLK_KP_9, SDL_SCANCODE_KP_9, 0x69},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, 0x2E}, {SDLK_HOME, SDL_SCANCODE_HOME, 0x24},
        {SDLK_COMMA, SDL_SCANCODE_COMMA, 0xBC}, {SDLK_MINUS, SDL_SCANCODE_MINUS, 0xBD},
    };
    for (const KeyCase& keyCase : cases) {
        EXPECT_EQ(virtualKeyFromSdl(keyCase.key, keyCase.scancode), keyCase.virtualKey)
            << SDL_GetKeyName(keyCase.key);
    }
}

TEST(VirtualKeyTest, LettersAndDigitsOfOtherLayoutsGoByPosition) {
    // A Cyrillic layout types U+0430 on the F key; a French one types '&' on the 1 key.
    EXPECT_EQ(virtualKeyFromSdl(0x0430, SDL_SCANCODE_F), 0x46u);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_AMPERSAND, SDL_SCANCODE_1), 0x31u);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0u);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_AUDIOMUTE), 0u);
}

// The W A S D block steers by its place, whatever the layout types there: a
// French keyboard's Z Q S D are the same four keys.
TEST(VirtualKeyTest, TheWasdBlockGivesTheArrowsByPlace) {
    const KeyCase cases[] = {
        {SDLK_w, SDL_SCANCODE_W, VK_UP_KEY},   {SDLK_a, SDL_SCANCODE_A, VK_LEFT_KEY},
        {SDLK_s, SDL_SCANCODE_S, VK_DOWN_KEY}, {SDLK_d, SDL_SCANCODE_D, VK_RIGHT_KEY},
        {SDLK_z, SDL_SCANCODE_W, VK_UP_KEY},   {SDLK_q, SDL_SCANCODE_A, VK_LEFT_KEY},
    };
    for (const KeyCase& keyCase : cases) {
        EXPECT_EQ(virtualKeyFromSdl(keyCase.key, keyCase.scancode), keyCase.virtualKey)
            << SDL_GetKeyName(keyCase.key);
    }
    // Q and Z keep their letters where they stand elsewhere on the keyboard.
    EXPECT_EQ(virtualKeyFromSdl(SDLK_a, SDL_SCANCODE_Q), 0x41u);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_q, SDL_SCANCODE_Q), VK_Q_KEY);
}

TEST(EventTranslationTest, KeyPressesRepeatsAndReleases) {
    WindowMessage message;
    ASSERT_TRUE(translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_p, SDL_SCANCODE_P), message));
    EXPECT_EQ(message.kind, MESSAGE_KEY_DOWN);
    EXPECT_EQ(message.wParam, VK_P_KEY);

    // A held key's repeats are presses again (the pause key toggles on each).
    ASSERT_TRUE(translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_p, SDL_SCANCODE_P, KMOD_NONE, 1),
                                  message));
    EXPECT_EQ(message.kind, MESSAGE_KEY_DOWN);
    EXPECT_EQ(message.wParam, VK_P_KEY);

    ASSERT_TRUE(translateSdlEvent(keyEvent(SDL_KEYUP, SDLK_RCTRL, SDL_SCANCODE_RCTRL), message));
    EXPECT_EQ(message.kind, MESSAGE_KEY_UP);
    EXPECT_EQ(message.wParam, VK_CONTROL_KEY);

    // Control held is no desktop combination: Ctrl+Q still quits.
    ASSERT_TRUE(
        translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_q, SDL_SCANCODE_Q, KMOD_LCTRL), message));
    EXPECT_EQ(message.wParam, VK_Q_KEY);

    EXPECT_FALSE(
        translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), message));
}

TEST(EventTranslationTest, DesktopKeysNeverArriveAsPresses) {
    WindowMessage message;
    EXPECT_FALSE(
        translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_q, SDL_SCANCODE_Q, KMOD_LALT), message));
    EXPECT_FALSE(
        translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_RALT), message));
    EXPECT_FALSE(translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT), message));
    EXPECT_FALSE(translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10), message));
    // Other function keys are the game's.
    EXPECT_TRUE(translateSdlEvent(keyEvent(SDL_KEYDOWN, SDLK_F9, SDL_SCANCODE_F9), message));

    // A key released while Alt is held still lets go of its flag.
    ASSERT_TRUE(
        translateSdlEvent(keyEvent(SDL_KEYUP, SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_LALT), message));
    EXPECT_EQ(message.kind, MESSAGE_KEY_UP);
    EXPECT_EQ(message.wParam, VK_SPACE_KEY);
}

// Alt+Enter and F11 switch full screen once per press and never reach the game's
// keys as presses; Enter alone, Alt+F11 and a held key's repeats do not switch.
TEST(EventTranslationTest, FullScreenKeys) {
    const struct {
        SDL_Keycode key;
        SDL_Scancode scancode;
        Uint16 mod;
        Uint8 repeat;
        MessageKind kind;  // MESSAGE_NONE: nothing arrives
    } presses[] = {
        {SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, 0, MESSAGE_TOGGLE_FULL_SCREEN},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_RALT, 0, MESSAGE_TOGGLE_FULL_SCREEN},
        {SDLK_F11, SDL_SCANCODE_F11, KMOD_NONE, 0, MESSAGE_TOGGLE_FULL_SCREEN},
        {SDLK_F11, SDL_SCANCODE_F11, KMOD_NONE, 1, MESSAGE_NONE},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, 1, MESSAGE_NONE},
        {SDLK_F11, SDL_SCANCODE_F11, KMOD_LALT, 0, MESSAGE_NONE},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE, 0, MESSAGE_KEY_DOWN},
    };
    for (const auto& press : presses) {
        WindowMessage message;
        const bool arrives =
            translateSdlEvent(keyEvent(SDL_KEYDOWN, press.key, press.scancode, press.mod, press.repeat), message);
        EXPECT_EQ(arrives ? message.kind : MESSAGE_NONE, press.kind)
            << SDL_GetKeyName(press.key) << " mod " << press.mod << " repeat " << int(press.repeat);
    }
}

TEST(EventTranslationTest, PointerAndButtons) {
    WindowMessage message;
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 639;
    motion.motion.y = 0;
    ASSERT_TRUE(translateSdlEvent(motion, message));
    EXPECT_EQ(message.kind, MESSAGE_MOUSE_MOVE);
    EXPECT_EQ(message.x, 639);
    EXPECT_EQ(message.y, 0);

    struct ButtonCase {
        Uint32 type;
        Uint8 button;
        MessageKind kind;
    };
    const ButtonCase cases[] = {
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, MESSAGE_LEFT_BUTTON_DOWN},
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, MESSAGE_LEFT_BUTTON_UP},
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, MESSAGE_RIGHT_BUTTON_DOWN},
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, MESSAGE_RIGHT_BUTTON_UP},
    };
    for (const ButtonCase& buttonCase : cases) {
        ASSERT_TRUE(translateSdlEvent(buttonEvent(buttonCase.type, buttonCase.button, 5, 6),
                                      message));
        EXPECT_EQ(message.kind, buttonCase.kind);
    }
    EXPECT_FALSE(translateSdlEvent(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 5, 6),
                                   message));
}

TEST(EventTranslationTest, WindowAndDeviceEvents) {
    WindowMessage message;
    const struct {
        Uint8 event;
        MessageKind kind;
    } windowCases[] = {
        {SDL_WINDOWEVENT_CLOSE, MESSAGE_CLOSE},       {SDL_WINDOWEVENT_FOCUS_LOST, MESSAGE_FOCUS_LOST},
        {SDL_WINDOWEVENT_FOCUS_GAINED, MESSAGE_FOCUS_GAINED}, {SDL_WINDOWEVENT_EXPOSED, MESSAGE_EXPOSED},
        {SDL_WINDOWEVENT_MINIMIZED, MESSAGE_HIDDEN},  {SDL_WINDOWEVENT_HIDDEN, MESSAGE_HIDDEN},
        {SDL_WINDOWEVENT_RESTORED, MESSAGE_SHOWN},    {SDL_WINDOWEVENT_SHOWN, MESSAGE_SHOWN},
        {SDL_WINDOWEVENT_MAXIMIZED, MESSAGE_SHOWN},
    };
    for (const auto& windowCase : windowCases) {
        ASSERT_TRUE(translateSdlEvent(windowEvent(windowCase.event), message));
        EXPECT_EQ(message.kind, windowCase.kind) << int(windowCase.event);
    }
    EXPECT_FALSE(translateSdlEvent(windowEvent(SDL_WINDOWEVENT_MOVED), message));
    // A window the library no longer knows: the event's own size stands.
    SDL_Event resized = windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED);
    resized.window.data1 = 1000;
    resized.window.data2 = 700;
    ASSERT_TRUE(translateSdlEvent(resized, message));
    EXPECT_EQ(message.kind, MESSAGE_RESIZED);
    EXPECT_EQ(message.x, 1000);
    EXPECT_EQ(message.y, 700);

    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    ASSERT_TRUE(translateSdlEvent(quit, message));
    EXPECT_EQ(message.kind, MESSAGE_CLOSE);

    SDL_Event added = {};
    added.type = SDL_JOYDEVICEADDED;
    added.jdevice.which = 2;
    ASSERT_TRUE(translateSdlEvent(added, message));
    EXPECT_EQ(message.kind, MESSAGE_JOYSTICK_ADDED);
    EXPECT_EQ(message.wParam, 2u);

    SDL_Event axis = {};
    axis.type = SDL_JOYAXISMOTION;
    EXPECT_FALSE(translateSdlEvent(axis, message));
    EXPECT_EQ(message.kind, MESSAGE_NONE);
}
