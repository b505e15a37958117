#include "Preview.h"

#include "Splash.h"
#include "core/Field.h"

namespace {

bool renderView(const std::vector<SceneItem>& items, const SceneCamera& camera, bool lit, const std::string& path) {
    SoftRenderer renderer(640, 480);
    renderer.clear(Rgb{0, 0, 0});
    for (const SceneItem& item : items) renderer.draw(item, camera, lit);
    return renderer.image().writePpm(path);
}

}  // namespace

bool writePreviews(std::vector<BuiltModel>& models, const std::string& folder) {
    for (BuiltModel& m : models)
        if (m.format == FORMAT_POSITION_NORMAL) generateBoxTexCoords(m.mesh);
    const V3 startRobots[5] = {{-20, 1.5f, 0}, {-10, 1.5f, 0}, {0, 1.5f, 0}, {10, 1.5f, 0}, {20, 1.5f, 0}};
    std::vector<SceneItem> start = placeScene(models, V3{0, 0.6f, -45}, startRobots, 0);
    SceneCamera game;  // the first frame's camera
    bool ok = renderView(start, game, false, folder + "/start_lights_off.ppm") &&
              renderView(start, game, true, folder + "/start_lights_on.ppm");
    // Near the far end zone: the camera falls back and sees the stands and the sky.
    const V3 lateRobots[5] = {{-12, 1.5f, 44}, {-5, 1.5f, 38}, {2, 1.5f, 46}, {8, 1.5f, 40}, {14, 1.5f, 45}};
    std::vector<SceneItem> late = placeScene(models, V3{3, 0.6f, 30}, lateRobots, 0);
    SceneCamera lateCamera;
    lateCamera.eye = V3{3, 10, 30 - 10 - (FIELD_HALF_LENGTH + 30) / 8};  // as the game's camera
    lateCamera.target = V3{3, 0.6f, 40};
    ok = ok && renderView(late, lateCamera, false, folder + "/late_lights_off.ppm") &&
         renderView(late, lateCamera, true, folder + "/late_lights_on.ppm");
    // Each figure alone, close up from behind and above, and from the front.
    const V3 closeRobots[5] = {{-2.2f, 1.5f, -41}, {100, -50, 0}, {100, -50, 0}, {100, -50, 0}, {100, -50, 0}};
    std::vector<SceneItem> close = placeScene(models, V3{0.8f, 0.6f, -44}, closeRobots, 0);
    SceneCamera behind;
    behind.eye = V3{1.5f, 3.2f, -49};
    behind.target = V3{0, 0.9f, -42};
    SceneCamera front;
    front.eye = V3{-1.5f, 2.5f, -36};
    front.target = V3{0, 0.9f, -43};
    ok = ok && renderView(close, behind, true, folder + "/figures_behind.ppm") &&
         renderView(close, front, true, folder + "/figures_front.ppm") &&
         renderView(close, front, false, folder + "/figures_front_off.ppm");
    return ok;
}
