// The OpenGL 1.1 that the game draws with, completed on top of Emscripten's
// fixed-function emulation (GlCompatWeb.h says what and why). The emulation's
// own entry points are called by their plain names here: this file does not see
// the renaming in platform/OpenGl.h.
#define GL_GLEXT_PROTOTYPES
#include "platform/GlCompatWeb.h"

#include <GL/glext.h>
#include <emscripten.h>

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/GlListRecording.h"
#include "platform/TexelFormats.h"

namespace {

struct CompiledList {
    RecordedList recorded;
    GLuint buffer = 0;  // every vertex of the list, uploaded once
};

// The capabilities glPushAttrib(GL_ENABLE_BIT) keeps: those the emulation
// answers for and those WebGL has.
constexpr GLenum SAVED_CAPABILITIES[] = {
    GL_LIGHTING, GL_LIGHT0,     GL_LIGHT1,     GL_LIGHT2,   GL_LIGHT3,      GL_LIGHT4,
    GL_LIGHT5,   GL_LIGHT6,     GL_LIGHT7,     GL_FOG,      GL_ALPHA_TEST,  GL_TEXTURE_2D,
    GL_BLEND,    GL_CULL_FACE,  GL_DEPTH_TEST, GL_DITHER,   GL_SCISSOR_TEST, GL_STENCIL_TEST,
    GL_POLYGON_OFFSET_FILL,
};
constexpr std::size_t SAVED_CAPABILITY_COUNT = sizeof SAVED_CAPABILITIES / sizeof SAVED_CAPABILITIES[0];

struct SavedAttributes {
    GLbitfield mask = 0;
    bool enabled[SAVED_CAPABILITY_COUNT] = {};
};

struct CompatState {
    std::unordered_map<GLuint, CompiledList> lists;
    GLuint nextListName = 1;
    GLuint compiling = 0;  // the list being recorded, 0 for none
    // Inside glBegin/glEnd outside a list: the emulation takes a vertex's
    // attributes there only.
    bool immediateBlock = false;
    GLenum compileMode = GL_COMPILE;
    GlListRecorder recorder;
    // OpenGL's current normal, which a block without normals of its own takes.
    float currentNormal[3] = {0.0f, 0.0f, 1.0f};
    // Texturing as the game asked for it, and the texture bound: WebGL samples
    // no texture as black, where OpenGL's default texture draws untextured.
    bool texturingWanted = false;
    GLuint boundTexture = 0;
    GLint texEnvMode = GL_MODULATE;
    std::vector<SavedAttributes> attributeStack;
    // The raster position in window coordinates.
    float rasterX = 0.0f;
    float rasterY = 0.0f;
    GLuint pixelsTexture = 0;
    GLsizei pixelsWidth = 0;
    GLsizei pixelsHeight = 0;
    std::vector<std::uint8_t> pixelsRgba;
};

CompatState gState;

// The emulation keeps the emission in its state and hands it to its shaders,
// but its glMaterialfv refuses to set it.
EM_JS(void, setEmulationEmission, (const float* rgba), {
    GLEmulation.materialEmission.set(HEAPF32.subarray(rgba >> 2, (rgba >> 2) + 4));
});

// The emulation's shaders light every light as if it were infinitely far away.
// A light whose position has w = 1 shines from that point instead, as in OpenGL.
EM_JS(void, makeLightsPositional, (), {
    if (GLctx.zfPositionalLights) {
        return;
    }
    var shaderSource = GLctx.shaderSource;
    GLctx.shaderSource = function(shader, source) {
        var directional = new RegExp('normalize[(]u_lightPosition([0-7])[)][.]xyz', 'g');
        source = source.replace(directional, function(whole, light) {
            var position = 'u_lightPosition' + light;
            return '(' + position + '.w == 0.0 ? normalize(' + position + '.xyz) : normalize(' + position +
                   '.xyz - ecPosition.xyz / ecPosition.w))';
        });
        return shaderSource.call(GLctx, shader, source);
    };
    GLctx.zfPositionalLights = true;
});

// A block without normals takes the current normal: the emulation's normal
// attribute, with no array behind it, reads this constant.
EM_JS(void, setConstantNormal, (float x, float y, float z), {
    GLctx.vertexAttrib3f(GLImmediate.NORMAL, x, y, z);
});

bool recording() { return gState.compiling != 0; }

// While a list is compiled its calls are only recorded; GL_COMPILE_AND_EXECUTE
// runs the whole list once it is complete, in the order it was given.
bool executing() { return !recording(); }

void applyTexturing() {
    if (gState.texturingWanted && gState.boundTexture != 0) {
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

void executeEnable(GLenum capability, bool on) {
    if (capability == GL_TEXTURE_2D) {
        gState.texturingWanted = on;
        applyTexturing();
    } else if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

int materialValueCount(GLenum parameter) { return parameter == GL_SHININESS ? 1 : 4; }

void executeMaterial(GLenum face, GLenum parameter, const GLfloat* values) {
    if (parameter == GL_EMISSION) {
        setEmulationEmission(values);
    } else if (parameter == GL_AMBIENT_AND_DIFFUSE) {
        glMaterialfv(face, GL_AMBIENT, values);
        glMaterialfv(face, GL_DIFFUSE, values);
    } else {
        glMaterialfv(face, parameter, values);
    }
}

void executeTexEnv(GLenum target, GLenum parameter, GLint value) {
    glTexEnvi(target, parameter, value);
    if (target == GL_TEXTURE_ENV && parameter == GL_TEXTURE_ENV_MODE) {
        gState.texEnvMode = value;
    }
}

void releaseList(GLuint name) {
    const auto found = gState.lists.find(name);
    if (found == gState.lists.end()) {
        return;
    }
    if (found->second.buffer != 0) {
        glDeleteBuffers(1, &found->second.buffer);
    }
    gState.lists.erase(found);
}

void drawBlock(const CompiledList& list, const ListCall& block) {
    constexpr GLsizei STRIDE = sizeof(ListVertex);
    glBindBuffer(GL_ARRAY_BUFFER, list.buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, STRIDE, reinterpret_cast<const void*>(offsetof(ListVertex, position)));
    if (block.hasNormals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, STRIDE, reinterpret_cast<const void*>(offsetof(ListVertex, normal)));
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        setConstantNormal(gState.currentNormal[0], gState.currentNormal[1], gState.currentNormal[2]);
    }
    if (block.hasTexCoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, STRIDE, reinterpret_cast<const void*>(offsetof(ListVertex, texCoord)));
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDrawArrays(block.first, static_cast<GLint>(block.firstVertex), static_cast<GLsizei>(block.vertexCount));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (block.hasNormals) {
        const float* last = list.recorded.vertices[block.firstVertex + block.vertexCount - 1].normal;
        gState.currentNormal[0] = last[0];
        gState.currentNormal[1] = last[1];
        gState.currentNormal[2] = last[2];
    }
}

void replay(const CompiledList& list) {
    for (const ListCall& call : list.recorded.calls) {
        switch (call.kind) {
            case ListCallKind::COLOR:
                glColor4f(call.values[0], call.values[1], call.values[2], call.values[3]);
                break;
            case ListCallKind::MATERIAL:
                executeMaterial(call.first, call.second, call.values);
                break;
            case ListCallKind::ENABLE:
                executeEnable(call.first, true);
                break;
            case ListCallKind::DISABLE:
                executeEnable(call.first, false);
                break;
            case ListCallKind::TEX_ENV:
                executeTexEnv(call.first, call.second, call.integer);
                break;
            case ListCallKind::DRAW:
                drawBlock(list, call);
                break;
        }
    }
}

// A point through the model-view and projection matrices and the viewport to
// window coordinates, as OpenGL places the raster position.
bool toWindow(float x, float y, float& windowX, float& windowY) {
    GLfloat modelView[16];
    GLfloat projection[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    float eye[4];
    for (int row = 0; row < 4; ++row) {
        eye[row] = modelView[row] * x + modelView[4 + row] * y + modelView[12 + row];
    }
    float clip[4];
    for (int row = 0; row < 4; ++row) {
        clip[row] = projection[row] * eye[0] + projection[4 + row] * eye[1] + projection[8 + row] * eye[2] +
                    projection[12 + row] * eye[3];
    }
    if (clip[3] == 0.0f) {
        return false;
    }
    windowX = static_cast<float>(viewport[0]) + (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(viewport[2]);
    windowY = static_cast<float>(viewport[1]) + (clip[1] / clip[3] + 1.0f) * 0.5f * static_cast<float>(viewport[3]);
    return true;
}

// The picture, bottom row first, into the texture that shows it; RGBA.
void uploadPixels(GLsizei width, GLsizei height) {
    if (gState.pixelsTexture == 0) {
        glGenTextures(1, &gState.pixelsTexture);
    }
    glBindTexture(GL_TEXTURE_2D, gState.pixelsTexture);
    if (width != gState.pixelsWidth || height != gState.pixelsHeight) {
        // Any size: WebGL takes one that is no power of two only clamped and
        // without mipmaps. Nearest texels: one pixel of the picture each.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     gState.pixelsRgba.data());
        gState.pixelsWidth = width;
        gState.pixelsHeight = height;
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                        gState.pixelsRgba.data());
    }
}

// The texture as a square over the window area the pixels cover, each texel on
// its own pixel, with the enables as they stand (blending, say).
void drawPixelsSquare(GLsizei width, GLsizei height) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] <= 0 || viewport[3] <= 0) {
        return;
    }
    const float left = 2.0f * (gState.rasterX - static_cast<float>(viewport[0])) / static_cast<float>(viewport[2]) - 1.0f;
    const float bottom = 2.0f * (gState.rasterY - static_cast<float>(viewport[1])) / static_cast<float>(viewport[3]) - 1.0f;
    const float right = left + 2.0f * static_cast<float>(width) / static_cast<float>(viewport[2]);
    const float top = bottom + 2.0f * static_cast<float>(height) / static_cast<float>(viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, bottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, top);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, gState.texEnvMode);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void webGlCompatStart() {
    gState = CompatState();
    makeLightsPositional();
}

void webGlCompatStop() {
    // The context takes its buffers and textures with it.
    gState = CompatState();
}

GLuint zfGlGenLists(GLsizei range) {
    if (range <= 0) {
        return 0;
    }
    const GLuint first = gState.nextListName;
    gState.nextListName += static_cast<GLuint>(range);
    return first;
}

void zfGlDeleteLists(GLuint list, GLsizei range) {
    for (GLsizei offset = 0; offset < range; ++offset) {
        releaseList(list + static_cast<GLuint>(offset));
    }
}

void zfGlNewList(GLuint list, GLenum mode) {
    if (list == 0 || recording()) {
        return;  // OpenGL refuses both
    }
    gState.compiling = list;
    gState.compileMode = mode;
    gState.recorder.begin();
}

void zfGlEndList() {
    if (!recording()) {
        return;
    }
    const GLuint name = gState.compiling;
    const bool execute = gState.compileMode == GL_COMPILE_AND_EXECUTE;
    gState.compiling = 0;
    releaseList(name);
    CompiledList& list = gState.lists[name];
    list.recorded = gState.recorder.end();
    if (!list.recorded.vertices.empty()) {
        glGenBuffers(1, &list.buffer);
        glBindBuffer(GL_ARRAY_BUFFER, list.buffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(list.recorded.vertices.size() * sizeof(ListVertex)),
                     list.recorded.vertices.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    if (execute) {
        replay(list);
    }
}

void zfGlCallList(GLuint list) {
    const auto found = gState.lists.find(list);
    if (found != gState.lists.end()) {
        replay(found->second);
    }
}

void zfGlBegin(GLenum mode) {
    if (recording()) {
        gState.recorder.beginBlock(mode);
    } else {
        gState.immediateBlock = true;
        glBegin(mode);
    }
}

void zfGlEnd() {
    if (recording()) {
        gState.recorder.endBlock();
    } else {
        gState.immediateBlock = false;
        glEnd();
    }
}

void zfGlVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (recording()) {
        gState.recorder.vertex(x, y, z);
    } else {
        glVertex3f(x, y, z);
    }
}

void zfGlNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    if (recording()) {
        gState.recorder.normal(x, y, z);
        return;
    }
    gState.currentNormal[0] = x;
    gState.currentNormal[1] = y;
    gState.currentNormal[2] = z;
    if (gState.immediateBlock) {
        glNormal3f(x, y, z);
    }
}

// Outside a block the emulation keeps no current texture coordinates; nothing
// the game draws outside a list takes them.
void zfGlTexCoord2f(GLfloat u, GLfloat v) {
    if (recording()) {
        gState.recorder.texCoord(u, v);
    } else if (gState.immediateBlock) {
        glTexCoord2f(u, v);
    }
}

void zfGlColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    const GLfloat rgba[4] = {red, green, blue, alpha};
    zfGlColor4fv(rgba);
}

