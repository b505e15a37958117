// The engine's reaction to one window message: keys into keyDown, the pointer into
// the stick value, the mouse buttons into Space and Control, and the ways to stop.
#include "app/Engine.h"
#include "platform/Window.h"

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

// The pointer stays caught only while the window has the focus, so a player who
// switches away gets it back.
void confineWhileFocused(Engine& engine, bool focused) {
    if (engine.running && engine.options.windowed != 0 && engine.hwnd != nullptr) {
        platformConfinePointer(engine.hwnd, focused);
    }
}

}  // namespace

void Engine::handleMessage(const WindowMessage& message) {
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
            confineWhileFocused(*this, message.kind == MESSAGE_FOCUS_GAINED);
            break;
        case MESSAGE_JOYSTICK_ADDED:
            // A joystick plugged in during play takes over as device 0.
            if (options.joystick != 0) {
                joystick.open(0);
            }
            break;
        case MESSAGE_EXPOSED:
            repaintDue = true;  // the next frame is drawn even if nothing moved
            break;
        case MESSAGE_NONE:
            break;
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
        default:
            // Releases (no key stays held by mistake), the pointer's place (read
            // only by the next step), the close box, focus and new joysticks.
            handleMessage(message);
            break;
    }
}
