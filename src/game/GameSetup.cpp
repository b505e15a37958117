// Loading the game's media and placing everything for a new drive.
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/Engine.h"
#include "game/Game.h"
#include "platform/WindowMessage.h"
#include "math/Random.h"

namespace {

constexpr float DOG_START_Z = -45.0f;
constexpr float DOG_HEIGHT = 0.6f;
constexpr float ROBOT_HEIGHT = 1.5f;

// Output frames per second of the sound player; a rate of 1 plays one sample per frame.
constexpr double OUTPUT_RATE = 11025.0;
// No sound the game waits for plays slower than this (the game-over whistle).
constexpr double SLOWEST_RATE = 0.25;
// Time a sound may take beyond its own length: the player's two queued buffers
// (about 0.19 s) before it starts, plus room for a loaded machine.
constexpr double WAIT_MARGIN_SECONDS = 2.0;

}  // namespace

Game::Game(Engine& owner) : engine(owner) {}

bool Game::setup() {
    // A model that fails to load reports itself and stays undrawn; play goes on.
    field.load("field.a3f");
    dog.load("zq.a3f");
    robots[0].load("zorbak.a3f");
    ball.load("football.a3f");
    uprights.load("uprights.a3f");
    uprights.transform.setTranslation(0.0f, 1.0f, 50.0f);
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

    label.create(LabelRect{0, 456, 120, 480}, 640, 480, false);
    label.saveBackground();
    engine.setLightPosition(0, GAME_LIGHT_POSITION);

    resetDrive();
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

    // The last frame, with its message, stays on screen until the music and the
    // whistle are over.
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

double Game::soundWaitLimit(int slot) const {
    if (slot < 0 || slot >= sound.soundCount.load()) {
        return 0.0;
    }
    // sampleCount is fixed once the slot is loaded, so reading it here does not
    // race with the mixer.
    double length = sound.sounds[slot].sampleCount / (OUTPUT_RATE * SLOWEST_RATE);
    return length + WAIT_MARGIN_SECONDS;
}

void Game::waitWhilePlaying(int slot) {
    // Without a running output a sound never advances, so it counts as finished.
    // The time limit guards against an output that stalls while open; it is
    // measured on the steady clock, not the game clock, which tests may freeze.
    using SteadyClock = std::chrono::steady_clock;
    const auto deadline = SteadyClock::now() + std::chrono::duration_cast<SteadyClock::duration>(
                                                   std::chrono::duration<double>(soundWaitLimit(slot)));
    while (sound.deviceOpen.load() && sound.isPlaying(slot) && SteadyClock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
