#pragma once

// The end of a run that cannot go back through the program's own return: the
// display went away under it, or a stop signal found it stuck where it cannot look
// (a message box, say). What a normal end saves is saved here too, by the one
// function the application registers.

// The application's end-of-run save (null: nothing to save). It may be called
// from another thread than the main one, and must then not touch the display.
using EndOfRunSave = void (*)(void* owner);
void platformSetEndOfRunSave(EndOfRunSave save, void* owner);
// Takes the registration away again, but only the owner's own; waits while the
// save runs.
void platformClearEndOfRunSave(void* owner);

// Runs the registered save, then ends the process at once with exitCode: no
// static destructor and no exit handler runs, so nothing waits on a display that
// is gone.
[[noreturn]] void platformEndRunNow(int exitCode);
