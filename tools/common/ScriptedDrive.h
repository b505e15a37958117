#pragma once

// One scripted drive of the real game, run through the game's own main loop under
// a stepped clock, with the renderer's shortcuts on or off: the benchmark that
// times the drive and the window tests that compare its pictures play the same
// one. Its recording can be watched back the same way.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "BackBufferPicture.h"
#include "app/Engine.h"
#include "core/ErrorMessages.h"
#include "platform/OpenGl.h"
#include "game/Game.h"
#include "math/Clock.h"
#include "math/Random.h"
#include "platform/ExecutablePath.h"
#include "platform/WindowMessage.h"

struct DriveSetup {
    bool skipUnchangedFrames = true;
    bool replaceUnlitTextures = true;
    std::string fieldText;  // empty: the shipped field.a3f
    int lights = 0;
    int width = 640;
    int height = 480;
    bool photograph = false;  // read back every drawn picture
    const Replay* watched = nullptr;  // watched back instead of played (watch())
};

struct DriveTurn {
    std::uint64_t shown;  // fingerprint of the picture on screen after the turn
    GamePhase phase;
    bool drawn;
};

class ScriptedDrive {
public:
    // The game's models and textures from a copy of mediaFolder; no sounds, which
    // the picture does not need (their loaders' messages are dropped).
    ScriptedDrive(const DriveSetup& setup, const std::string& mediaFolder) : setup_(setup) {
        namespace fs = std::filesystem;
        std::string folder = (fs::temp_directory_path() / "zf-drive-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr) return;
        root_ = folder;
        fs::create_directory(root_ / "media");
        for (const auto& entry : fs::directory_iterator(mediaFolder))
            if (entry.path().extension() != ".wav") fs::copy(entry.path(), root_ / "media");
        if (!setup.fieldText.empty()) {
            std::FILE* field = std::fopen((root_ / "media" / "field.a3f").string().c_str(), "wb");
            if (field == nullptr) return;
            std::fwrite(setup.fieldText.data(), 1, setup.fieldText.size(), field);
            std::fclose(field);
        }
        platformSetExecutableDirectoryForTesting(root_.string());
        setClockForTesting([this] { return now_; });
        setErrorBoxHandlerForTesting([](ErrorSeverity, const std::string&, const std::string&) { return true; });
        setReplaceUnlitTextures(setup.replaceUnlitTextures);
        resetDisplayListNamesForTesting();
        GameOptions& options = engine_->options();
        options.width = setup.width;
        options.height = setup.height;
        options.windowed = 1;
        options.lights = setup.lights;
        if (setup.watched != nullptr) engine_->watch(*setup.watched);
        ready_ = engine_->init("scripted drive", nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS);
        setRandomState(2u);  // a drive whose kick is good
        ready_ = ready_ && game_->setup();
        if (!ready_) return;
        engine_->setDrawEveryTick(!setup.skipUnchangedFrames);
        engine_->setFrameObserver([this] {
            ++drawn_;
            if (setup_.photograph) shown_ = fingerprint(readBackBuffer(setup_.width, setup_.height));
        });
        engine_->beginPlay(*game_);
    }
    ~ScriptedDrive() {
        game_.reset();
        engine_.reset();
        setReplaceUnlitTextures(true);
        setErrorBoxHandlerForTesting(nullptr);
        setClockForTesting(nullptr);
        platformSetExecutableDirectoryForTesting("");
        std::error_code ignored;
        if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
    }
    ScriptedDrive(const ScriptedDrive&) = delete;
    ScriptedDrive& operator=(const ScriptedDrive&) = delete;

    // Waits for the hike, pauses, runs into a tackle, lines up, kicks from the
    // middle at the next down and waits for the hike after the kick's end. Once
    // for each drive. A player takes about a second before each hike, as here.
    void play() {
        idle(WAIT_FOR_HIKE / 2);
        press(VK_P_KEY);
        idle(3);
        press(VK_P_KEY);
        idle(WAIT_FOR_HIKE / 2);
        // Up held from here on: straight at robot 2. A key rather than the pointer,
        // which a stray pointer event from the display could move.
        send(MESSAGE_KEY_DOWN, VK_UP_KEY);
        press(VK_SPACE_KEY);
        turnsWhile(PHASE_PLAY, 400);
        turnsWhile(PHASE_LINE_UP, 300);
        idle(WAIT_FOR_HIKE);
        press(VK_SPACE_KEY);
        press(VK_CONTROL_KEY);
        turnsWhile(PHASE_PLAY, 400);
        idle(WAIT_FOR_HIKE);
        glFinish();
    }

    // One turn for each of the watched replay's records.
    void watch() {
        idle(static_cast<int>(setup_.watched->ticks.size()));
        glFinish();
    }

    bool ready() const { return ready_; }
    const Replay& recording() const { return engine_->recording(); }
    const std::vector<DriveTurn>& turns() const { return turns_; }
    const std::set<std::string>& labels() const { return labels_; }
    bool ballFlew() const { return ballFlew_; }
    int drawn() const { return drawn_; }
    int skipped() const { return skipped_; }
    int unseen() const { return unseen_; }  // turns the window was covered or hidden
    int untimely() const { return untimely_; }  // turns that took no tick, or more than one

private:
    static constexpr int WAIT_FOR_HIKE = 32;  // turns: one second

    // One iteration of the game's main loop a tick after the last, and the
    // picture it leaves on screen.
    void turn() {
        now_ += 0.03125;  // exact in float, just over the game's tick
        const long ticksBefore = engine_->controls().ticksTaken();
        const int drawnBefore = drawn_;
        engine_->runIteration(*game_);
        untimely_ += engine_->controls().ticksTaken() - ticksBefore != 1 ? 1 : 0;
        const bool drawn = drawn_ != drawnBefore;
        if (!drawn) {
            // As the game's loop: a window nobody sees is not drawn.
            ++(engine_->window().hidden() ? unseen_ : skipped_);
        }
        labels_.insert(game_->labelText);
        ballFlew_ = ballFlew_ || ballState(game_->ball) == BALL_IN_FLIGHT;
        turns_.push_back(DriveTurn{shown_, game_->phase, drawn});
    }
    void idle(int count) {
        for (int i = 0; i < count; ++i) turn();
    }
    void send(MessageKind kind, std::uint32_t key) {
        WindowMessage message;
        message.kind = kind;
        message.wParam = key;
        engine_->handleMessage(message);
    }
    // Down for one turn, up before the next.
    void press(std::uint32_t key) {
        send(MESSAGE_KEY_DOWN, key);
        turn();
        send(MESSAGE_KEY_UP, key);
    }
    void turnsWhile(GamePhase phase, int limit) {
        for (int i = 0; i < limit && game_->phase == phase; ++i) turn();
    }
    static std::uint64_t fingerprint(const BackBufferPixels& rgb) {
        std::uint64_t hash = 1469598103934665603ull;  // 64-bit FNV-1a
        for (unsigned char byte : rgb) hash = (hash ^ byte) * 1099511628211ull;
        return hash;
    }

    DriveSetup setup_;
    double now_ = 100.0;
    std::filesystem::path root_;
    bool ready_ = false;
    std::unique_ptr<Engine> engine_ = std::make_unique<Engine>();
    std::unique_ptr<Game> game_ = std::make_unique<Game>(*engine_);
    std::uint64_t shown_ = 0;
    std::vector<DriveTurn> turns_;
    std::set<std::string> labels_;
    bool ballFlew_ = false;
    int drawn_ = 0;
    int skipped_ = 0;
    int unseen_ = 0;
    int untimely_ = 0;
};
