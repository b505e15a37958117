#pragma once

#include <cstdint>
#include <string>

#include "math/Matrix4.h"
#include "math/Vec.h"

// How a texture's alpha channel is computed from its colours.
enum class AlphaMode {
    NONE = 0,
    LUMINANCE,
    ILLUMINANCE,
    BLACK_MASK,
    RED,
    GREEN,
    BLUE,
    RED_MASK,
    GREEN_MASK,
    BLUE_MASK,
    VALUE,  // any other ALPHA word; its leading number is kept in alphaValue
};

struct Material {
    char name[260] = {};
    Color4 ambient;
    Color4 diffuse;
    Color4 emission;
    Color4 specular;
    std::uint32_t shininess = 0;
    std::uint32_t textureId = 0;
    char textureFile[260] = {};
    AlphaMode alphaMode = AlphaMode::NONE;
    float alphaValue = 0.0f;
};

struct ModelVertex {
    Vec3 position;
    Vec3 normal;
    Vec2 texCoord;
};

// A drawable object read from an .a3f file: one triangle list, one material,
// compiled into one display list.
class Model {
public:
    Matrix4 transform;
    Vec3 position;
    Vec3 rotation;
    Vec3 velocity;
    std::uint32_t displayList = 0;
    Material material;
    bool hasNormals = false;
    bool isCopy = false;
    int visible = 0;  // drawn while at least 1
    std::uint32_t vertexCount = 0;
    std::uint32_t* faces = nullptr;
    ModelVertex* vertices = nullptr;
    std::uint32_t faceCount = 0;

    Model();
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Reads the file and, when it is a complete model, compiles its display list.
    void load(const char* fileName);
    // Reads media/<fileName>; false (after one message) when the file is unusable.
    bool parseA3f(const char* fileName);
    // The same for a model text already in memory; fileName only names it in messages.
    bool parseA3fText(std::string text, const char* fileName);
    void draw();
    // Makes this model an instance of source sharing its arrays and display list;
    // textureFile (or null) gives the instance a texture of its own.
    void copyFrom(const Model& source, const char* textureFile);
};

// Whether models compiled from now on draw their texture as it is where lighting
// is off and their colour is exactly white, which modulating would leave unchanged
// (on by default). Off draws every texture modulated, for comparisons.
void setReplaceUnlitTextures(bool enabled);
// The next display-list name from a block reserved at first use.
std::uint32_t newDisplayList();
// Forgets the reserved block, so that the next name comes from a fresh reservation
// (for tests, whose every window brings a context of its own).
void resetDisplayListNamesForTesting();
