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

// In the browser the calls the fixed-function emulation lacks or does
// differently go to the platform's own versions (GlCompatWeb.h).
#ifdef __EMSCRIPTEN__
#include "platform/GlCompatWeb.h"
#define glGenLists zfGlGenLists
#define glDeleteLists zfGlDeleteLists
#define glNewList zfGlNewList
#define glEndList zfGlEndList
#define glCallList zfGlCallList
#define glBegin zfGlBegin
#define glEnd zfGlEnd
#define glVertex3f zfGlVertex3f
#define glNormal3f zfGlNormal3f
#define glTexCoord2f zfGlTexCoord2f
#define glColor4f zfGlColor4f
#define glColor4fv zfGlColor4fv
#define glMaterialfv zfGlMaterialfv
#define glMateriali zfGlMateriali
#define glLightModeli zfGlLightModeli
#define glEnable zfGlEnable
#define glDisable zfGlDisable
#define glIsEnabled zfGlIsEnabled
#define glTexEnvi zfGlTexEnvi
#define glPushAttrib zfGlPushAttrib
#define glPopAttrib zfGlPopAttrib
#define glBindTexture zfGlBindTexture
#define glTexImage2D zfGlTexImage2D
#define glRasterPos2f zfGlRasterPos2f
#define glDrawPixels zfGlDrawPixels
#endif
