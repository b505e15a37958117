#pragma once

// OpenGL 1.1, for the code that draws. On Windows the system's gl.h would bring
// all of windows.h along, whose macros (ERROR, OPAQUE, SEVERITY_ERROR, near,
// far ...) clash with the game's own names; given the two macros gl.h needs, it
// brings nothing else.
#ifdef _WIN32
#ifndef APIENTRY
#define APIENTRY __stdcall
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#endif
#endif

#include <GL/gl.h>

// OpenGL 1.2's name for the pixel order the label is drawn in. Windows' header
// stops at 1.1, though every driver there takes it.
#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
