#pragma once

#include <functional>

// Runs the program's main loop: iteration again and again until it returns
// false, then atEnd once. On the desktop this returns after atEnd. In a browser
// the page's one thread must go back to the browser between iterations, so
// the loop is handed over to the browser: this never returns there, and
// iteration is called again after the wait it last asked for
// (platformWaitMessage). Call once.
void platformRunMainLoop(std::function<bool()> iteration, std::function<void()> atEnd);
