// preview_models: loads the media folder's models with the game's own loader and
// draws them with the game's own Model::draw, from the game's first camera and
// close up, lights off and on, into PPM pictures. Run it under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" preview_models <repository root> <output folder>
#include "platform/OpenGl.h"

#include <cstdio>
#include <string>
#include <vector>

#include "../common/BackBufferPicture.h"
#include "app/Engine.h"
#include "app/EngineGl.h"
#include "game/Game.h"
#include "model/Model.h"
#include "model/TextureCache.h"
#include "platform/ExecutablePath.h"

namespace {

const int WIDTH = 640, HEIGHT = 480;
// The game's own clipping planes.
const float NEAR_PLANE = 1.0f, FAR_PLANE = 500.0f;

// The game's own projection, view and matrix stacks: the pure perspective is kept
// below a pushed copy that takes the view, as in every frame of play.
void beginView(Engine& engine, Vec3 eye, Vec3 target) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    engine.camera.lookAt(eye, target, Vec3(0, 1, 0));
    engine.applyCamera();
}

void place(Model& model, Vec3 position, float heading) {
    model.transform.setRotationTranslation(Vec3(0, heading, 0), position);
}

bool savePicture(const std::string& path) {
    return savePpm(readBackBuffer(WIDTH, HEIGHT), WIDTH, HEIGHT, path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <repository root> <output folder>\n", argv[0]);
        return 2;
    }
    platformSetExecutableDirectoryForTesting(argv[1]);
    std::string out = argv[2];
    bool ok = true;
    for (int lights = 0; lights < 2; ++lights) {
        // A fresh engine for each lighting, set up as the game's own start sets it.
        Engine engine;
        engine.options.width = WIDTH;
        engine.options.height = HEIGHT;
        engine.options.windowed = 1;
        engine.options.lights = lights;
        if (!engine.createWindow("preview")) {
            std::fprintf(stderr, "no OpenGL window (run under Xvfb)\n");
            return 1;
        }
        applyInitialGlState(engine, NEAR_PLANE, FAR_PLANE);
        resetTextureCache(false);
        engine.setLightPosition(0, GAME_LIGHT_POSITION);
        // Declared after the engine, so their display lists go while its context lives.
        Model field, uprights, dog, robot, ball;
        field.load("field.a3f");
        uprights.load("uprights.a3f");
        dog.load("zq.a3f");
        robot.load("zorbak.a3f");
        ball.load("football.a3f");
        uprights.transform.setTranslation(0, 1, 50);
        struct View {
            const char* name;
            Vec3 eye, target, dogAt, robotAt;
        };
        const View views[] = {{"game", Vec3(0, 10, -55.625f), Vec3(0, 0.6f, -35), Vec3(0, 0.6f, -45), Vec3(0, 1.5f, 0)},
                              {"close", Vec3(1.5f, 3.2f, -49), Vec3(0, 0.9f, -42), Vec3(0.8f, 0.6f, -44),
                               Vec3(-2.2f, 1.5f, -41)}};
        for (const View& v : views) {
            beginView(engine, v.eye, v.target);
            place(dog, v.dogAt, FACING_GOAL);
            place(ball, Vec3(v.dogAt.x, v.dogAt.y + 1.5f, v.dogAt.z), FACING_GOAL);
            place(robot, v.robotAt, 0);
            for (Model* m : {&field, &uprights, &dog, &ball, &robot}) m->draw();
            std::string path = out + "/gl_" + v.name + (lights ? "_lights_on.ppm" : "_lights_off.ppm");
            ok = savePicture(path) && ok;
            engine.endFrame();
        }
    }
    return ok ? 0 : 1;
}
