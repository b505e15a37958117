// Whole drives in one process: the real engine, window, models, label and sound
// output, with input sent as window messages and the game clock stepped by hand.
#include "platform/OpenGl.h"
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/Engine.h"
#include "core/ErrorMessages.h"
#include "core/ScoreFile.h"
#include "game/Game.h"
#include "math/Clock.h"
#include "math/Random.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"
#include "support/WindowMessages.h"

namespace {

constexpr int LABEL_WIDTH = 120;
constexpr int LABEL_HEIGHT = 24;
constexpr double FRAME_STEP = 0.03125;  // exact in float, just over the 0.03 tick

// A square of one colour, two triangles; facing up or towards -z (the camera).
std::string squareModel(float half, bool facingUp, const char* diffuse) {
    std::string v = facingUp ? "-H 0 -H 0 1 0\n-H 0 H 0 1 0\nH 0 -H 0 1 0\nH 0 H 0 1 0\n"
                             : "-H -H 0 0 0 -1\n-H H 0 0 0 -1\nH -H 0 0 0 -1\nH H 0 0 0 -1\n";
    const std::string h = std::to_string(half);
    for (std::size_t at = v.find('H'); at != std::string::npos; at = v.find('H', at)) {
        v.replace(at, 1, h);
    }
    return "A3F\nVERSION { 1.0 }\nVERTICES {\nPOSITION_NORMAL\n4\n" + v +
           "}\nFACES {\n2\n0 1 2 0\n2 1 3 0\n}\nMATERIALS {\n1\n{\nNAME plain\nDIFFUSE " +
           diffuse + "\nSHININESS 10\n}\n}\n";
}

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// 16-bit mono PCM at the output rate: plays seconds long at rate 1.
std::string toneWav(double seconds) {
    const std::uint32_t samples = static_cast<std::uint32_t>(seconds * 11025.0);
    std::string wav = "RIFF";
    putLittleEndian(wav, 36 + samples * 2, 4);
    wav += "WAVEfmt ";
    putLittleEndian(wav, 16, 4);
    putLittleEndian(wav, 1, 2);  // PCM
    putLittleEndian(wav, 1, 2);  // mono
    putLittleEndian(wav, 11025, 4);
    putLittleEndian(wav, 22050, 4);
    putLittleEndian(wav, 2, 2);
    putLittleEndian(wav, 16, 2);
    wav += "data";
    putLittleEndian(wav, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double value = 8000.0 * std::sin(i * 0.25);
        putLittleEndian(wav, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)), 2);
    }
    return wav;
}

void writeGameMedia(const TempMediaDir& media) {
    media.write("field.a3f", squareModel(60.0f, true, "0 0.6 0 1"));
    media.write("zq.a3f", squareModel(0.6f, false, "1 1 0 1"));
    media.write("zorbak.a3f", squareModel(1.5f, false, "1 0 0 1"));
    media.write("football.a3f", squareModel(0.3f, false, "0.6 0.3 0 1"));
    media.write("uprights.a3f", squareModel(4.0f, false, "1 1 1 1"));
    media.write("whistle.wav", toneWav(0.1));
    media.write("hike.wav", toneWav(0.1));
    media.write("vortun.wav", toneWav(0.5));
    media.write("exterminate.wav", toneWav(0.1));
    media.write("kick.wav", toneWav(0.1));
}

// The label's bitmap for text, made the way the game makes its own.
std::vector<std::uint8_t> labelBitmap(const char* text) {
    TextLabel reference;
    reference.create(LabelRect{0, 456, 120, 480}, 640, 480, false);
    reference.saveBackground();
    reference.clear();
    reference.setText(text, LabelRect{0, 0, 120, 24}, 0);
    return std::vector<std::uint8_t>(reference.pixels, reference.pixels + reference.byteCount);
}

double realSecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

class GamePlayTest : public ::testing::Test {
protected:
    std::atomic<double> now{100.0};
    std::vector<std::string> errors;
    // The stand-ins outlive the engine and the game, which may still read them.
    ClockOverride clock{[this] { return now.load(); }};
    ErrorBoxOverride errorBoxes{[this](ErrorSeverity, const std::string&, const std::string& text) {
        errors.push_back(text);
        return true;
    }};
    std::unique_ptr<TempMediaDir> media = std::make_unique<TempMediaDir>();
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    std::unique_ptr<Game> game;
    std::vector<std::uint8_t> screenLabel;  // the label's corner of the last frame, BGRA
    std::uint8_t fieldPixel[4] = {};        // a point of the field ahead of the dog, BGRA

    int framesDrawn = 0;

    void SetUp() override {
        ASSERT_TRUE(engine->init("Zorbak Football II", nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS));
        game = std::make_unique<Game>(*engine);
        // Every tick draws, and each frame is read before it is shown.
        engine->setDrawEveryTick(true);
        engine->setFrameObserver([this] { readFrame(); });
    }

    void readFrame() {
        ++framesDrawn;
        screenLabel.assign(LABEL_WIDTH * LABEL_HEIGHT * 4, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, LABEL_WIDTH, LABEL_HEIGHT, GL_BGRA, GL_UNSIGNED_BYTE, screenLabel.data());
        glReadPixels(320, 300, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, fieldPixel);
    }

