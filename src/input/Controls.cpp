#include "input/Controls.h"

namespace {

// A window manager that passes the focusing click on sends it with the focus;
// one that keeps it (Openbox) sends nothing, and the player's next click, a
// moment later, is meant for the game.
constexpr double FOCUS_CLICK_SECONDS = 0.2;

enum SteerKey { STEER_LEFT = 0, STEER_UP, STEER_RIGHT, STEER_DOWN };

int steerKeyIndex(std::uint32_t key) {
    switch (key) {
        case VK_LEFT_KEY:
            return STEER_LEFT;
        case VK_UP_KEY:
            return STEER_UP;
        case VK_RIGHT_KEY:
            return STEER_RIGHT;
        case VK_DOWN_KEY:
            return STEER_DOWN;
        default:
            return -1;
    }
}

// -1, 0 or 1 along one axis; both keys at once cancel.
float keyAxis(bool towardsMinus, bool towardsPlus) {
    return static_cast<float>(static_cast<int>(towardsPlus) - static_cast<int>(towardsMinus));
}

}  // namespace

void Controls::press(Button& button, bool& source, bool down) {
    const bool wasHeld = button.keyHeld || button.mouseHeld || button.padHeld;
    source = down;
    // A key's repeats, or a second source joining a held button, are no new press.
    if (down && !wasHeld) {
        button.pressed = true;
    }
}

ButtonTick Controls::take(Button& button) {
    ButtonTick tick;
    tick.held = button.keyHeld || button.mouseHeld || button.padHeld;
    tick.pressed = button.pressed;
    button.pressed = false;
    return tick;
}

// The click that brings the focus back comes right after it: it was meant for
// the desktop, not for a hike or a kick. Any other input first means the focus
// came some other way (keys, a click elsewhere and a move over the window).
bool Controls::focusingClick(const WindowMessage& message, double now) {
    const bool due = focusClickDue_ && now - focusGainedAt_ <= FOCUS_CLICK_SECONDS;
    switch (message.kind) {
        case MESSAGE_LEFT_BUTTON_DOWN:
        case MESSAGE_RIGHT_BUTTON_DOWN:
            focusClickDue_ = false;
            return due;
        case MESSAGE_KEY_DOWN:
        case MESSAGE_KEY_UP:
        case MESSAGE_MOUSE_MOVE:
        case MESSAGE_LEFT_BUTTON_UP:
        case MESSAGE_RIGHT_BUTTON_UP:
            focusClickDue_ = false;
            return false;
        default:
            return false;
    }
}

void Controls::followKey(std::uint32_t key, bool down) {
    const int steerKey = steerKeyIndex(key);
    if (steerKey >= 0) {
        steerKeys_[steerKey] = down;
    } else if (key == VK_SPACE_KEY) {
        press(hike_, hike_.keyHeld, down);
    } else if (key == VK_CONTROL_KEY) {
        press(kick_, kick_.keyHeld, down);
    } else if (key == VK_P_KEY && down) {
        pausePressed_ = true;  // every press and every repeat of a held P
    }
}

void Controls::handle(const WindowMessage& message, double now) {
    if (focusingClick(message, now)) {
        return;
    }
    switch (message.kind) {
        case MESSAGE_KEY_DOWN:
        case MESSAGE_KEY_UP:
            followKey(message.wParam, message.kind == MESSAGE_KEY_DOWN);
            break;
        case MESSAGE_MOUSE_MOVE:
            // The drawable area maps onto [-1, 1] both ways: left and top -1,
            // right and bottom +1 (y grows downward).
            if (drawableWidth_ > 0 && drawableHeight_ > 0) {
                pointerX_ = static_cast<float>(2 * message.x) / static_cast<float>(drawableWidth_) - 1.0f;
                pointerY_ = static_cast<float>(2 * message.y) / static_cast<float>(drawableHeight_) - 1.0f;
            }
            break;
        case MESSAGE_LEFT_BUTTON_DOWN:
        case MESSAGE_LEFT_BUTTON_UP:
            press(hike_, hike_.mouseHeld, message.kind == MESSAGE_LEFT_BUTTON_DOWN);
            break;
        case MESSAGE_RIGHT_BUTTON_DOWN:
        case MESSAGE_RIGHT_BUTTON_UP:
            press(kick_, kick_.mouseHeld, message.kind == MESSAGE_RIGHT_BUTTON_DOWN);
            break;
        case MESSAGE_FOCUS_GAINED:
            // Only a focus that comes back can come by a click: a new window has
            // it from the start.
            if (!hasFocus_) {
                focusClickDue_ = true;
                focusGainedAt_ = now;
            }
            hasFocus_ = true;
            break;
        case MESSAGE_FOCUS_LOST:
            hasFocus_ = false;
            focusLost_ = true;
            break;
        default:
            break;
    }
}

void Controls::setDrawableSize(int width, int height) {
    drawableWidth_ = width;
    drawableHeight_ = height;
}

void Controls::openPad() {
    joystick_.open(0);  // an absent joystick simply never reports
    pad_.open(0);
}

void Controls::followPad() {
    PadRoles roles;
    padAnswers_ = pad_.read(joystick_, roles);
    if (!padAnswers_) {
        roles = PadRoles();  // unplugged: nothing of it stays held
    }
    press(hike_, hike_.padHeld, roles.hike);
    press(kick_, kick_.padHeld, roles.kick);
    // Start acts once per press, like a key that does not repeat.
    if (roles.start && !padStartHeld_) {
        pausePressed_ = true;
    }
    padStartHeld_ = roles.start;
    padX_ = roles.steerX;
    padY_ = roles.steerY;
}

// A steering key held leads; else a pad that answers; else the pointer.
void Controls::steer(TickInput& input) const {
    const bool anyKey = steerKeys_[STEER_LEFT] || steerKeys_[STEER_UP] || steerKeys_[STEER_RIGHT] ||
                        steerKeys_[STEER_DOWN];
    if (anyKey) {
        input.steerX = keyAxis(steerKeys_[STEER_LEFT], steerKeys_[STEER_RIGHT]);
        input.steerY = keyAxis(steerKeys_[STEER_UP], steerKeys_[STEER_DOWN]);
    } else if (padAnswers_) {
        input.steerX = padX_;
        input.steerY = padY_;
    } else {
        input.steerX = pointerX_;
        input.steerY = pointerY_;
    }
}

TickInput Controls::takeTick(float stepSeconds, bool scoreSoundsHeard) {
    followPad();
    TickInput input;
    input.stepSeconds = stepSeconds;
    steer(input);
    input.hike = take(hike_);
    input.kick = take(kick_);
    input.pausePressed = pausePressed_;
    input.focusLost = focusLost_;
    input.scoreSoundsHeard = scoreSoundsHeard;
    pausePressed_ = false;
    focusLost_ = false;
    ++ticksTaken_;
    return input;
}

void Controls::discardPending() {
    hike_.pressed = false;
    kick_.pressed = false;
    pausePressed_ = false;
    focusLost_ = false;
}
