#pragma once

// Inside the platform layer only, in the browser: what the game's OpenGL 1.1
// needs and Emscripten's fixed-function emulation lacks or does differently,
// supplied on top of it. platform/OpenGl.h points the game's calls of these
// names here; everything else goes to the emulation itself.
//   display lists    recorded as vertex arrays (GlListRecording.h), one buffer
//                    a list, replayed by glCallList
//   materials        glMateriali; the emission, which the emulation refuses
//   lights           glLightModeli; positional lights, which the emulation's
//                    shaders treat as directional
//   glPush/PopAttrib the enable bit (the only one the game saves)
//   the label        glRasterPos2f and glDrawPixels, drawn as a textured square
//   textures         uploaded as RGBA, the small formats cut to their bits on
//                    the CPU (TexelFormats.h); texture 0 bound draws untextured,
//                    as OpenGL's incomplete default texture does
#include <GL/gl.h>

// The context is new (or about to go): state kept for it starts afresh.
void webGlCompatStart();
void webGlCompatStop();

GLuint zfGlGenLists(GLsizei range);
void zfGlDeleteLists(GLuint list, GLsizei range);
void zfGlNewList(GLuint list, GLenum mode);
void zfGlEndList();
void zfGlCallList(GLuint list);

void zfGlBegin(GLenum mode);
void zfGlEnd();
void zfGlVertex3f(GLfloat x, GLfloat y, GLfloat z);
void zfGlNormal3f(GLfloat x, GLfloat y, GLfloat z);
void zfGlTexCoord2f(GLfloat u, GLfloat v);
void zfGlColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void zfGlColor4fv(const GLfloat* rgba);
void zfGlMaterialfv(GLenum face, GLenum parameter, const GLfloat* values);
void zfGlMateriali(GLenum face, GLenum parameter, GLint value);
void zfGlLightModeli(GLenum parameter, GLint value);
void zfGlEnable(GLenum capability);
void zfGlDisable(GLenum capability);
GLboolean zfGlIsEnabled(GLenum capability);
void zfGlTexEnvi(GLenum target, GLenum parameter, GLint value);
void zfGlPushAttrib(GLbitfield mask);
void zfGlPopAttrib();

void zfGlBindTexture(GLenum target, GLuint texture);
void zfGlTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const void* pixels);

void zfGlRasterPos2f(GLfloat x, GLfloat y);
void zfGlDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels);
