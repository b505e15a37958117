#pragma once

#include "app/Engine.h"
#include "app/LoopGame.h"
#include "game/ShownPicture.h"
#include "math/Vec.h"
#include "model/Model.h"
#include "sound/SoundPlayer.h"
#include "text/TextLabel.h"

enum GamePhase {
    PHASE_RESET = 0,
    PHASE_WAIT_HIKE = 1,
    PHASE_PLAY = 2,
    PHASE_LINE_UP = 3,
    PHASE_SCORED = 4,
    PHASE_GAME_OVER = 5,
    // The next drive stands ready, but the picture of the score or the lost game
    // holds until its theme and whistle are over.
    PHASE_HOLD = 6,
};

enum BallState : int {
    BALL_HELD = 1,
    BALL_IN_FLIGHT = 2,
    BALL_LANDED = 3,
};

// The game keeps two more things in Model::visible, which draws a model while it
// is at least 1: the ball's state and each robot's pace. Every value of both is 1
// or more, so the ball and the robots stay drawn. Only these four know the trick.
inline BallState ballState(const Model& ball) { return static_cast<BallState>(ball.visible); }
inline void setBallState(Model& ball, BallState state) { ball.visible = state; }
// A robot's pace divides its chase: the larger, the lazier (1 ... 101).
inline int robotPace(const Model& robot) { return robot.visible; }
inline void setRobotPace(Model& robot, int pace) { robot.visible = pace; }

constexpr int ROBOT_COUNT = 5;
// The heading of the dog (and the ball it holds) facing the far goal. The game
// has always used the single-precision 3.14159, not pi: a kick straight from the
// line-up keeps its tiny sideways part.
constexpr float FACING_GOAL = 3.14159f;
// Where the game's one light stands: high over the near corner, behind the dog's start.
inline const Vec3 GAME_LIGHT_POSITION(100.0f, 100.0f, -100.0f);
extern const char DOWN_NAMES[4][32];

// The whole football game: state, media, rules and movement. The members are
// declared in the order the game's static objects must be built (label, sound
// player, camera and listener vectors, models); the one Game lives in static
// storage right after the Engine, so everything here is torn down before it.
class Game : public LoopGame {
public:
    explicit Game(Engine& engine);
    // A run that ends without leaving the frame loop (a library's exit) still
    // saves, while the game's score is there to be entered.
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Engine& engine;

    TextLabel label;
    SoundPlayer sound;

    Vec3 cameraEye{0.0f, 10.0f, -55.0f};
    Vec3 cameraTarget{0.0f, 0.0f, -35.0f};
    Vec3 cameraUp{0.0f, 1.0f, 0.0f};
    Vec3 listenerFacing{0.0f, 0.0f, 1.0f};

    Model field;
    Model dog;
    Model robots[ROBOT_COUNT];
    Model ball;
    Model uprights;

    int score = 0;
    GamePhase phase = PHASE_RESET;
    int down = 0;
    float steerX = 0.0f;
    float steerY = 0.0f;
    char scoreText[32] = "SCORE: 0";
    // The view matrix: the camera behind the dog, set by every step that moves it.
    Matrix4 camera;

    int sndWhistle = -1;
    int sndHike = -1;
    int sndTheme = -1;
    int sndExterminate = -1;
    int sndKick = -1;

    // What the picture on screen was drawn from; draw keeps it up to date.
    ShownPicture shownPicture;

    // The text the label shows now, kept so that the rules can be checked without
    // reading the label's pixels back.
    char labelText[32] = "";
    bool scoreEnteredAtEnd = false;

    // Loads the media; the first step sets up the first drive.
    bool setup();
    // The start of a recorded game: the first step sets up its first drive, with
    // the label showing text until then.
    void startRecordedGame(const char* text) override;
    void holdForViewer(bool held) override;
    void resetDrive(const TickInput& input);

    // One tick of the game (LoopGame).
    void step(const TickInput& input) override;
    bool scoreSoundsHeard() const override;
    bool pictureHeld() const override { return phase == PHASE_HOLD; }
    // True when a frame drawn now would only show the picture already on screen.
    bool pictureUnchanged() const override { return shownPicture.matches(*this); }
    const Matrix4& viewMatrix() const override { return camera; }
    void draw() override;
    bool paused() const override { return paused_; }
    bool downInPlay() const override { return phase == PHASE_PLAY; }
    bool newGameNext() const override { return phase == PHASE_RESET && score == 0; }
    const char* labelShown() const override { return labelText; }

    // Kicks a held ball when asked.
    void checkKick(bool asked);
    void resolvePlay();
    void moveDog();
    void moveRobots();
    void moveBall();
    void lineUp();
    void updateCamera();
    // Enters the score of the game the run ends in into the best scores, when it
    // is above 0, once: the run's one place for it, called after the frame loop
    // has ended however it ended (Q, Escape, the close box, a stop signal, a lost
    // display): setup adds it to the engine's end-of-run saving. A lost game
    // enters its own score as it ends.
    void enterScoreAtEnd();

    // Replaces the label's text with text (cut to the label's 31 characters).
    void showLabel(const char* text);

private:
    // P, the pad's Start, a lost focus and the press that comes back after one.
    void followPause(const TickInput& input);
    void setPaused(bool nowPaused, bool byFocus);
    // The label's part of it: "PAUSED" while paused, then the text from before.
    void showPaused(bool nowPaused);
    // The wait after a score: over once its sounds are.
    void hold(const TickInput& input);
    // What the buttons ask at this tick, once a press carried over is let go.
    void readButtons(const TickInput& input);
    void bookScore();
    void endGame();
    bool dogTackled() const;
    void carryBall();

    bool paused_ = false;
    bool pausedByFocus_ = false;
    // While a pause is shown: what the label showed before it.
    char labelBeforePause_[32] = "";
    // A button held since before the pause ended or the drive was set up: it does
    // nothing until it is let go or pressed again.
    bool hikeHeldOver_ = false;
    bool kickHeldOver_ = false;
    bool hikeAsked_ = false;
    bool kickAsked_ = false;
};

// A robot's new pace, 1 ... 101: the larger, the lazier its chase.
int drawRobotPace();
// Where robot number robot (0 ... 4) stands across the field when a down starts.
float robotLineX(int robot);

// Sets a model's transform from its rotation angles and position.
void placeModel(Model& model);
