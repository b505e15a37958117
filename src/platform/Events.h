#pragma once

#include "platform/WindowMessage.h"

// The window's event queue, translated into WindowMessage records with Windows
// virtual-key codes.

// Takes one message without waiting; false when none is pending.
bool platformPollMessage(WindowMessage& message);
// Waits at most timeoutMs milliseconds for one message; false when none came.
bool platformWaitMessage(WindowMessage& message, int timeoutMs);

// Tests that play the game on a display shared with other tests: those tests'
// windows cover this one and take its focus, which no desktop does in the middle
// of a scripted drive. While set, focus and coverage reports are dropped.
void platformIgnoreDesktopChangesForTesting(bool ignore);
