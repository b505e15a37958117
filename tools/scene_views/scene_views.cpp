// scene_views: plays the game with a repository's media under a stepped clock and
// photographs fixed moments of it, lights off and on: the start of a drive, a
// steady run up the field, the highest the camera looks while it follows a kick,
// and the line-up for the second down.
// It also measures how much the stands flicker while the camera runs: the mean
// absolute difference between two frames one tick apart, over the pixels that
// show the crowd in both. Run it under Xvfb with a silent sound driver:
//
//   SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24"
//       scene_views <repository root> <output folder> [WIDTHxHEIGHT]
//
// Writes start_, run_, kick_top_ and down2_lights{0,1}.ppm (the second down's
// line-up) and prints one "shimmer" line per lighting.
#include "platform/OpenGl.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../common/BackBufferPicture.h"
#include "../media_generator/Models.h"
#include "app/Engine.h"
#include "game/Game.h"
#include "math/Clock.h"
#include "math/Random.h"
#include "model/Image.h"
#include "platform/ExecutablePath.h"
#include "platform/WindowMessage.h"

namespace {

constexpr double FRAME_STEP = 0.03125;  // exact in float, just over the game's 0.03 s tick
constexpr int RUN_WARM_UP_FRAMES = 20;  // the run is at full speed and the camera steady
constexpr int MEASURED_PAIRS = 24;

using Pixels = BackBufferPixels;

struct Shot {
    int width = 640, height = 480;
    Pixels read() const { return readBackBuffer(width, height); }
    bool save(const Pixels& rgb, const std::string& path) const { return savePpm(rgb, width, height, path); }
};

// The field atlas with the crowd's rectangle white and all else black: drawn in
// place of the field's texture it marks the screen pixels that show the crowd.
GLuint makeCrowdMaskTexture() {
    int width = 0, height = 0;
    std::uint8_t* atlas = loadImage("field.jpg", width, height);
    if (!atlas) return 0;
    std::vector<unsigned char> mask(static_cast<std::size_t>(width) * height * 3, 0);
    const AtlasBox& crowd = ATLAS_CROWD;
    for (int y = crowd.y0; y < crowd.y1 && y < height; ++y)
        for (int x = crowd.x0; x < crowd.x1 && x < width; ++x)
            for (int c = 0; c < 3; ++c) mask[(static_cast<std::size_t>(y) * width + x) * 3 + c] = 255;
    std::free(atlas);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, mask.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

// The game in its own main loop: keys go in as window messages, the clock moves
// one step a turn and every tick draws; each picture is read as it is drawn,
// before the swap.
class ScenePlayer {
public:
    ScenePlayer(int width, int height, int lights) {
        shot.width = width;
        shot.height = height;
        setClockForTesting([this] { return now; });
        resetDisplayListNamesForTesting();  // every run brings a context of its own
        GameOptions& options = engine.options();
        options.width = width;
        options.height = height;
        options.windowed = 1;
        options.lights = lights;
        ready = engine.init("Zorbak Football II", nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS);
        if (ready) {
            game = std::make_unique<Game>(engine);
            setRandomState(20240611u);
            ready = game->setup();
            crowdMask = makeCrowdMaskTexture();
            engine.setDrawEveryTick(true);
            engine.setFrameObserver([this] { readPicture(); });
            engine.beginPlay(*game);
        }
    }
    ~ScenePlayer() {
        game.reset();
        setClockForTesting(nullptr);
    }

    bool ready = false;
    Shot shot;
    Engine engine;
    std::unique_ptr<Game> game;
    GLuint crowdMask = 0;
    double now = 100.0;

    // One turn of the main loop, a tick after the last; the picture it drew.
    Pixels frame(Pixels* crowdPixels = nullptr) {
        now += FRAME_STEP;
        crowdPixels_ = crowdPixels;
        engine.runIteration(*game);
        crowdPixels_ = nullptr;
        return picture_;
    }

    void send(MessageKind kind, std::uint32_t key) {
        WindowMessage message;
        message.kind = kind;
        message.wParam = key;
        engine.handleMessage(message);
    }

    // Up stays held from here on: straight to the goal. A key rather than the
    // pointer, which a stray pointer event from the display could move.
    void hike() {
        send(MESSAGE_KEY_DOWN, VK_UP_KEY);
        send(MESSAGE_KEY_DOWN, VK_SPACE_KEY);
        frame();
        send(MESSAGE_KEY_UP, VK_SPACE_KEY);
    }

    void hikeAndRunUpTheField() {
        hike();
        // The robots wait far behind the camera, out of the picture and of reach.
        for (Model& robot : game->robots) robot.position.z = -400.0f;
    }

    // How far the camera looks up, in degrees.
    double cameraPitch() const {
        Vec3 d = game->cameraTarget - game->cameraEye;
        return std::atan2(d.y, std::sqrt(d.x * d.x + d.z * d.z)) * 180.0 / 3.14159265358979;
    }

private:
    void readPicture() {
        picture_ = shot.read();
        if (crowdPixels_) *crowdPixels_ = crowdMaskPicture();
    }

    // The same view drawn again: the other models only fill the depth buffer, and
    // the field shows the crowd mask instead of its own texture, unlit.
    Pixels crowdMaskPicture() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);  // the label left the projection current
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        game->uprights.draw();
        game->dog.draw();
        game->ball.draw();
        for (Model& robot : game->robots) robot.draw();
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        GLboolean lit = glIsEnabled(GL_LIGHTING);
        glDisable(GL_LIGHTING);
        std::uint32_t own = game->field.material.textureId;
        game->field.material.textureId = crowdMask;
        game->field.draw();
        game->field.material.textureId = own;
        if (lit) glEnable(GL_LIGHTING);
        return shot.read();
    }

