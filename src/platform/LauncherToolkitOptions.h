#pragma once

// The toolkit's global options (tooltips shown, the focus box drawn, ...) at its
// documented defaults, set by the program itself. Left to the toolkit, its first
// look at them reads its preference files and writes them back when they hold no
// options yet: ~/.fltk/ (and /etc/fltk/ as root) on Linux, the user's and the
// shared application-data folders on Windows, all outside the game's folders and
// left behind by an uninstall. Call before the first window is shown; later calls
// do nothing.
void keepToolkitOptionsInProgram();
