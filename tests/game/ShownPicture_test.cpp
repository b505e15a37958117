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
    {"the camera turned", [](Game& g) { g.camera[8] += 0.001f; }},
    {"the label's text changed", [](Game& g) { g.label.pixels[5] ^= 0xFF; }},
    {"the window changed size", [](Game& g) { g.engine.adoptWindowSize(641, 480); }},
    {"the light moved", [](Game& g) { g.engine.view().setLightPosition(0, Vec3(1.0f, 2.0f, 3.0f)); }},
};

class ShownPictureTest : public GameTest {};

TEST_F(ShownPictureTest, EachChangeOfWhatIsDrawnMakesTheFrameDue) {
    game.label.pixels = new std::uint8_t[16]();  // the label frees it
    game.label.byteCount = 16;
    engine.adoptWindowSize(640, 480);
    // Lit, with no OpenGL context: the calls go nowhere, the slots are kept.
    engine.view().setUp(Color4(), 1.0f, 500.0f, true, 640, 480);
    resetDrive();  // the ball and the robots in play; no sounds, so no wait
    EXPECT_FALSE(game.pictureUnchanged()) << "nothing shown yet";
    for (const Change& change : CHANGES) {
        SCOPED_TRACE(change.what);
        game.shownPicture.record(game);
        ASSERT_TRUE(game.pictureUnchanged());
        change.apply(game);
        EXPECT_FALSE(game.pictureUnchanged());
    }
}

}  // namespace
