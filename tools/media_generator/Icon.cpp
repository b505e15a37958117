#include "Icon.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <utility>

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

// A Windows icon file: a directory of images, each stored as a whole PNG file
// (which Windows reads since Vista, and needs for the 256-pixel size).
std::vector<std::uint8_t> icoFile(const std::vector<std::pair<int, std::vector<std::uint8_t>>>& pngs) {
    std::vector<std::uint8_t> file;
    auto put16 = [&file](std::size_t v) { file.insert(file.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); };
    auto put32 = [&](std::size_t v) { put16(v & 0xffff); put16(v >> 16); };
    put16(0);
    put16(1);  // an icon, not a cursor
    put16(pngs.size());
    std::size_t offset = 6 + 16 * pngs.size();
    for (const auto& [size, png] : pngs) {
        const std::uint8_t side = static_cast<std::uint8_t>(size >= 256 ? 0 : size);  // 0 means 256
        file.insert(file.end(), {side, side, 0, 0});  // no palette, reserved
        put16(1);   // colour planes
        put16(32);  // bits per pixel
        put32(png.size());
        put32(offset);
        offset += png.size();
    }
    for (const auto& entry : pngs) file.insert(file.end(), entry.second.begin(), entry.second.end());
    return file;
}

}  // namespace

bool writeIcons(const std::vector<BuiltModel>& models, const std::string& folder, const std::string& icoPath) {
    const std::vector<SceneItem> figures = iconFigures(models);
    std::vector<std::pair<int, std::vector<std::uint8_t>>> pngs;
    for (int size : ICON_SIZES) {
        const std::string side = std::to_string(size);
        const std::string apps = folder + "/" + side + "x" + side + "/apps";
        std::error_code error;
        std::filesystem::create_directories(apps, error);
        pngs.emplace_back(size, encodePngRgba(size, size, paintIcon(figures, size)));
        if (!writeFileBytes(apps + "/" + ICON_NAME + ".png", pngs.back().second)) return false;
    }
    return icoPath.empty() || writeFileBytes(icoPath, icoFile(pngs));
}
