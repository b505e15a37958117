// The one way a window message goes: the stop keys and the close box end the run,
// the window's own messages go to the window, a new pad to the controls, and every
// other input to the controls, which hand it to the game at the next tick.
#include "app/Engine.h"
#include "math/Clock.h"

void Engine::handleMessage(const WindowMessage& message) {
    switch (message.kind) {
        case MESSAGE_KEY_DOWN:
            if (message.wParam == VK_Q_KEY || message.wParam == VK_ESCAPE_KEY) {
                stop();
                return;
            }
            break;
        case MESSAGE_CLOSE:
            stop();
            return;
        case MESSAGE_JOYSTICK_ADDED:
            // A joystick plugged in during play takes over as device 0.
            if (options_.joystick != 0) {
                controls_.openPad();
            }
            return;
        case MESSAGE_RESIZED:
            window_.follow(message);
            adoptWindowSize(message.x, message.y);
            return;
        case MESSAGE_EXPOSED:
        case MESSAGE_TOGGLE_FULL_SCREEN:
        case MESSAGE_HIDDEN:
        case MESSAGE_SHOWN:
            window_.follow(message);
            return;
        default:
            break;
    }
    controls_.handle(message, getTimeSeconds());
}

void Engine::adoptWindowSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;  // a window squeezed to nothing keeps its last picture
    }
    window_.setDrawableSize(width, height);
    controls_.setDrawableSize(width, height);
    if (window_.context() != nullptr) {
        view_.setSize(width, height);
    }
}
