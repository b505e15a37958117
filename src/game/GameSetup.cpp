// Loading the game's media and placing everything for a new drive.
#include <cstdio>

#include "app/Engine.h"
#include "core/Field.h"
#include "game/Game.h"
#include "math/Random.h"

namespace {

constexpr float DOG_START_Z = -45.0f;
constexpr float DOG_HEIGHT = 0.6f;
constexpr float ROBOT_HEIGHT = 1.5f;

}  // namespace

Game::Game(Engine& owner) : engine(owner) {}

Game::~Game() { engine.saveAtEndOfRun(); }

bool Game::setup() {
    // A model that fails to load reports itself and stays undrawn; play goes on.
    field.load("field.a3f");
    dog.load("zq.a3f");
    robots[0].load("zorbak.a3f");
    ball.load("football.a3f");
    uprights.load("uprights.a3f");
    uprights.transform.setTranslation(0.0f, UPRIGHTS_ORIGIN_HEIGHT, GOAL_LINE_Z);
    for (int i = 1; i < ROBOT_COUNT; ++i) {
        robots[i].copyFrom(robots[0], nullptr);
    }

    // The listener is the camera: the player keeps the pointers and follows it.
    sound.open(75.0f, &cameraEye, &listenerFacing);
    sndWhistle = sound.loadSound("whistle.wav");
    sndHike = sound.loadSound("hike.wav");
    sndTheme = sound.loadSound("vortun.wav");
    sndExterminate = sound.loadSound("exterminate.wav");
    sndKick = sound.loadSound("kick.wav");
    // Without Music the theme is not heard, but it still plays: the pause after a
    // score keeps its length.
    sound.setSilent(sndTheme, !engine.playOptions().music);

    label.create(LabelRect{0, 456, 120, 480}, 640, 480, false);
    label.saveBackground();
    engine.view().setLightPosition(0, GAME_LIGHT_POSITION);

    // Whatever ends the run, the points of the game being played are entered.
    engine.addEndOfRunSave([this] { enterScoreAtEnd(); });

    // The first step sets up the first drive.
    phase = PHASE_RESET;
    return true;
}

void Game::startRecordedGame(const char* text) {
    score = 0;
    std::snprintf(scoreText, sizeof scoreText, "SCORE: %d", score);
    showLabel(text);
    phase = PHASE_RESET;
}

int drawRobotPace() {
    return 1 + static_cast<int>(100.0f * randomUnit());
}

float robotLineX(int robot) {
    return 10.0f * robot - 20.0f;
}

void Game::carryBall() {
    ball.position = dog.position;
    ball.position.y += 1.5f;
    ball.rotation = dog.rotation;
}

void Game::resetDrive(const TickInput& input) {
    down = 1;
    dog.position.set(0.0f, DOG_HEIGHT, DOG_START_Z);
    dog.rotation.set(0.0f, FACING_GOAL, 0.0f);
    carryBall();
    setBallState(ball, BALL_HELD);
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        robots[i].position.set(robotLineX(i), ROBOT_HEIGHT, 0.0f);
        robots[i].rotation.set(0.0f, 0.0f, 0.0f);
        robots[i].velocity.set(0.0f, 0.0f, 0.0f);
        setRobotPace(robots[i], drawRobotPace());
    }
    updateCamera();
    // The wait that follows is part of this step: the music is heard from the
    // new places.
    sound.followPositions();
    // The last picture, with its message, stays on screen until the music and
    // the whistle are over.
    phase = PHASE_HOLD;
    hold(input);
}

void Game::hold(const TickInput& input) {
    if (input.scoreSoundsHeard) {
        return;
    }
    showLabel(scoreText);
    phase = PHASE_WAIT_HIKE;
    // A button still held from the last down must not hike or kick at once.
    hikeHeldOver_ = input.hike.asked();
    kickHeldOver_ = input.kick.asked();
}

bool Game::scoreSoundsHeard() const {
    // The player decides when a sound is over, a stalled output included.
    return sound.stillToBeHeard(sndTheme) || sound.stillToBeHeard(sndWhistle);
}

void Game::showLabel(const char* text) {
    label.clear();
    label.setText(text, LabelRect{0, 0, 120, 24}, 0);
    std::snprintf(labelText, sizeof labelText, "%s", text);
}