    void beginPlay() {
        ASSERT_TRUE(game->setup());
        engine->beginPlay(*game);
    }

    void TearDown() override {
        game.reset();  // the sound output stops before the clock goes back
        engine.reset();
    }

    void send(MessageKind kind, std::uint32_t key = 0, int x = 0, int y = 0) {
        WindowMessage message = windowMessage(kind, key, x, y);
        engine->handleMessage(message);
        if (kind == MESSAGE_MOUSE_MOVE) {
            pointer = message;
        }
    }

    // The pointer the test holds. The display is shared with other tests, whose
    // windows can move the real pointer; its motion events reach this window too,
    // so every frame puts the test's own pointer back after the real queue.
    WindowMessage pointer;

    // One turn of the main loop at the next tick. The test's pointer goes in
    // after the window's own messages have been taken by the turn before.
    void frame() {
        now = now.load() + FRAME_STEP;
        if (pointer.kind == MESSAGE_MOUSE_MOVE) {
            engine->handleMessage(pointer);
        }
        ASSERT_TRUE(engine->runIteration(*game));
    }

    // Turns until the picture may change again after a score or a lost game: the
    // sound plays in real time, so this waits for it (at most 5 s).
    void framesWhileHeld() {
        const auto started = std::chrono::steady_clock::now();
        while (game->phase == PHASE_HOLD && realSecondsSince(started) < 5.0) {
            frame();
        }
    }

    // Frames until the phase leaves from; false when it never does.
    bool framesWhile(GamePhase from, int limit) {
        for (int i = 0; i < limit && game->phase == from; ++i) {
            frame();
        }
        return game->phase != from;
    }

    void hike() {
        send(MESSAGE_KEY_DOWN, VK_SPACE_KEY);
        frame();
        send(MESSAGE_KEY_UP, VK_SPACE_KEY);
        ASSERT_EQ(game->phase, PHASE_PLAY);
    }

