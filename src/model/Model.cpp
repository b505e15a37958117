#include "model/Model.h"

#include "platform/OpenGl.h"

#include <algorithm>

#include "model/ModelTextures.h"
#include "platform/Window.h"

namespace {
// OpenGL refuses a specular exponent above this; larger file values are capped
// rather than dropped.
constexpr std::uint32_t MAX_GL_SHININESS = 128;

bool gReplaceUnlitTextures = true;

// Unlit, a texel is modulated by the model's colour alone; when that colour is
// exactly white the product is the texel itself, and the software renderer gives
// the same pixels for less work when it is told so. The lighting is fixed for the
// whole run before any model is compiled.
bool textureShowsAsItIs(const Material& material) {
    const Color4& c = material.diffuse;
    return gReplaceUnlitTextures && material.textureId != 0 && glIsEnabled(GL_LIGHTING) == GL_FALSE &&
           c.r == 1.0f && c.g == 1.0f && c.b == 1.0f && c.a == 1.0f;
}

// Everything a frame needs goes into one display list: the diffuse colour (as the
// current colour for unlit drawing and as the front material for lit drawing),
// the shininess, blending when the texture carries alpha, and the triangles.
void compileDisplayList(Model& model) {
    const Material& material = model.material;
    model.displayList = newDisplayList();
    if (model.displayList == 0) {
        return;  // no name to compile into; the model draws nothing
    }
    glNewList(model.displayList, GL_COMPILE);
    glColor4fv(material.diffuse.data());
    glMaterialfv(GL_FRONT, GL_DIFFUSE, material.diffuse.data());
    glMateriali(GL_FRONT, GL_SHININESS,
                static_cast<GLint>(std::min(material.shininess, MAX_GL_SHININESS)));
    const bool blended = material.alphaMode != AlphaMode::NONE;
    if (blended) {
        glEnable(GL_BLEND);
    }
    const bool textured = material.textureId != 0;
    const bool replaced = textureShowsAsItIs(material);
    if (replaced) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    }
    glBegin(GL_TRIANGLES);
    const std::uint32_t indexCount = model.faceCount * 3;
    for (std::uint32_t k = 0; k < indexCount; ++k) {
        const ModelVertex& vertex = model.vertices[model.faces[k]];
        if (textured) {
            glTexCoord2f(vertex.texCoord.u, vertex.texCoord.v);
        }
        if (model.hasNormals) {
            glNormal3f(vertex.normal.x, vertex.normal.y, vertex.normal.z);
        }
        glVertex3f(vertex.position.x, vertex.position.y, vertex.position.z);
    }
    glEnd();
    if (replaced) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    if (blended) {
        glDisable(GL_BLEND);
    }
    glEndList();
}

// Textures belong to the texture cache, which shares one name among every model
// that uses the same file; only the geometry is the model's own.
void releaseOwned(Model& model) {
    delete[] model.vertices;
    delete[] model.faces;
    model.vertices = nullptr;
    model.faces = nullptr;
    // Once the context is gone its lists went with it; there is nothing to delete.
    if (platformHasCurrentGlContext()) {
        if (model.displayList != 0) {
            glDeleteLists(model.displayList, 1);
        }
        glGetError();
    }
    model.displayList = 0;
}
}  // namespace

Model::Model() = default;

Model::~Model() {
    if (!isCopy) {
        releaseOwned(*this);
    }
}

void Model::load(const char* fileName) {
    if (parseA3f(fileName)) {
        compileDisplayList(*this);
    }
}

void Model::draw() {
    if (visible < 1) {
        return;
    }
    glLoadIdentity();
    glLoadMatrixf(transform.data());
    glBindTexture(GL_TEXTURE_2D, material.textureId);
    glCallList(displayList);
}

void Model::copyFrom(const Model& source, const char* textureFile) {
    if (&source == this) {
        return;
    }
    if (!isCopy) {
        releaseOwned(*this);
    }
    isCopy = true;
    transform = source.transform;
    position = source.position;
    rotation = source.rotation;
    velocity = source.velocity;
    displayList = source.displayList;
    material = source.material;
    visible = source.visible;
    faceCount = source.faceCount;
    vertexCount = source.vertexCount;
    vertices = source.vertices;
    faces = source.faces;
    if (textureFile != nullptr && textureFile[0] != '\0') {
        material.textureId =
            createModelTexture(textureFile, material.alphaMode, material.alphaValue);
    }
}

void setReplaceUnlitTextures(bool enabled) { gReplaceUnlitTextures = enabled; }
