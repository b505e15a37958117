// One game step: input, the phase machine, the kick and the end of a down.
#include <cstdio>

#include "app/Engine.h"
#include "core/Field.h"
#include "core/FrameTime.h"
#include "game/Game.h"
#include "math/Random.h"
#include "math/Scalar.h"

namespace {

constexpr float TACKLE_DISTANCE_SQUARED = 4.0f;
constexpr float KICK_SPEED = 50.0f;
constexpr int LAST_DOWN = 4;
constexpr int TOUCHDOWN_POINTS = 7;
constexpr int FIELD_GOAL_POINTS = 3;

}  // namespace

void Game::step(const TickInput& input) {
    gFrameTime = input.stepSeconds;
    if (phase == PHASE_HOLD) {
        hold(input);  // no pause and no play until the picture may change
        return;
    }
    readButtons(input);
    followPause(input);
    if (paused_) {
        return;  // nothing moves; the time goes by with the ticks
    }
    steerX = input.steerX;
    steerY = input.steerY;
    switch (phase) {
    case PHASE_RESET:
        resetDrive(input);
        break;
    case PHASE_WAIT_HIKE:
        // Nothing moves and the camera stays still until the hike.
        if (hikeAsked_) {
            phase = PHASE_PLAY;
            sound.play(sndHike, &dog.position, 1.0f + 0.1f * randomSigned(), false);
        }
        break;
    case PHASE_PLAY:
        checkKick(kickAsked_);
        moveDog();
        moveRobots();
        moveBall();
        updateCamera();
        resolvePlay();
        break;
    case PHASE_LINE_UP:
        lineUp();
        updateCamera();
        break;
    case PHASE_SCORED:
        bookScore();
        break;
    case PHASE_GAME_OVER:
        endGame();
        break;
    case PHASE_HOLD:
        break;
    }
    // The sounds and the listener are heard where this step left them.
    sound.followPositions();
}

void Game::readButtons(const TickInput& input) {
    // A new press, or letting go, ends a hold carried over.
    if (input.hike.pressed || !input.hike.held) {
        hikeHeldOver_ = false;
    }
    if (input.kick.pressed || !input.kick.held) {
        kickHeldOver_ = false;
    }
    hikeAsked_ = input.hike.asked() && !hikeHeldOver_;
    kickAsked_ = input.kick.asked() && !kickHeldOver_;
}

void Game::checkKick(bool asked) {
    if (!asked || ballState(ball) != BALL_HELD) {
        return;
    }
    setBallState(ball, BALL_IN_FLIGHT);
    // The held ball has the dog's heading, so the kick follows its run sideways;
    // the step size of this frame fixes the speed of the whole flight.
    ball.velocity.set(-sinF(ball.rotation.y), gFrameTime * KICK_SPEED, gFrameTime * KICK_SPEED);
    sound.play(sndKick, &dog.position, 1.0f, false);
}

bool Game::dogTackled() const {
    for (const Model& robot : robots) {
        if ((robot.position - dog.position).lengthSquared() < TACKLE_DISTANCE_SQUARED) {
            return true;
        }
    }
    return false;
}

void Game::resolvePlay() {
    switch (ballState(ball)) {
    case BALL_HELD:
        if (dogTackled()) {
            ++down;
            sound.play(sndWhistle, &cameraEye, 1.0f + 0.1f * randomSigned(), false);
            if (down > LAST_DOWN) {
                phase = PHASE_GAME_OVER;
            } else {
                showLabel(DOWN_NAMES[down - 1]);
                phase = PHASE_LINE_UP;
            }
        }
        // Reaching the end zone wins even over a tackle in the same step.
        if (dog.position.z > TOUCHDOWN_Z) {
            showLabel("TOUCH DOWN!");
            score += TOUCHDOWN_POINTS;
            phase = PHASE_SCORED;
        }
        break;
    case BALL_IN_FLIGHT:
        // Only the ball's side position at the goal line counts, not its height.
        if (ball.position.z > GOAL_LINE_Z) {
            if (ball.position.x > -GOAL_HALF_WIDTH && ball.position.x < GOAL_HALF_WIDTH) {
                showLabel("FIELD GOAL!");
                score += FIELD_GOAL_POINTS;
                phase = PHASE_SCORED;
            } else {
                phase = PHASE_GAME_OVER;
            }
        }
        break;
    case BALL_LANDED:
        phase = PHASE_GAME_OVER;  // came down short of the goal line
        break;
    default:
        break;
    }
}

void Game::bookScore() {
    std::snprintf(scoreText, sizeof scoreText, "SCORE: %d", score);
    sound.play(sndTheme, &cameraEye, 1.0f, false);
    down = 1;
    phase = PHASE_RESET;
}

void Game::endGame() {
    showLabel("GAME OVER");
    // The points of the lost game count for the best scores before they go.
    engine.enterScore(score);
    score = 0;
    std::snprintf(scoreText, sizeof scoreText, "SCORE: %d", score);
    sound.play(sndWhistle, &cameraEye, 0.25f, false);
    phase = PHASE_RESET;
}

void Game::enterScoreAtEnd() {
    if (!scoreEnteredAtEnd) {
        scoreEnteredAtEnd = true;
        engine.enterScore(score);
    }
}
