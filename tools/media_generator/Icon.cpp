#include "Icon.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "PngWriter.h"
#include "SoftRenderer.h"
#include "Splash.h"

namespace {

constexpr int SUPERSAMPLE = 4;
// The dog turned side-on towards the game's light, so its flank and face are lit.
constexpr float DOG_HEADING = 2.2f;

// The dog and the ball it carries, from the game's own scene; the field, the
// uprights and the robots stay out.
std::vector<SceneItem> iconFigures(const std::vector<BuiltModel>& models) {
    const V3 robots[5] = {};
    std::vector<SceneItem> figures;
    for (SceneItem item : placeScene(models, V3{0, 0.6f, 0}, robots, 0)) {
        for (const BuiltModel& model : models) {
            const bool carried = model.fileName == "zq.a3f" || model.fileName == "football.a3f";
            if (carried && item.mesh == &model.mesh) {
                item.heading = DOG_HEADING;
                figures.push_back(item);
            }
        }
    }
    return figures;
}

Canvas render(const std::vector<SceneItem>& figures, int size, Rgb background) {
    SoftRenderer renderer(size * SUPERSAMPLE, size * SUPERSAMPLE);
    renderer.clear(background);
    SceneCamera camera;
    // Close and a little above, aimed between the dog's feet and the ball so
    // the two fill the square with an even margin.
    camera.eye = V3{0.3f, 1.7f, -3.3f};
    camera.target = V3{0.1f, 1.15f, 0};
    for (const SceneItem& item : figures) renderer.draw(item, camera, true);
    return Canvas::downsample(renderer.image(), SUPERSAMPLE);
}

// Drawn once over black and once over white: where the two differ the
// background shows through, which gives each pixel's coverage (soft edges
// included) and its colour without the background.
std::vector<std::uint8_t> paintIcon(const std::vector<SceneItem>& figures, int size) {
    const Canvas overBlack = render(figures, size, Rgb{0, 0, 0});
    const Canvas overWhite = render(figures, size, Rgb{255, 255, 255});
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Rgb b = overBlack.get(x, y), w = overWhite.get(x, y);
            const int alpha = std::clamp(255 - ((w.r - b.r) + (w.g - b.g) + (w.b - b.b)) / 3, 0, 255);
            auto unmix = [alpha](int c) {
                return static_cast<std::uint8_t>(alpha == 0 ? 0 : std::clamp(c * 255 / alpha, 0, 255));
            };
            rgba.insert(rgba.end(), {unmix(b.r), unmix(b.g), unmix(b.b), static_cast<std::uint8_t>(alpha)});
        }
    return rgba;
}

}  // namespace

bool writeIcons(const std::vector<BuiltModel>& models, const std::string& folder) {
    const std::vector<SceneItem> figures = iconFigures(models);
    for (int size : ICON_SIZES) {
        const std::string side = std::to_string(size);
        const std::string apps = folder + "/" + side + "x" + side + "/apps";
        std::error_code error;
        std::filesystem::create_directories(apps, error);
        if (!writePngRgba(apps + "/" + ICON_NAME + ".png", size, size, paintIcon(figures, size))) return false;
    }
    return true;
}
