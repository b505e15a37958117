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

void Game::update() {
    sampleInput();
    switch (phase) {
    case PHASE_RESET:
        resetDrive();
        break;
    case PHASE_WAIT_HIKE:
        // Nothing moves and the camera stays still until the hike.
        if (engine.hikeAsked()) {
            phase = PHASE_PLAY;
            sound.play(sndHike, &dog.position, 1.0f + 0.1f * randomSigned(), false);
        }
        break;
    case PHASE_PLAY:
        checkKick();
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
    }
    // The sounds and the listener are heard where this step left them.
    sound.followPositions();
    engine.setDownInPlay(phase == PHASE_PLAY);
}

void Game::sampleInput() {
    // The engine puts every source together; a pad that answers decides the
    // steering and both keys for this step.
    const TickInput input = engine.readTickInput();
    steerX = input.steerX;
    steerY = input.steerY;
}

void Game::checkKick() {
    if (!engine.kickAsked() || ballState(ball) != BALL_HELD) {
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
    engine.scores.enterNow(score);
    score = 0;
    std::snprintf(scoreText, sizeof scoreText, "SCORE: %d", score);
    sound.play(sndWhistle, &cameraEye, 0.25f, false);
    phase = PHASE_RESET;
}

void Game::enterScoreAtEnd() {
    if (!scoreEnteredAtEnd) {
        scoreEnteredAtEnd = true;
        engine.scores.enterNow(score);
    }
}