    Pixels picture_;
    Pixels* crowdPixels_ = nullptr;
};

// Mean absolute difference per colour channel over the pixels that show the crowd
// in both frames; count receives how many pixels that is.
double crowdDifference(const Pixels& a, const Pixels& maskA, const Pixels& b, const Pixels& maskB, long& count) {
    double sum = 0;
    count = 0;
    for (std::size_t p = 0; p + 2 < a.size(); p += 3) {
        if (maskA[p] < 250 || maskB[p] < 250) continue;
        ++count;
        for (int c = 0; c < 3; ++c) sum += std::abs(static_cast<int>(a[p + c]) - static_cast<int>(b[p + c]));
    }
    return count ? sum / (3.0 * count) : 0.0;
}

bool photograph(int width, int height, int lights, const std::string& out) {
    const std::string suffix = "_lights" + std::to_string(lights) + ".ppm";
    bool ok = true;
    {
        ScenePlayer player(width, height, lights);
        if (!player.ready) return false;
        ok = player.shot.save(player.frame(), out + "/start" + suffix) && ok;

        player.hikeAndRunUpTheField();
        for (int i = 0; i < RUN_WARM_UP_FRAMES; ++i) player.frame();
        Pixels maskBefore, maskAfter;
        Pixels before = player.frame(&maskBefore);
        ok = player.shot.save(before, out + "/run" + suffix) && ok;
        double total = 0;
        long pixels = 0;
        for (int pair = 0; pair < MEASURED_PAIRS; ++pair) {
            Pixels after = player.frame(&maskAfter);
            long count = 0;
            total += crowdDifference(before, maskBefore, after, maskAfter, count);
            pixels += count;
            before.swap(after);
            maskBefore.swap(maskAfter);
        }
        std::printf("shimmer lights %d: %.2f mean absolute difference per channel over %ld crowd pixels a frame\n",
                    lights, total / MEASURED_PAIRS, pixels / MEASURED_PAIRS);
    }
    {
        // A kick from the start of a drive, the dog running on under it.
        ScenePlayer player(width, height, lights);
        if (!player.ready) return false;
        player.frame();
        player.hikeAndRunUpTheField();
        player.send(MESSAGE_KEY_DOWN, VK_CONTROL_KEY);
        Pixels highest;
        double highestPitch = -90;
        while (player.game->phase == PHASE_PLAY) {
            Pixels picture = player.frame();
            if (player.cameraPitch() > highestPitch) {
                highestPitch = player.cameraPitch();
                highest.swap(picture);
            }
        }
        std::printf("kick lights %d: the camera looks up %.1f degrees at most\n", lights, highestPitch);
        ok = player.shot.save(highest, out + "/kick_top" + suffix) && ok;
    }
    {
        // A run straight at the robots, and the line-up for the second down.
        ScenePlayer player(width, height, lights);
        if (!player.ready) return false;
        player.frame();
        player.hike();
        for (int i = 0; i < 2000 && player.game->phase != PHASE_WAIT_HIKE; ++i) player.frame();
        ok = player.shot.save(player.frame(), out + "/down2" + suffix) && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <repository root> <output folder> [WIDTHxHEIGHT]\n", argv[0]);
        return 2;
    }
    int width = 640, height = 480;
    if (argc > 3 && std::sscanf(argv[3], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "size must be WIDTHxHEIGHT, such as 1024x800\n");
        return 2;
    }
    platformSetExecutableDirectoryForTesting(argv[1]);
    bool ok = true;
    for (int lights = 0; lights < 2; ++lights) ok = photograph(width, height, lights, argv[2]) && ok;
    if (!ok) std::fprintf(stderr, "no OpenGL window or pictures not written (run under Xvfb)\n");
    return ok ? 0 : 1;
}
