// The game draws a step's frame only when it would differ from the picture on
// screen: each thing the frame is drawn from must make it due again.
#include "game/GameTestFixture.h"

namespace {

struct Change {
    const char* what;
    void (*apply)(Game&);
};

const Change CHANGES[] = {
    {"the dog moved", [](Game& g) { g.dog.position.x += 0.001f; }},
    {"a robot turned", [](Game& g) { g.robots[4].rotation.y += 0.001f; }},
    {"the ball was hidden", [](Game& g) { g.ball.visible = 0; }},
    {"the field was moved", [](Game& g) { g.field.transform.setTranslation(0.0f, 0.1f, 0.0f); }},
    {"the uprights got another texture", [](Game& g) { g.uprights.material.textureId += 1; }},
    {"the camera turned", [](Game& g) { g.engine.camera[8] += 0.001f; }},
    {"the label's text changed", [](Game& g) { g.label.pixels[5] ^= 0xFF; }},
    {"the window changed size", [](Game& g) { g.engine.drawableWidth += 1; }},
    {"the light moved", [](Game& g) { g.engine.lights[0].position.r += 1.0f; }},
    {"the window was uncovered", [](Game& g) { g.engine.repaintDue = true; }},
};

class ShownPictureTest : public GameTest {};

TEST_F(ShownPictureTest, EachChangeOfWhatIsDrawnMakesTheFrameDue) {
    game.label.pixels = new std::uint8_t[16]();  // the label frees it
    game.label.byteCount = 16;
    engine.cameraMatrix = &engine.camera;  // as the engine's start points it
    game.resetDrive();  // the ball and the robots in play; no sounds, so no wait
    EXPECT_FALSE(game.pictureUnchanged()) << "nothing shown yet";
    for (const Change& change : CHANGES) {
        SCOPED_TRACE(change.what);
        game.shownPicture.record(game);
        ASSERT_TRUE(game.pictureUnchanged());
        change.apply(game);
        EXPECT_FALSE(game.pictureUnchanged());
        engine.repaintDue = false;
    }
}

}  // namespace
