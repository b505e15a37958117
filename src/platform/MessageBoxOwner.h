#pragma once

#include <SDL.h>

#include "platform/MessageBox.h"

// Inside the platform layer only: which window a message box belongs to. While the
// game window is open, every box is its child, so that a window manager keeps the
// box above it even when the game fills the screen; otherwise the player would
// face what looks like a hung game with the box hidden behind it.

// The game window calls these when it appears and when it goes; a window that is
// not the owner leaves the owner alone when it goes.
void setMessageBoxOwner(SDL_Window* window);
void releaseMessageBoxOwner(SDL_Window* window);

// The box as platformShowMessageBox hands it to the library: buttons, icon, text
// and the parent window (null while no game window is open).
SDL_MessageBoxData describeMessageBox(MessageBoxKind kind, const char* caption, const char* text);
