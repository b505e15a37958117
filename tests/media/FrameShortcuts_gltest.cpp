// The renderer's shortcuts change no pixel: a scripted drive with the shipped
// stadium, frames not drawn again when nothing changed and textures shown as
// they are where lighting is off, shows byte for byte the pictures of the same
// drive with the stadium as the generator builds it untrimmed, every frame drawn
// and every texture modulated. Both drives run the game's own loop under a
// stepped clock and the same random draws, with lights off and on.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Engine.h"
#include "core/FrameTime.h"
#include "game/Game.h"
#include "math/Random.h"
#include "media_generator/Models.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"
#include "common/BackBufferPicture.h"

namespace {

constexpr int WIDTH = 640, HEIGHT = 480;
constexpr double FRAME_STEP = 0.03125;  // exact in float, just over the game's tick
// Stands for the frame that shows the pause, which is swapped before a test can read it.
constexpr std::uint64_t PAUSE_PICTURE = 1;

std::uint64_t fingerprint(const BackBufferPixels& rgb) {
    std::uint64_t hash = 1469598103934665603ull;  // 64-bit FNV-1a
    for (unsigned char byte : rgb) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

struct Turn {
    std::uint64_t shown;  // the picture on screen after this turn of the loop
    GamePhase phase;
    bool drawn;
};

// The shipped models and textures (the picture needs no sound), the field either
// as shipped or as the generator builds it with every hidden part kept.
void copyMedia(const TempMediaDir& media, bool untrimmedField) {
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(ZF_SOURCE_DIR) / "media")) {
        if (entry.path().extension() == ".wav") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        media.write(entry.path().filename().string(),
                    std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    if (untrimmedField) media.write("field.a3f", a3fText(buildField(HiddenParts::KEPT)));
}

class Drive {
public:
    Drive(bool shortcuts, int lights) : shortcuts_(shortcuts) {
        copyMedia(media_, !shortcuts);
        setReplaceUnlitTextures(shortcuts);
        resetDisplayListNamesForTesting();
        engine_.options.width = WIDTH;
        engine_.options.height = HEIGHT;
        engine_.options.windowed = 1;
        engine_.options.lights = lights;
        ready_ = engine_.init("frame shortcuts", nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS);
        setRandomState(2u);  // a drive whose kick from the middle is good
        ready_ = ready_ && game_->setup();
    }
    ~Drive() {
        game_.reset();
        setReplaceUnlitTextures(true);
    }

    // Waits for the hike, pauses, runs into a tackle, lines up, kicks a field goal
    // from the next down and waits for the hike of the next drive.
    std::vector<Turn> play() {
        idle(8);
        press(VK_P_KEY);
        idle(3);
        press(VK_P_KEY);
        idle(3);
        engine_.stickX = 0.0f;
        engine_.stickY = -1.0f;  // pointer at the top: straight at robot 2
        press(VK_SPACE_KEY);
        turnsWhile(PHASE_PLAY, 400);
        turnsWhile(PHASE_LINE_UP, 300);
        idle(8);
        press(VK_SPACE_KEY);
        press(VK_CONTROL_KEY);  // a kick from the middle, the dog still standing
        turnsWhile(PHASE_PLAY, 400);
        idle(12);
        return turns_;
    }

    bool ready() const { return ready_; }
    const std::set<std::string>& labels() const { return labels_; }
    bool ballFlew() const { return ballFlew_; }

private:
    // One turn of the game's main loop, with the picture it leaves on screen.
    void turn() {
        now_ += FRAME_STEP;
        gFrameTime = engine_.beginFrame();
        const PauseChange pause = engine_.takePauseChange();
        game_->followPause(pause);
        if (pause == PAUSE_BEGAN) shown_ = PAUSE_PICTURE;
        bool drawn = false;
        if (gFrameTime != 0.0f) {
            game_->update();
            if (shortcuts_ && game_->pictureUnchanged()) {
                engine_.skipFrame();
            } else {
                engine_.applyCamera();
                game_->draw();
                shown_ = fingerprint(readBackBuffer(WIDTH, HEIGHT));
                engine_.endFrame();
                drawn = true;
            }
        }
        labels_.insert(game_->labelText);
        ballFlew_ = ballFlew_ || ballState(game_->ball) == BALL_IN_FLIGHT;
        turns_.push_back(Turn{shown_, game_->phase, drawn});
    }
    void idle(int count) {
        for (int i = 0; i < count; ++i) turn();
    }
    void press(std::uint32_t key) {
        engine_.keyDown[key] = 1;
        turn();
        engine_.keyDown[key] = 0;
    }
    void turnsWhile(GamePhase phase, int limit) {
        for (int i = 0; i < limit && game_->phase == phase; ++i) turn();
    }

    double now_ = 100.0;
    ClockOverride clock_{[this] { return now_; }};
    // Only the missing sounds are reported: the picture does not need them.
    ErrorBoxOverride errorBoxes_{[](ErrorSeverity, const std::string&, const std::string&) { return true; }};
    TempMediaDir media_;
    bool shortcuts_;
    bool ready_ = false;
    Engine engine_;
    std::unique_ptr<Game> game_ = std::make_unique<Game>(engine_);
    std::uint64_t shown_ = 0;
    std::vector<Turn> turns_;
    std::set<std::string> labels_;
    bool ballFlew_ = false;
};

class FrameShortcuts : public ::testing::TestWithParam<int> {};

TEST_P(FrameShortcuts, ADriveShowsTheSamePicturesByteForByte) {
    std::vector<Turn> plain, shortcut;
    {
        Drive drive(false, GetParam());
        ASSERT_TRUE(drive.ready());
        plain = drive.play();
        // The drive went through what it is meant to show.
        for (const char* label : {"PAUSED", "2nd Down", "FIELD GOAL!", "SCORE: 3"}) {
            EXPECT_EQ(drive.labels().count(label), 1u) << label;
        }
        EXPECT_TRUE(drive.ballFlew());
    }
    {
        Drive drive(true, GetParam());
        ASSERT_TRUE(drive.ready());
        shortcut = drive.play();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    ASSERT_EQ(plain.size(), shortcut.size());
    int skipped = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(plain[i].phase, shortcut[i].phase) << "turn " << i;
        ASSERT_EQ(plain[i].shown, shortcut[i].shown) << "turn " << i << " in phase " << plain[i].phase;
        skipped += plain[i].drawn && !shortcut[i].drawn ? 1 : 0;
    }
    // Every wait for a hike after its first frame, and the turns after the pause.
    EXPECT_GE(skipped, 20) << "of " << plain.size() << " turns";
}

INSTANTIATE_TEST_SUITE_P(Lights, FrameShortcuts, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param != 0 ? std::string("On") : std::string("Off");
                         });

}  // namespace
