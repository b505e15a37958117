#pragma once

#include "platform/WindowMessage.h"

// The window's event queue, translated into WindowMessage records with Windows
// virtual-key codes.

// Takes one message without waiting; false when none is pending.
bool platformPollMessage(WindowMessage& message);
// Waits at most timeoutMs milliseconds for one message; false when none came.
bool platformWaitMessage(WindowMessage& message, int timeoutMs);