void zfGlColor4fv(const GLfloat* rgba) {
    if (recording()) {
        gState.recorder.color(rgba);
    }
    if (executing()) {
        glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]);
    }
}

void zfGlMaterialfv(GLenum face, GLenum parameter, const GLfloat* values) {
    if (recording()) {
        gState.recorder.material(face, parameter, values, materialValueCount(parameter));
    }
    if (executing()) {
        executeMaterial(face, parameter, values);
    }
}

void zfGlMateriali(GLenum face, GLenum parameter, GLint value) {
    const GLfloat asFloat = static_cast<GLfloat>(value);
    zfGlMaterialfv(face, parameter, &asFloat);
}

void zfGlLightModeli(GLenum parameter, GLint value) {
    // The emulation's viewer always looks from infinitely far along -z, which
    // is OpenGL's default (GL_LIGHT_MODEL_LOCAL_VIEWER 0): nothing else to set.
    if (parameter == GL_LIGHT_MODEL_TWO_SIDE) {
        glLightModelf(parameter, static_cast<GLfloat>(value));
    }
}

void zfGlEnable(GLenum capability) {
    if (recording()) {
        gState.recorder.enable(capability);
    }
    if (executing()) {
        executeEnable(capability, true);
    }
}

void zfGlDisable(GLenum capability) {
    if (recording()) {
        gState.recorder.disable(capability);
    }
    if (executing()) {
        executeEnable(capability, false);
    }
}

