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
#include "game/Game.h"
#include "model/Model.h"
#include "platform/ExecutablePath.h"

namespace {

const int WIDTH = 640, HEIGHT = 480;
// The game's own clipping planes.
const float NEAR_PLANE = 1.0f, FAR_PLANE = 500.0f;

// The game's own view: the pure perspective is kept below a pushed copy that
// takes the view matrix, as in every frame of play.
void beginView(View& view, Vec3 eye, Vec3 target) {
    view.beginFrame();
    Matrix4 viewMatrix;
    viewMatrix.lookAt(eye, target, Vec3(0, 1, 0));
    view.applyCamera(viewMatrix);
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
        GameOptions& options = engine.options();
        options.width = WIDTH;
        options.height = HEIGHT;
        options.windowed = 1;
        options.lights = lights;
        resetDisplayListNamesForTesting();  // each engine's window brings a context of its own
        if (!engine.init("preview", nullptr, Color4(), NEAR_PLANE, FAR_PLANE, OPTIONS_DEFAULTS)) {
            std::fprintf(stderr, "no OpenGL window (run under Xvfb)\n");
            return 1;
        }
        engine.view().setLightPosition(0, GAME_LIGHT_POSITION);
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
            beginView(engine.view(), v.eye, v.target);
            place(dog, v.dogAt, FACING_GOAL);
            place(ball, Vec3(v.dogAt.x, v.dogAt.y + 1.5f, v.dogAt.z), FACING_GOAL);
            place(robot, v.robotAt, 0);
            for (Model* m : {&field, &uprights, &dog, &ball, &robot}) m->draw();
            std::string path = out + "/gl_" + v.name + (lights ? "_lights_on.ppm" : "_lights_off.ppm");
            ok = savePicture(path) && ok;
            engine.view().endFrame();
            engine.window().swapBuffers();
        }
    }
    return ok ? 0 : 1;
}
