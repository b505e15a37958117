// The model reader on any text, with its messages and its texture requests
// answered without a window. A model it accepts is walked as its display list
// would be: every face index must name a vertex.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ErrorMessages.h"
#include "model/Model.h"
#include "model/ModelTextures.h"

namespace {
volatile float gCoordinateSum = 0.0f;

bool quietSetUp() {
    setErrorBoxHandlerForTesting(
        [](ErrorSeverity, const std::string&, const std::string&) { return true; });
    setTextureCreatorForTesting([](const char*, AlphaMode, float) { return std::uint32_t{1}; });
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = quietSetUp();
    (void)quiet;
    Model model;
    if (!model.parseA3fText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.a3f")) {
        return 0;
    }
    float sum = 0.0f;
    for (std::uint64_t k = 0; k < std::uint64_t(model.faceCount) * 3; ++k) {
        if (model.faces[k] >= model.vertexCount) {
            __builtin_trap();
        }
        sum += model.vertices[model.faces[k]].position.x;
    }
    gCoordinateSum = sum;
    return 0;
}
