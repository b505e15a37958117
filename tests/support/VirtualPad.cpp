#include "support/VirtualPad.h"

#include <SDL.h>

struct PlatformVirtualPad {
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID instance = -1;
    bool withLayout = false;
};

namespace {

constexpr int RAW_AXES = 2;
constexpr int RAW_BUTTONS = 8;
// Each attached pad gets identifiers of its own, so a mapping added for one
// raw pad never makes a later one mapped.
Uint16 gNextProduct = 1;

SDL_GameControllerButton buttonOf(VirtualPadControl control) {
    switch (control) {
        case VIRTUAL_PAD_A: return SDL_CONTROLLER_BUTTON_A;
        case VIRTUAL_PAD_B: return SDL_CONTROLLER_BUTTON_B;
        case VIRTUAL_PAD_BACK: return SDL_CONTROLLER_BUTTON_BACK;
        case VIRTUAL_PAD_START: return SDL_CONTROLLER_BUTTON_START;
        case VIRTUAL_PAD_DPAD_UP: return SDL_CONTROLLER_BUTTON_DPAD_UP;
        case VIRTUAL_PAD_DPAD_DOWN: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
        case VIRTUAL_PAD_DPAD_LEFT: return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
        case VIRTUAL_PAD_DPAD_RIGHT: return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    }
    return SDL_CONTROLLER_BUTTON_INVALID;
}

// The layout reads a trigger's whole raw range as 0 ... 32767, so a raw 0 would
// be a trigger half pulled.
Sint16 rawTrigger(int pulled) {
    const int raw = 2 * pulled - 32768;
    return static_cast<Sint16>(raw < -32768 ? -32768 : (raw > 32767 ? 32767 : raw));
}

// The device index of an attached pad now (others may have left before it).
int deviceIndexOf(const PlatformVirtualPad* pad) {
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == pad->instance) {
            return index;
        }
    }
    return -1;
}

}  // namespace

PlatformVirtualPad* platformAttachVirtualPad(bool withLayout) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return nullptr;
    }
    SDL_VirtualJoystickDesc description;
    SDL_zero(description);
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.vendor_id = 0x5A46;  // "ZF"
    description.product_id = gNextProduct++;
    if (withLayout) {
        // The library gives a virtual game controller the standard layout:
        // button n is SDL_GameControllerButton n, axis n SDL_GameControllerAxis n.
        description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        description.naxes = SDL_CONTROLLER_AXIS_MAX;
        description.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
        description.name = "Virtual pad with a layout";
    } else {
        description.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        description.naxes = RAW_AXES;
        description.nbuttons = RAW_BUTTONS;
        description.name = "Virtual raw pad";
    }
    const int index = SDL_JoystickAttachVirtualEx(&description);
    if (index < 0) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        return nullptr;
    }
    PlatformVirtualPad* pad = new PlatformVirtualPad;
    pad->joystick = SDL_JoystickOpen(index);
    pad->instance = SDL_JoystickGetDeviceInstanceID(index);
    pad->withLayout = withLayout;
    if (withLayout) {
        for (int trigger : {SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT}) {
            SDL_JoystickSetVirtualAxis(pad->joystick, trigger, rawTrigger(0));
        }
    }
    return pad;
}

std::string platformVirtualPadGuid(PlatformVirtualPad* pad) {
    char text[64] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(pad->joystick), text, sizeof text);
    return text;
}

void platformPressVirtualPad(PlatformVirtualPad* pad, VirtualPadControl control, bool down) {
    SDL_JoystickSetVirtualButton(pad->joystick, buttonOf(control), down ? SDL_PRESSED : SDL_RELEASED);
}

void platformPressVirtualPadButton(PlatformVirtualPad* pad, int button, bool down) {
    SDL_JoystickSetVirtualButton(pad->joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
}

void platformMoveVirtualPad(PlatformVirtualPad* pad, int x, int y, int rightTrigger) {
    SDL_JoystickSetVirtualAxis(pad->joystick, 0, static_cast<Sint16>(x));
    SDL_JoystickSetVirtualAxis(pad->joystick, 1, static_cast<Sint16>(y));
    if (pad->withLayout) {
        SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT,
                                   rawTrigger(rightTrigger));
    }
}

void platformDetachVirtualPad(PlatformVirtualPad* pad) {
    if (pad == nullptr) {
        return;
    }
    SDL_JoystickClose(pad->joystick);
    const int index = deviceIndexOf(pad);
    if (index >= 0) {
        SDL_JoystickDetachVirtual(index);
    }
    SDL_JoystickUpdate();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    delete pad;
}
