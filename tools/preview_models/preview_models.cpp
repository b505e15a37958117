// preview_models: loads the media folder's models with the game's own loader and
// draws them with the game's own Model::draw, from the game's first camera and
// close up, lights off and on, into PPM pictures. Run it under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" preview_models <repository root> <output folder>
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "math/Matrix4.h"
#include "model/Model.h"
#include "model/TextureCache.h"
#include "platform/ExecutablePath.h"
#include "platform/Window.h"

namespace {

const int WIDTH = 640, HEIGHT = 480;

void setUpState(bool lights) {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    float ambient[4] = {0.1f, 0.1f, 0.1f, 1}, white[4] = {1, 1, 1, 1}, specular[4] = {0.2f, 0.2f, 0.2f, 1};
    float position[4] = {100, 100, -100, 1}, zero[4] = {0, 0, 0, 0};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (lights) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
        glLightfv(GL_LIGHT0, GL_POSITION, position);
    } else {
        glDisable(GL_LIGHTING);
    }
    glColor4f(1, 1, 1, 1);
    glMaterialfv(GL_FRONT, GL_AMBIENT, lights ? ambient : zero);
    glMaterialfv(GL_FRONT, GL_EMISSION, lights ? ambient : zero);
    glMaterialfv(GL_FRONT, GL_SPECULAR, lights ? white : zero);
}

void setCamera(Vec3 eye, Vec3 target) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double top = 0.41421318, right = top * WIDTH / HEIGHT;
    glFrustum(-right, right, -top, top, 1.0, 500.0);
    Matrix4 view;
    view.lookAt(eye, target, Vec3(0, 1, 0));
    glMultMatrixf(view.data());
    glMatrixMode(GL_MODELVIEW);
}

void place(Model& model, Vec3 position, float heading) {
    model.transform.setRotationTranslation(Vec3(0, heading, 0), position);
}

bool savePicture(const std::string& path) {
    std::vector<unsigned char> rgb(WIDTH * HEIGHT * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", WIDTH, HEIGHT);
    for (int y = HEIGHT - 1; y >= 0; --y) std::fwrite(&rgb[y * WIDTH * 3], 1, WIDTH * 3, file);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <repository root> <output folder>\n", argv[0]);
        return 2;
    }
    platformSetExecutableDirectoryForTesting(argv[1]);
    std::string out = argv[2];
    PlatformWindow* window = platformCreateWindow("preview", WIDTH, HEIGHT, false);
    PlatformGlContext* context = window ? platformCreateGlContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "no OpenGL window (run under Xvfb)\n");
        return 1;
    }
    bool ok = true;
    for (int lights = 0; lights < 2; ++lights) {
        resetTextureCache(false);
        setUpState(lights == 1);
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
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            setCamera(v.eye, v.target);
            place(dog, v.dogAt, 3.14159f);
            place(ball, Vec3(v.dogAt.x, v.dogAt.y + 1.5f, v.dogAt.z), 3.14159f);
            place(robot, v.robotAt, 0);
            for (Model* m : {&field, &uprights, &dog, &ball, &robot}) m->draw();
            std::string path = out + "/gl_" + v.name + (lights ? "_lights_on.ppm" : "_lights_off.ppm");
            ok = savePicture(path) && ok;
            platformSwapBuffers(window);
        }
    }
    releaseTextures();
    platformDeleteGlContext(context);
    platformDestroyWindow(window);
    return ok ? 0 : 1;
}
