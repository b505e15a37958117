// The committed stadium closes every view the game's camera can take: the scene
// is drawn by the real game over a clear colour that no texture holds, and no
// pixel may keep it.
//
// How high the camera looks: it stands at height 10 behind the dog and looks 10
// past the ball, 1.5 below it. A kick gives the ball equal upward and forward
// speeds (50 x the kick's frame time per step) and every later step takes that
// step's frame time off the upward speed only, so the ball never climbs faster
// than it flies forward. At the steady 0.03 s tick the steepest view comes from
// a kick on the dog's own end line (z = -50) with the dog running on under it:
// about 20 degrees up, a third of the way to the goal. Longer frames stretch the
// flight, and in the limit of an endless stall at the kick frame the ball climbs
// at 45 degrees while the dog runs 4 units for the ball's 50, which bounds the
// camera's pitch by atan(50 / 46.5) = 47.1 degrees; the window's 22.5 degrees
// above the centre then reach 69.6 degrees above the horizon.
#include "platform/OpenGl.h"
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/Engine.h"
#include "common/BackBufferPicture.h"
#include "core/ErrorMessages.h"
#include "game/Game.h"
#include "math/Clock.h"
#include "math/Random.h"
#include "math/Scalar.h"
#include "platform/ExecutablePath.h"
#include "platform/WindowMessage.h"

namespace {

constexpr double FRAME_STEP = 0.03125;  // exact in float, just over the game's tick
constexpr float STEEPEST_PITCH_DEGREES = 47.1f;
constexpr float DEGREES = PI / 180.0f;

struct WindowShape {
    int width, height;
    const char* name;
};
// Drawn at half size under the test's X server; the picture depends only on the shape.
const WindowShape SHAPES[] = {{512, 400, "1024 x 800"}, {768, 320, "a wide desktop (2.4 : 1)"}};

class SceneCoverage : public ::testing::TestWithParam<WindowShape> {
protected:
    double now = 100.0;
    std::vector<std::string> errors;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    std::unique_ptr<Game> game;
    int uncoveredInLastFrame = -1;  // -1: no frame drawn

    void SetUp() override {
        platformSetExecutableDirectoryForTesting(ZF_SOURCE_DIR);
        setClockForTesting([this] { return now; });
        setErrorBoxHandlerForTesting([this](int, const std::string&, const std::string& text) {
            errors.push_back(text);
            return true;
        });
        resetDisplayListNamesForTesting();
        engine->options().width = GetParam().width;
        engine->options().height = GetParam().height;
        engine->options().lights = 0;
        // Magenta: no texture of the game holds it.
        ASSERT_TRUE(engine->init("scene coverage", nullptr, Color4(1, 0, 1, 1), 1.0f, 500.0f, OPTIONS_DEFAULTS));
        game = std::make_unique<Game>(*engine);
        setRandomState(77u);
        ASSERT_TRUE(game->setup());
        ASSERT_TRUE(errors.empty()) << errors.front();
        // Every tick drawn, and each picture read back before it is shown.
        engine->setDrawEveryTick(true);
        engine->setFrameObserver([this] { uncoveredInLastFrame = uncoveredPixels(); });
        engine->beginPlay(*game);
    }

    void TearDown() override {
        game.reset();
        engine.reset();
        setClockForTesting(nullptr);
        setErrorBoxHandlerForTesting(nullptr);
        platformSetExecutableDirectoryForTesting("");
    }

    // Pixels of the frame just drawn that still show the clear colour.
    int uncoveredPixels() const {
        const BackBufferPixels rgb = readBackBuffer(GetParam().width, GetParam().height);
        int uncovered = 0;
        for (std::size_t p = 0; p < rgb.size(); p += 3) {
            uncovered += (rgb[p] == 255 && rgb[p + 1] == 0 && rgb[p + 2] == 255) ? 1 : 0;
        }
        return uncovered;
    }

    // One turn of the game's loop, a tick after the last; returns the uncovered
    // pixels of its picture.
    int playFrame() {
        now += FRAME_STEP;
        uncoveredInLastFrame = -1;
        engine->runIteration(*game);
        EXPECT_NE(uncoveredInLastFrame, -1) << "no frame drawn";
        return uncoveredInLastFrame;
    }

    void press(std::uint32_t key) {
        WindowMessage message;
        message.kind = MESSAGE_KEY_DOWN;
        message.wParam = key;
        engine->handleMessage(message);
    }

    double cameraPitchDegrees() const {
        Vec3 d = game->cameraTarget - game->cameraEye;
        return std::atan2(d.y, std::sqrt(d.x * d.x + d.z * d.z)) / DEGREES;
    }
};

TEST_P(SceneCoverage, EveryFrameOfTheSteepestKickAtTheSteadyTickIsCovered) {
    ASSERT_EQ(playFrame(), 0) << "the start of a drive";
    press(VK_UP_KEY);  // held: the dog runs on to the goal
    press(VK_SPACE_KEY);
    playFrame();
    ASSERT_EQ(game->phase, PHASE_PLAY);
    game->dog.position.z = -50.0f;
    for (Model& robot : game->robots) robot.position.z = -400.0f;  // out of reach
    ASSERT_EQ(playFrame(), 0);  // the dog carries the ball to its end line
    press(VK_CONTROL_KEY);
    double steepest = -90.0;
    int frames = 0;
    while (game->phase == PHASE_PLAY && frames < 400) {
        int uncovered = playFrame();
        ++frames;
        steepest = std::fmax(steepest, cameraPitchDegrees());
        ASSERT_EQ(uncovered, 0) << GetParam().name << ", frame " << frames << " of the kick, camera "
                                << cameraPitchDegrees() << " degrees up";
    }
    EXPECT_GT(game->ball.position.z, 50.0f) << "the flight ended at the goal line, its picture held after it";
    EXPECT_GT(steepest, 20.0) << "the kick reached the steepest view of the steady tick";
}

TEST_P(SceneCoverage, TheSteepestViewAnyFrameTimeAllowsIsCoveredWhereverTheCameraTurns) {
    ASSERT_EQ(playFrame(), 0) << "the start of a drive";
    // From the near corners and the middle of the own end line, straight ahead
    // and turned far aside as a kick across the field turns it.
    for (float eyeX : {-25.0f, 0.0f, 25.0f}) {
        for (float yawDegrees : {-50.0f, 0.0f, 50.0f}) {
            Vec3 eye(eyeX, 10.0f, -60.0f);
            float pitch = STEEPEST_PITCH_DEGREES * DEGREES, yaw = yawDegrees * DEGREES;
            Vec3 target(eyeX + 30.0f * std::sin(yaw) * std::cos(pitch), 10.0f + 30.0f * std::sin(pitch),
                        -60.0f + 30.0f * std::cos(yaw) * std::cos(pitch));
            Matrix4 camera;
            camera.lookAt(eye, target, Vec3(0, 1, 0));
            View& view = engine->view();
            view.beginFrame();
            view.applyCamera(camera);
            game->draw();
            EXPECT_EQ(uncoveredPixels(), 0) << GetParam().name << ", eye x " << eyeX << ", turned " << yawDegrees;
            view.endFrame();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WindowShapes, SceneCoverage, ::testing::ValuesIn(SHAPES),
                         [](const ::testing::TestParamInfo<WindowShape>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
