#include "Splash.h"

#include <string>

#include "BlockFont.h"
#include "core/Field.h"
#include "game/Game.h"

namespace {

SceneItem itemFor(const BuiltModel& model, V3 position, float heading) {
    SceneItem item;
    item.mesh = &model.mesh;
    item.texture = &model.texture;
    item.hasNormals = model.format != FORMAT_POSITION_TEXCOORDS;
    item.blackIsClear = model.material.alphaWord == "BLACK_MASK";
    for (int i = 0; i < 3; ++i) item.diffuse[i] = model.material.diffuse[i];
    item.position = position;
    item.heading = heading;
    return item;
}

const BuiltModel& named(const std::vector<BuiltModel>& models, const char* fileName) {
    for (const BuiltModel& m : models)
        if (m.fileName == fileName) return m;
    return models.front();
}

void drawTitle(Canvas& c, const std::string& text, float top, float cell, Rgb colour) {
    float width = blockTextWidth(text, cell);
    float left = (c.width() - width) / 2;
    float cellH = cell * 1.25f;
    // A dark outline first, then the letters, then a lighter top edge on each cell.
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) drawBlockText(c, text, left + dx, top + dy, cell, cellH, Rgb{16, 12, 30});
    drawBlockText(c, text, left + 3, top + 4, cell, cellH, Rgb{16, 12, 30});
    drawBlockText(c, text, left, top, cell, cellH, colour);
    drawBlockText(c, text, left, top, cell, cellH * 0.35f, mixRgb(colour, Rgb{255, 255, 255}, 0.45f), 0.8f);
}

}  // namespace

std::vector<SceneItem> placeScene(const std::vector<BuiltModel>& models, V3 dog, const V3 robots[5],
                                  float robotHeading) {
    std::vector<SceneItem> items;
    items.push_back(itemFor(named(models, "field.a3f"), V3{}, 0));
    items.push_back(itemFor(named(models, "uprights.a3f"), V3{0, UPRIGHTS_ORIGIN_HEIGHT, GOAL_LINE_Z}, 0));
    items.push_back(itemFor(named(models, "zq.a3f"), dog, FACING_GOAL));
    items.push_back(itemFor(named(models, "football.a3f"), dog + V3{0, 1.5f, 0}, FACING_GOAL));
    for (int i = 0; i < 5; ++i) items.push_back(itemFor(named(models, "zorbak.a3f"), robots[i], robotHeading));
    return items;
}

Canvas paintSplash(const std::vector<BuiltModel>& models) {
    const int supersample = 2;
    SoftRenderer renderer(640 * supersample, 480 * supersample);
    renderer.clear(Rgb{0, 0, 0});
    V3 dog{1.5f, 0.6f, -18};
    V3 robots[5] = {{-9, 1.5f, -4}, {-4, 1.5f, -9}, {2.5f, 1.5f, -7}, {7, 1.5f, -11}, {12, 1.5f, -3}};
    SceneCamera camera;
    camera.eye = V3{6, 4.5f, -29};
    camera.target = V3{0, 3.4f, -8};
    for (const SceneItem& item : placeScene(models, dog, robots, 0.15f)) renderer.draw(item, camera, true);
    Canvas splash = Canvas::downsample(renderer.image(), supersample);
    drawTitle(splash, "ZORBAK FOOTBALL", 40, 6.2f, Rgb{250, 206, 40});
    drawTitle(splash, "II", 112, 9.0f, Rgb{235, 60, 40});
    return splash;
}
