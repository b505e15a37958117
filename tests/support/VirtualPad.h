#pragma once

#include <string>

// Stand-in pads for tests on machines without any: the library's virtual
// joysticks, attached as the next device. One with a layout is known to the
// game-controller mappings from the start; a raw one is known to none until a
// mapping for its identifier is added.
struct PlatformVirtualPad;

// The controls of a virtual pad with a layout.
enum VirtualPadControl {
    VIRTUAL_PAD_A,
    VIRTUAL_PAD_B,
    VIRTUAL_PAD_BACK,
    VIRTUAL_PAD_START,
    VIRTUAL_PAD_DPAD_UP,
    VIRTUAL_PAD_DPAD_DOWN,
    VIRTUAL_PAD_DPAD_LEFT,
    VIRTUAL_PAD_DPAD_RIGHT,
};

// Null when the library cannot attach one. A raw pad has two axes and eight
// buttons.
PlatformVirtualPad* platformAttachVirtualPad(bool withLayout);
// The device identifier a mapping line begins with.
std::string platformVirtualPadGuid(PlatformVirtualPad* pad);
void platformPressVirtualPad(PlatformVirtualPad* pad, VirtualPadControl control, bool down);
// Raw button number (0 is button 1) of a pad without a layout.
void platformPressVirtualPadButton(PlatformVirtualPad* pad, int button, bool down);
// Left stick (x, y) and right trigger on the library's scale.
void platformMoveVirtualPad(PlatformVirtualPad* pad, int x, int y, int rightTrigger);
// Unplugs it.
void platformDetachVirtualPad(PlatformVirtualPad* pad);
