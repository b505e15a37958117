#include "platform/GamepadDevice.h"

#include <SDL.h>

#include <string>

namespace {

constexpr std::uint32_t DEVICE_SLOTS = 16;

SDL_GameController* gOpenPads[DEVICE_SLOTS] = {};

// The pads are read by polling: their own events would only pile up in the
// queue the game window's messages come through. Plugging and unplugging still
// arrive there.
void ignorePadEvents() {
    const Uint32 unused[] = {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION,
                             SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP, SDL_CONTROLLERAXISMOTION,
                             SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP,
                             SDL_CONTROLLERTOUCHPADDOWN, SDL_CONTROLLERTOUCHPADMOTION,
                             SDL_CONTROLLERTOUCHPADUP, SDL_CONTROLLERSENSORUPDATE};
    for (Uint32 type : unused) {
        SDL_EventState(type, SDL_IGNORE);
    }
}

bool pressed(SDL_GameController* pad, SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(pad, button) != 0;
}

}  // namespace

bool platformPadsStart() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0) {
        return true;
    }
    // Pads report while the game window is in the background too, as the raw
    // joysticks do.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // A is the bottom face button on every pad, also where the maker printed B
    // on it: the game asks for a place under the thumb, not for a letter.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return false;
    }
    ignorePadEvents();
    return true;
}

bool platformPadOpen(std::uint32_t n) {
    if (n >= DEVICE_SLOTS || !platformPadsStart()) {
        return false;
    }
    SDL_GameController*& slot = gOpenPads[n];
    if (slot != nullptr) {
        SDL_GameControllerClose(slot);
        slot = nullptr;
    }
    SDL_JoystickUpdate();  // takes in devices plugged in since the last look
    const int index = static_cast<int>(n);
    if (index < SDL_NumJoysticks() && SDL_IsGameController(index) == SDL_TRUE) {
        slot = SDL_GameControllerOpen(index);
    }
    return slot != nullptr;
}

bool platformPadRead(std::uint32_t n, PadLayoutReading& reading) {
    if (n >= DEVICE_SLOTS || gOpenPads[n] == nullptr) {
        return false;
    }
    SDL_GameController* pad = gOpenPads[n];
    SDL_GameControllerUpdate();
    if (SDL_GameControllerGetAttached(pad) != SDL_TRUE) {
        return false;
    }
    reading.leftX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    reading.leftY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    reading.rightTrigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    reading.a = pressed(pad, SDL_CONTROLLER_BUTTON_A);
    reading.b = pressed(pad, SDL_CONTROLLER_BUTTON_B);
    reading.start = pressed(pad, SDL_CONTROLLER_BUTTON_START);
    reading.back = pressed(pad, SDL_CONTROLLER_BUTTON_BACK);
    reading.dpadUp = pressed(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    reading.dpadDown = pressed(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    reading.dpadLeft = pressed(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    reading.dpadRight = pressed(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    return true;
}

void platformPadCloseAll() {
    for (SDL_GameController*& slot : gOpenPads) {
        if (slot != nullptr) {
            SDL_GameControllerClose(slot);
            slot = nullptr;
        }
    }
}

bool platformPadsSawQuitSignal() {
    return SDL_WasInit(SDL_INIT_EVENTS) != 0 && SDL_QuitRequested();
}

const char* platformPadMappingSystem() { return SDL_GetPlatform(); }

bool platformAddPadMapping(const std::string& mapping, std::string& reason) {
    if (!platformPadsStart()) {
        reason = SDL_GetError();
        return false;
    }
    if (SDL_GameControllerAddMapping(mapping.c_str()) < 0) {
        reason = SDL_GetError();
        return false;
    }
    return true;
}
