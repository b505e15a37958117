#pragma once

#include <cstdint>
#include <string>

// Pads by their layout, through the library's game-controller mappings: its own
// database, the SDL_GAMECONTROLLERCONFIG variable and whatever
// platformAddPadMapping adds. A device it has no mapping for is read raw
// (JoystickDevice.h) instead.

// One read of a pad by layout. Sticks on the library's scale -32768 ... 32767,
// up and left negative; the trigger 0 ... 32767. A is the bottom face button and
// B the right one, by position, whatever letters the pad's maker printed on them.
struct PadLayoutReading {
    int leftX = 0;
    int leftY = 0;
    int rightTrigger = 0;
    bool a = false;
    bool b = false;
    bool start = false;
    bool back = false;
    bool dpadUp = false;
    bool dpadDown = false;
    bool dpadLeft = false;
    bool dpadRight = false;
};

// Starts the pads' service once; false when it cannot run.
bool platformPadsStart();
// Opens device n (the n-th joystick attached now) by its layout. False when there
// is no device n, or none of the mappings knows it: read it raw then.
bool platformPadOpen(std::uint32_t n);
// The pad opened as device n; false once it has been unplugged.
bool platformPadRead(std::uint32_t n, PadLayoutReading& reading);
// Closes every pad opened here.
void platformPadCloseAll();
// Once started, the pads' service catches an interrupt or terminate signal as
// the game window's does, and turns it into a request to quit: whether one came.
bool platformPadsSawQuitSignal();

// The name mappings give this system in their platform field ("Linux",
// "Windows", "Mac OS X"...).
const char* platformPadMappingSystem();

// Hands the library one mapping (a line without its line end or a zero byte).
// False, with the library's reason, when it refuses the line or the pads'
// service cannot start.
bool platformAddPadMapping(const std::string& mapping, std::string& reason);
