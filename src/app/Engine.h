#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "app/BestScores.h"
#include "app/GameOptions.h"
#include "app/GameWindow.h"
#include "app/LoopGame.h"
#include "app/ReplayCodec.h"
#include "app/View.h"
#include "input/Controls.h"
#include "input/TickInput.h"
#include "platform/WindowMessage.h"

// The options that change what is seen and heard: the launcher's, or while a
// replay is watched, the ones it was played with.
struct PlayOptions {
    bool lights = true;
    bool music = false;
    bool hiQualTex = false;
};

// The application: the main loop and its timing, the options, the best scores
// and the end-of-run saves. The window, the controls and the view are parts of
// it, each holding its own data. One instance lives in static storage for the
// whole run.
class Engine {
public:
    Engine() = default;
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Seeds the random generator, runs the launcher (or reads or takes the
    // default options, by mode), opens the window and sets up the view, the
    // textures and the pad. False when the launcher was closed or the window
    // could not be opened.
    bool init(const char* title, void* instance, Color4 clear, float nearPlane, float farPlane,
              OptionsMode optionsMode);
    // Runs the loop with no launcher and no window, so nothing is drawn, with
    // these options unless a replay is watched: a replay checked without a
    // picture, and the tests of the loop.
    void startHeadless(const PlayOptions& play);
    // Plays replay back instead of the player's input: its options are the ones
    // in force, and nothing is entered in the best scores. Before init's window.
    void watch(const Replay& replay);
    bool watching() const { return watching_; }
    // The game has loaded: what came in meanwhile is taken and forgotten (an
    // error box shown while loading took the focus), and the first tick is one
    // tick away, so the loading time is no step. A replay being watched starts
    // its game here.
    void beginPlay(LoopGame& game);
    // The game being played as recorded so far, from its first tick.
    const Replay& recording() const { return recording_; }
    // One iteration of the main loop: waits until the next tick is due or a
    // message comes, takes every message, and at a tick steps the game once with
    // one record and draws what changed. False once the run is over.
    bool runIteration(LoopGame& game);
    bool running() const { return running_; }
    // The one handler of the window's messages: the stop keys and the close box
    // end the run, the window's own go to the window, the rest to the controls.
    void handleMessage(const WindowMessage& message);
    // The drawable area's new size: the view and the pointer follow it at once.
    // game.ini keeps the resolution the player chose.
    void adoptWindowSize(int width, int height);

    // The game's points as a game ends (lost, or the run over), for the best scores.
    void enterScore(int score);
    // The end-of-run saving, in one place: the options when the launcher's Start
    // was pressed, then every save added below, in order. Runs once per Engine,
    // whichever end comes first: the end of the main loop (Q, Escape, the close
    // box, a stop signal), the Engine's destructor, a lost display or a stop
    // signal the run did not act on in time (those two from the platform layer,
    // possibly on another thread; nothing here may touch the display).
    void saveAtEndOfRun();
    // Adds a save to the end of the run (for what the game keeps beyond options).
    void addEndOfRunSave(std::function<void()> save);

    const GameOptions& options() const { return options_; }
    GameOptions& options() { return options_; }
    PlayOptions playOptions() const;
    // The table of best scores (and the best game's replay beside it).
    BestScores& scores() { return scores_; }
    GameWindow& window() { return window_; }
    const GameWindow& window() const { return window_; }
    View& view() { return view_; }
    const View& view() const { return view_; }
    Controls& controls() { return controls_; }

    // Seams for the tests and the benchmarks that measure the renderer: a
    // function called with each frame drawn, before it is shown (the picture can
    // be read back then), and whether every tick draws, unchanged or not.
    void setFrameObserver(std::function<void()> observer) { frameObserver_ = std::move(observer); }
    void setDrawEveryTick(bool everyTick) { drawEveryTick_ = everyTick; }

private:
    // The launcher (or the file, or the defaults, by mode), again after a replay
    // that cannot be watched. False when it was closed.
    bool configureOptions(OptionsMode optionsMode, void* instance, const char* title);
    void stop();
    void stopIfEndRequested();
    void takeMessages();
    void waitForTickOrMessage(const LoopGame& game);
    enum TickTaken { NO_TICK, TICK_WITHOUT_STEP, TICK_TO_STEP };
    // The record of the tick due now, if one is: the player's, or the replay's.
    TickTaken takeTick(LoopGame& game, TickInput& input);
    TickTaken takeLiveTick(const LoopGame& game, float elapsed, TickInput& input);
    TickTaken takeWatchedTick(LoopGame& game, float elapsed, TickInput& input);
    void drawIfDue(LoopGame& game);
    void drawFrame(LoopGame& game);

    GameWindow window_;
    View view_;
    Controls controls_;
    GameOptions options_;
    // Kept from options mode 1 on; the defaults of mode 0 keep no table either.
    BestScores scores_;
    bool running_ = false;
    Replay recording_;
    bool watching_ = false;
    Replay watched_;
    std::size_t nextWatchedTick_ = 0;
    bool watchPaused_ = false;
    float lastTime_ = 0.0f;  // the clock at the last tick, in seconds
    std::function<void()> frameObserver_;
    bool drawEveryTick_ = false;
    std::once_flag endOfRunSaved_;
    std::vector<std::function<void()>> endOfRunSaves_;
};
