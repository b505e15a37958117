// The engine's reaction to one window message: keys into keyDown, the pointer into
// the stick value, the mouse buttons into Space and Control, and the ways to stop.
#include "app/Engine.h"
#include "math/Clock.h"

namespace {

constexpr std::uint32_t KEY_CODES = 256;

void setKey(Engine& engine, std::uint32_t virtualKey, std::uint8_t down) {
    if (virtualKey < KEY_CODES) {
        engine.keyDown[virtualKey] = down;
    }
}

void stop(Engine& engine) {
    engine.releaseWindow();
    engine.running = false;
}

// The drawable area maps onto [-1, 1] both ways: left and top -1, right and
// bottom +1 (y grows downward). Pointer positions arrive in drawable pixels.
void movePointer(Engine& engine, int x, int y) {
    const int width = engine.drawableWidth;
    const int height = engine.drawableHeight;
    if (width <= 0 || height <= 0) {
        return;  // no window yet: nothing to map onto
    }
    engine.stickX = static_cast<float>(2 * x) / static_cast<float>(width) - 1.0f;
    engine.stickY = static_cast<float>(2 * y) / static_cast<float>(height) - 1.0f;
}

// A window manager that passes the focusing click on sends it with the focus;
// one that keeps it (Openbox) sends nothing, and the player's next click, a
// moment later, is meant for the game.
constexpr double FOCUS_CLICK_SECONDS = 0.2;

// The click that brings the focus back comes right after it: it was meant for
// the desktop, not for a hike or a kick. Any other input first means the focus
// came some other way (keys, a click elsewhere and a move over the window).
bool focusingClick(ControlState& controls, const WindowMessage& message) {
    const bool due = controls.focusClickDue && getTimeSeconds() - controls.focusGainedAt <= FOCUS_CLICK_SECONDS;
    switch (message.kind) {
        case MESSAGE_LEFT_BUTTON_DOWN:
        case MESSAGE_RIGHT_BUTTON_DOWN:
            controls.focusClickDue = false;
            return due;
        case MESSAGE_KEY_DOWN:
        case MESSAGE_KEY_UP:
        case MESSAGE_MOUSE_MOVE:
        case MESSAGE_LEFT_BUTTON_UP:
        case MESSAGE_RIGHT_BUTTON_UP:
            controls.focusClickDue = false;
            return false;
        default:
            return false;
    }
}

}  // namespace

void Engine::handleMessage(const WindowMessage& message) {
    if (focusingClick(controls, message)) {
        return;
    }
    switch (message.kind) {
        case MESSAGE_KEY_DOWN:
            setKey(*this, message.wParam, 1);
            if (message.wParam == VK_Q_KEY || message.wParam == VK_ESCAPE_KEY) {
                stop(*this);
            }
            break;
        case MESSAGE_KEY_UP:
            setKey(*this, message.wParam, 0);
            break;
        case MESSAGE_MOUSE_MOVE:
            movePointer(*this, message.x, message.y);
            break;
        case MESSAGE_LEFT_BUTTON_DOWN:
        case MESSAGE_LEFT_BUTTON_UP:
            keyDown[VK_SPACE_KEY] = message.kind == MESSAGE_LEFT_BUTTON_DOWN ? 1 : 0;
            break;
        case MESSAGE_RIGHT_BUTTON_DOWN:
        case MESSAGE_RIGHT_BUTTON_UP:
            keyDown[VK_CONTROL_KEY] = message.kind == MESSAGE_RIGHT_BUTTON_DOWN ? 1 : 0;
            break;
        case MESSAGE_CLOSE:
            stop(*this);
            break;
        case MESSAGE_FOCUS_GAINED:
        case MESSAGE_FOCUS_LOST:
            followFocus(message.kind == MESSAGE_FOCUS_GAINED, true);
            break;
        case MESSAGE_JOYSTICK_ADDED:
            // A joystick plugged in during play takes over as device 0.
            if (options.joystick != 0) {
                joystick.open(0);
                pad.open(0);
            }
            break;
        case MESSAGE_EXPOSED:
        case MESSAGE_RESIZED:
        case MESSAGE_TOGGLE_FULL_SCREEN:
        case MESSAGE_HIDDEN:
        case MESSAGE_SHOWN:
            handleWindowChange(message);
            break;
        case MESSAGE_NONE:
            break;
    }
    if (keyDown[VK_SPACE_KEY] == 0) {
        controls.hikeHeldOver = false;  // the press that resumed is over
    }
}

void Engine::handleMessageWhileWaiting(const WindowMessage& message) {
    switch (message.kind) {
        case MESSAGE_KEY_DOWN:
            // Only the keys that end the game act. A press meant for play is
            // dropped, so it cannot hike or kick once the wait is over.
            if (message.wParam == VK_Q_KEY || message.wParam == VK_ESCAPE_KEY) {
                handleMessage(message);
            }
            break;
        case MESSAGE_LEFT_BUTTON_DOWN:
        case MESSAGE_RIGHT_BUTTON_DOWN:
            break;
        case MESSAGE_EXPOSED:
            repaintDue = true;
            break;
        case MESSAGE_FOCUS_LOST:
            // The wait after a score is no play to pause.
            followFocus(false, false);
            break;
        default:
            // Releases (no key stays held by mistake), the pointer's place (read
            // only by the next step), the close box, focus and new joysticks.
            handleMessage(message);
            break;
    }
}
