#pragma once

// The requests to stop that come from outside the window: SIGTERM (a logout, a
// shutdown, kill), SIGINT (Ctrl+C in a terminal) and SIGHUP (the terminal closed).
// Each ends the run as Q does: the loops that wait for the player look for the
// request at least every tenth of a second and end the run the normal way, with
// the options saved. A run that has not ended END_SIGNAL_GRACE_MS after the
// signal (stuck in a message box, say) is ended then, with the same save
// (RunEnd.h). Either way the exit code is 128 + the signal's number, as a shell
// reports a program ended by it.

constexpr int END_SIGNAL_GRACE_MS = 500;

struct SDL_Window;

// Catches the three signals from now on, and ignores SIGPIPE (a write to a lost
// display then fails and ends the run through DisplayServer.h); call once, first
// thing in the program.
void platformCatchEndSignals();

// The signal that asked the run to end, or 0 while none has.
int platformEndSignal();
// The exit code of a run that would otherwise end with code: 128 + the number of
// the stop signal once one asked the run to end.
int platformEndExitCode(int code);

// Where the desktop tells the end of the session to the program's windows rather
// than by a signal (Windows: the logoff's end-session message), the game window
// passes it on: the run ends with the same save and the exit code of SIGTERM.
// Elsewhere nothing to do; call once the window exists.
void platformWatchSessionEnd(SDL_Window* window);