GLboolean zfGlIsEnabled(GLenum capability) {
    if (capability == GL_TEXTURE_2D) {
        return gState.texturingWanted ? GL_TRUE : GL_FALSE;
    }
    return glIsEnabled(capability);
}

void zfGlTexEnvi(GLenum target, GLenum parameter, GLint value) {
    if (recording()) {
        gState.recorder.texEnv(target, parameter, value);
    }
    if (executing()) {
        executeTexEnv(target, parameter, value);
    }
}

void zfGlPushAttrib(GLbitfield mask) {
    SavedAttributes saved;
    saved.mask = mask;
    if ((mask & GL_ENABLE_BIT) != 0) {
        for (std::size_t index = 0; index < SAVED_CAPABILITY_COUNT; ++index) {
            saved.enabled[index] = zfGlIsEnabled(SAVED_CAPABILITIES[index]) == GL_TRUE;
        }
    }
    gState.attributeStack.push_back(saved);
}

void zfGlPopAttrib() {
    if (gState.attributeStack.empty()) {
        return;  // OpenGL's stack underflow: nothing changes
    }
    const SavedAttributes saved = gState.attributeStack.back();
    gState.attributeStack.pop_back();
    if ((saved.mask & GL_ENABLE_BIT) != 0) {
        for (std::size_t index = 0; index < SAVED_CAPABILITY_COUNT; ++index) {
            if ((zfGlIsEnabled(SAVED_CAPABILITIES[index]) == GL_TRUE) != saved.enabled[index]) {
                executeEnable(SAVED_CAPABILITIES[index], saved.enabled[index]);
            }
        }
    }
}