    // The label holds text, and the last frame shows exactly that bitmap in the
    // window's bottom-left corner, over everything else.
    void expectLabelShows(const char* text) {
        EXPECT_STREQ(game->labelText, text);
        const std::vector<std::uint8_t> expected = labelBitmap(text);
        ASSERT_EQ(expected.size(), screenLabel.size());
        ASSERT_EQ(std::memcmp(game->label.pixels, expected.data(), expected.size()), 0)
            << "label bitmap is not \"" << text << "\"";
        int lit = 0;
        for (std::size_t i = 0; i < expected.size(); i += 4) {
            lit += expected[i + 1] > 128 ? 1 : 0;
        }
        EXPECT_GT(lit, 20) << "no text was drawn for \"" << text << "\"";
        int differing = 0;
        for (std::size_t i = 0; i < expected.size(); i += 4) {
            for (int channel = 0; channel < 3; ++channel) {
                differing += screenLabel[i + channel] != expected[i + channel] ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "screen does not show \"" << text << "\"";
    }
};

TEST_F(GamePlayTest, DrivesThroughTackleTouchdownAndLostGame) {
    writeGameMedia(*media);
    setRandomState(4242u);
    engine->options().music = 1;
    beginPlay();
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_FALSE(game->sound.sounds[game->sndTheme].silent) << "with Music on the theme is heard";
    EXPECT_TRUE(game->sound.deviceOpen.load());
    frame();
    EXPECT_EQ(game->phase, PHASE_WAIT_HIKE);
    expectLabelShows("SCORE: 0");
    EXPECT_FLOAT_EQ(game->cameraEye.z, -55.625f);
    EXPECT_GT(fieldPixel[1], 40) << "the green field lies ahead of the dog";
    EXPECT_GT(fieldPixel[1], fieldPixel[2] + 20);

    // Run straight at robot 2, which runs straight back down the middle.
    hike();
    send(MESSAGE_MOUSE_MOVE, 0, 320, 0);
    ASSERT_TRUE(framesWhile(PHASE_PLAY, 400));
    ASSERT_EQ(game->phase, PHASE_LINE_UP);
    EXPECT_EQ(game->down, 2);
    expectLabelShows("2nd Down");
    const float tackleZ = game->dog.position.z;
    EXPECT_GT(tackleZ, -45.0f);

    ASSERT_TRUE(framesWhile(PHASE_LINE_UP, 200));
    EXPECT_EQ(game->phase, PHASE_WAIT_HIKE);
    expectLabelShows("2nd Down");
    EXPECT_EQ(game->dog.position.z, tackleZ);
    EXPECT_LT(std::fabs(game->dog.position.x), 1.0f);
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        EXPECT_EQ(std::trunc(game->robots[i].position.z), std::trunc(tackleZ) + 20.0f);
        EXPECT_EQ(std::trunc(game->robots[i].position.x), 10.0f * i - 20.0f);
    }

    // Touchdown: the next down starts close to the end zone with the robots far
    // behind, to keep the run short.
    hike();
    game->dog.position.z = 38.0f;
    for (Model& robot : game->robots) {
        robot.position.z = -400.0f;
    }
    ASSERT_TRUE(framesWhile(PHASE_PLAY, 100));
    ASSERT_EQ(game->phase, PHASE_SCORED);
    EXPECT_EQ(game->score, 7);
    expectLabelShows("TOUCH DOWN!");
    frame();
    EXPECT_EQ(game->phase, PHASE_RESET);
    EXPECT_TRUE(game->sound.isPlaying(game->sndTheme));
    expectLabelShows("TOUCH DOWN!");
    const auto resetStarted = std::chrono::steady_clock::now();
    frame();
    ASSERT_EQ(game->phase, PHASE_HOLD) << "the next drive waits for the theme";
    // The picture holds, drawn again only when the window asks for it.
    const int drawnBefore = framesDrawn;
    frame();
    EXPECT_EQ(framesDrawn, drawnBefore);
    send(MESSAGE_EXPOSED);
    frame();
    EXPECT_EQ(framesDrawn, drawnBefore + 1) << "the uncovered window was not drawn again during the wait";
    expectLabelShows("TOUCH DOWN!");
    framesWhileHeld();
    EXPECT_GT(realSecondsSince(resetStarted), 0.3) << "the reset waits for the theme";
    EXPECT_FALSE(game->sound.isPlaying(game->sndTheme));
    EXPECT_EQ(game->phase, PHASE_WAIT_HIKE);
    EXPECT_EQ(game->score, 7);
    EXPECT_EQ(game->down, 1);
    EXPECT_FLOAT_EQ(game->dog.position.z, -45.0f);
    EXPECT_FLOAT_EQ(game->robots[0].position.z, 0.0f);
    expectLabelShows("SCORE: 7");

    // Lost game: run to the side, then kick wide of the uprights. Its 7 points
    // go into the best scores as it ends.
    engine->scores().filePath = scoreFilePath(media->root() + "/data");
    hike();
    send(MESSAGE_MOUSE_MOVE, 0, 640, 240);
    frame();
    send(MESSAGE_RIGHT_BUTTON_DOWN);
    frame();
    send(MESSAGE_RIGHT_BUTTON_UP);
    EXPECT_EQ(ballState(game->ball), BALL_IN_FLIGHT);
    EXPECT_LT(game->ball.velocity.x, -0.9f);
    ASSERT_TRUE(framesWhile(PHASE_PLAY, 200));
    ASSERT_EQ(game->phase, PHASE_GAME_OVER);
    EXPECT_LT(game->ball.position.x, -4.0f);
    frame();
    expectLabelShows("GAME OVER");
    EXPECT_EQ(game->score, 0);
    const ScoreFileReading entered = readScoreFile(engine->scores().filePath);
    ASSERT_EQ(entered.entries.size(), 1u);
    EXPECT_EQ(entered.entries[0].score, 7);
    EXPECT_TRUE(game->sound.isPlaying(game->sndWhistle));
    frame();
    framesWhileHeld();
    EXPECT_FALSE(game->sound.isPlaying(game->sndWhistle));
    EXPECT_EQ(game->phase, PHASE_WAIT_HIKE);
    expectLabelShows("SCORE: 0");
    EXPECT_FLOAT_EQ(game->ball.position.z, -45.0f);
}

TEST_F(GamePlayTest, MissingMediaLeavesTheGamePlayable) {
    beginPlay();
    EXPECT_GE(errors.size(), 5u) << "each missing model is reported";
    EXPECT_EQ(game->field.visible, 0);
    frame();
    EXPECT_EQ(ballState(game->ball), BALL_HELD);
    expectLabelShows("SCORE: 0");
    EXPECT_EQ(fieldPixel[1], 0) << "nothing of a missing field shows";

    hike();
    send(MESSAGE_MOUSE_MOVE, 0, 320, 0);
    for (int i = 0; i < 10; ++i) {
        frame();
    }
    EXPECT_GT(game->dog.position.z, -44.0f);
    expectLabelShows("SCORE: 0");
}

TEST_F(GamePlayTest, ShippedMediaLoadsWithoutComplaint) {
    const std::filesystem::path shipped =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "media";
    if (!std::filesystem::exists(shipped / "zq.a3f")) {
        GTEST_SKIP() << "no media folder in this source tree";
    }
    for (const auto& entry : std::filesystem::directory_iterator(shipped)) {
        std::ifstream in(entry.path(), std::ios::binary);
        media->write(entry.path().filename().string(),
                     std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    beginPlay();
    EXPECT_TRUE(errors.empty()) << errors.front();
    for (const Model* model : {&game->field, &game->dog, &game->uprights}) {
        EXPECT_EQ(model->visible, 1);
    }
    for (int slot : {game->sndWhistle, game->sndHike, game->sndTheme, game->sndExterminate, game->sndKick}) {
        EXPECT_GE(slot, 0);
    }
    EXPECT_NE(game->robots[0].displayList, 0u);
    EXPECT_EQ(game->robots[4].displayList, game->robots[0].displayList);
    frame();
    expectLabelShows("SCORE: 0");
    hike();
    frame();
    EXPECT_EQ(game->phase, PHASE_PLAY);
}
