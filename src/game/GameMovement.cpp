// Movement inside a down: the dog, the chasing robots, the ball, and the walk
// to the places of the next down.
#include <cmath>

#include "core/Field.h"
#include "core/FrameTime.h"
#include "game/Game.h"
#include "math/Random.h"
#include "math/Scalar.h"

namespace {

constexpr float DOG_SPEED = 4.0f;
constexpr float ROBOT_SIDEWAYS_GAIN = 2.0f;
constexpr float ROBOT_LENGTHWISE_GAIN = 4.0f;
constexpr float ROBOT_SPEED_LIMIT = 5.0f;  // sideways, per second; twice that lengthwise
constexpr float CRY_CHANCE_THRESHOLD = 0.9975f;
constexpr int CRYING_ROBOT = 3;
constexpr float BALL_SPIN = 4.0f;
constexpr float BALL_DRIFT = 4.0f;
constexpr float BALL_LANDING_HEIGHT = 1.0f;
constexpr float LINE_UP_DISTANCE = 20.0f;  // robots stand this far beyond the dog

// Robots ahead of the dog aim beside it: 0 and 1 on the -x side, 3 and 4 on the
// +x side, 2 straight at it. dz > 0 is the robot's lead towards the goal.
float fanOut(int robot, float dz) {
    if (robot < 2) {
        return dz / static_cast<float>((2 - robot) * 4);
    }
    if (robot > 2) {
        return -dz / static_cast<float>(4 * robot - 8);
    }
    return 0.0f;
}

float clampTo(float value, float limit) {
    if (value > limit) {
        return limit;
    }
    if (value < -limit) {
        return -limit;
    }
    return value;
}

// One unit towards the target, judged by the whole-number part of position.
bool stepTowards(float& position, float target) {
    float whole = std::trunc(position);
    if (whole == target) {
        return false;
    }
    position += (whole < target) ? 1.0f : -1.0f;
    return true;
}

}  // namespace

void Game::moveDog() {
    float dx = steerX * gFrameTime * DOG_SPEED;
    float dz = steerY * gFrameTime * DOG_SPEED;
    dog.rotation.y = atan2F(dx, dz);

    Vec3& at = dog.position;
    if (at.x < -FIELD_HALF_WIDTH) {
        at.x = -FIELD_HALF_WIDTH;
        dx = 0.0f;
    }
    if (at.x > FIELD_HALF_WIDTH) {
        at.x = FIELD_HALF_WIDTH;
        dx = 0.0f;
    }
    if (at.z < -FIELD_HALF_LENGTH) {
        at.z = -FIELD_HALF_LENGTH;
        dz = 0.0f;
    }
    if (at.z > FIELD_HALF_LENGTH) {
        at.z = FIELD_HALF_LENGTH;
        dz = 0.0f;
    }
    // The dog runs against the steering: pointer up (negative) runs to the goal.
    at.x -= dx;
    at.z -= dz;
}

void Game::moveRobots() {
    const float limit = ROBOT_SPEED_LIMIT * gFrameTime;
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        Model& robot = robots[i];
        robot.rotation.y =
            static_cast<float>(robot.rotation.y + (static_cast<double>(randomUnit()) - 0.5) / 10.0);

        float dx = robot.position.x - dog.position.x;
        float dz = robot.position.z - dog.position.z;
        if (dz > 0.0f) {
            dx += fanOut(i, dz);
        } else if (robot.velocity.z > 0.0f) {
            robot.velocity.z = 0.0f;  // level or behind: stop running away from the dog
        }
        // Paces are always drawn from 1 up; the guard keeps a robot that was never
        // given one from dividing by zero.
        const int drawnPace = robotPace(robot);
        const float pace = static_cast<float>(drawnPace < 1 ? 1 : drawnPace);
        dx = dx * gFrameTime / pace;
        dz = dz * gFrameTime / pace;

        Vec3& velocity = robot.velocity;
        velocity.x += ROBOT_SIDEWAYS_GAIN * dx;
        velocity.z += ROBOT_LENGTHWISE_GAIN * dz;
        velocity.x = clampTo(velocity.x, limit);
        velocity.z = clampTo(velocity.z, 2.0f * limit);

        robot.position.x -= randomUnit() * velocity.x;
        robot.position.z -= randomUnit() * velocity.z;
    }
    if (randomUnit() > CRY_CHANCE_THRESHOLD) {
        sound.play(sndExterminate, &robots[CRYING_ROBOT].position, 1.0f + 0.2f * randomUnit(), false);
    }
}

void Game::moveBall() {
    switch (ballState(ball)) {
    case BALL_HELD:
        carryBall();
        break;
    case BALL_IN_FLIGHT: {
        const float drift = (randomUnit() - 0.5f) * gFrameTime * BALL_DRIFT;
        ball.velocity.x += drift;
        ball.position += ball.velocity;
        ball.velocity.y -= gFrameTime;
        ball.rotation.x += gFrameTime * BALL_SPIN;
        ball.rotation.y += drift;
        ball.rotation.z += drift;
        if (ball.position.y < BALL_LANDING_HEIGHT) {
            setBallState(ball, BALL_LANDED);
        }
        break;
    }
    default:
        break;
    }
}

void Game::lineUp() {
    bool done = true;
    // The dog walks back to the middle; it stops anywhere strictly inside (-1, 1).
    if (stepTowards(dog.position.x, 0.0f)) {
        done = false;
    }
    const float robotLineZ = std::trunc(dog.position.z) + LINE_UP_DISTANCE;
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        Vec3& at = robots[i].position;
        if (stepTowards(at.x, robotLineX(i))) {
            done = false;
        }
        const float wholeZ = std::trunc(at.z);
        if (wholeZ != robotLineZ) {
            at.z += (dog.position.z + LINE_UP_DISTANCE > wholeZ) ? 1.0f : -1.0f;
            done = false;
        }
    }
    if (done) {
        dog.rotation.y = FACING_GOAL;
        for (Model& robot : robots) {
            setRobotPace(robot, drawRobotPace());
        }
        phase = PHASE_WAIT_HIKE;
        sound.play(sndWhistle, &cameraEye, 1.25f + 0.1f * randomSigned(), false);
        setBallState(ball, BALL_HELD);
    }
    carryBall();
}
