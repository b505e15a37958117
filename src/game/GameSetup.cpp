// Loading the game's media and placing everything for a new drive.
#include <cstdio>

#include "app/Engine.h"
#include "core/Field.h"
#include "game/Game.h"
#include "platform/WindowMessage.h"
#include "math/Random.h"

namespace {

constexpr float DOG_START_Z = -45.0f;
constexpr float DOG_HEIGHT = 0.6f;
constexpr float ROBOT_HEIGHT = 1.5f;
// How often the wait after a score looks at the sound between window events.
constexpr int WAIT_POLL_MS = 5;

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
    sound.setSilent(sndTheme, engine.options.music == 0);

    label.create(LabelRect{0, 456, 120, 480}, 640, 480, false);
    label.saveBackground();
    engine.setLightPosition(0, GAME_LIGHT_POSITION);

    // Whatever ends the run, the points of the game being played are entered.
    engine.addEndOfRunSave([this] { enterScoreAtEnd(); });

    resetDrive();
    engine.beginPlay();
    // Loading time must not count as the first frame's step.
    engine.resetTimer();
    return true;
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

void Game::resetDrive() {
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
    phase = PHASE_WAIT_HIKE;
    updateCamera();
    // The wait below is part of this step: the music is heard from the new places.
    sound.followPositions();

    // The last frame, with its message, stays on screen until the music and the
    // whistle are over. The wait ends early only when the game is closed.
    waitWhilePlaying(sndTheme);
    waitWhilePlaying(sndWhistle);
    showLabel(scoreText);

    // A key still held from the last down must not hike or kick at once.
    engine.keyDown[VK_SPACE_KEY] = 0;
    engine.keyDown[VK_CONTROL_KEY] = 0;
}

void Game::showLabel(const char* text) {
    label.clear();
    label.setText(text, LabelRect{0, 0, 120, 24}, 0);
    std::snprintf(labelText, sizeof labelText, "%s", text);
}

void Game::waitWhilePlaying(int slot) {
    // The player decides when a sound is over, a stalled output included. No step
    // runs meanwhile, but the window keeps answering its desktop.
    while (sound.stillToBeHeard(slot)) {
        if (!engine.pumpMessagesWhileWaiting(WAIT_POLL_MS)) {
            return;  // closed: the window and its picture are gone
        }
        if (engine.repaintDue && !engine.windowHidden) {
            repaintWhileWaiting();
        }
    }
}

void Game::repaintWhileWaiting() {
    // The game as it stands: the next drive set up, the message still in the label.
    // The loop's own frame, when it has one in progress (it has none while the
    // window was hidden at its tick), is begun again afterwards.
    const bool loopFrame = engine.frameInProgress;
    if (!loopFrame) {
        engine.beginDrawing();
    }
    engine.repaintDue = false;
    drawAsItStands();
    if (loopFrame) {
        engine.beginDrawing();
    }
}