void zfGlBindTexture(GLenum target, GLuint texture) {
    glBindTexture(target, texture);
    if (target == GL_TEXTURE_2D) {
        gState.boundTexture = texture;
        applyTexturing();
    }
}

void zfGlTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const void* pixels) {
    if (format != GL_RGBA || type != GL_UNSIGNED_BYTE || pixels == nullptr || width <= 0 || height <= 0) {
        glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
        return;
    }
    const std::size_t texelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::uint8_t* source = static_cast<const std::uint8_t*>(pixels);
    std::vector<std::uint8_t> texels(source, source + 4 * texelCount);
    quantiseTexels(texels.data(), texelCount, static_cast<std::uint32_t>(internalFormat));
    // WebGL draws a texture whose sides are no powers of two only when it is
    // clamped: such a texture still shows, without repeating.
    const bool powersOfTwo = (width & (width - 1)) == 0 && (height & (height - 1)) == 0;
    if (!powersOfTwo) {
        glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glTexImage2D(target, level, GL_RGBA, width, height, border, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
}

void zfGlRasterPos2f(GLfloat x, GLfloat y) { toWindow(x, y, gState.rasterX, gState.rasterY); }

void zfGlDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels) {
    const bool fourBytes = (format == GL_BGRA || format == GL_RGBA) && type == GL_UNSIGNED_BYTE;
    if (!fourBytes || pixels == nullptr || width <= 0 || height <= 0) {
        return;  // the game draws only these
    }
    const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::uint8_t* source = static_cast<const std::uint8_t*>(pixels);
    gState.pixelsRgba.assign(source, source + 4 * pixelCount);
    if (format == GL_BGRA) {
        for (std::size_t pixel = 0; pixel < pixelCount; ++pixel) {
            std::swap(gState.pixelsRgba[4 * pixel], gState.pixelsRgba[4 * pixel + 2]);
        }
    }
    uploadPixels(width, height);
    drawPixelsSquare(width, height);
    // What the game had bound and enabled is as it was.
    glBindTexture(GL_TEXTURE_2D, gState.boundTexture);
    applyTexturing();
}
