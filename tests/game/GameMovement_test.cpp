#include <cmath>

#include "game/GameTestFixture.h"
#include "math/Scalar.h"

using DogMovementTest = GameTest;

TEST_F(DogMovementTest, RunsAgainstTheSteeringAndFacesItsStep) {
    game.dog.position.set(0.0f, 0.6f, -45.0f);
    game.steerX = 0.0f;
    game.steerY = -1.0f;
    game.moveDog();
    EXPECT_FLOAT_EQ(game.dog.position.z, -44.88f);
    EXPECT_FLOAT_EQ(game.dog.position.x, 0.0f);
    EXPECT_NEAR(game.dog.rotation.y, PI, 1e-6f);

    // Pointer right of the middle runs towards -x.
    game.steerX = 1.0f;
    game.steerY = 0.0f;
    game.moveDog();
    EXPECT_FLOAT_EQ(game.dog.position.x, -0.12f);
    EXPECT_NEAR(game.dog.rotation.y, PI / 2.0f, 1e-6f);

    game.steerX = 0.0f;
    game.moveDog();
    EXPECT_EQ(game.dog.rotation.y, 0.0f);
    EXPECT_FLOAT_EQ(game.dog.position.x, -0.12f);
}

TEST_F(DogMovementTest, IsPutBackOnTheFieldEdgeBeforeItMoves) {
    game.steerX = -1.0f;  // would run towards +x
    game.steerY = 1.0f;   // would run towards -z
    game.dog.position.set(25.05f, 0.6f, -50.2f);
    game.moveDog();
    EXPECT_EQ(game.dog.position.x, 25.0f);
    EXPECT_EQ(game.dog.position.z, -50.0f);

    // Standing exactly on the edge it may still step past it once.
    game.moveDog();
    EXPECT_FLOAT_EQ(game.dog.position.x, 25.12f);
    EXPECT_FLOAT_EQ(game.dog.position.z, -50.12f);

    game.steerX = 1.0f;
    game.steerY = -1.0f;
    game.dog.position.set(-25.5f, 0.6f, 50.3f);
    game.moveDog();
    EXPECT_EQ(game.dog.position.x, -25.0f);
    EXPECT_EQ(game.dog.position.z, 50.0f);
}

using RobotMovementTest = GameTest;

TEST_F(RobotMovementTest, ChaseIsDividedByPaceAndLimitedPerStep) {
    game.dog.position.set(0.0f, 0.6f, -45.0f);
    parkRobotsFarAway();
    placeRobot(2, Vec3(0.0f, 1.5f, 0.0f), 10);
    placeRobot(3, Vec3(0.0f, 1.5f, 0.0f), 101);
    placeRobot(4, Vec3(0.0f, 1.5f, 0.0f), 1);
    game.moveRobots();

    const Model& robot2 = game.robots[2];
    EXPECT_FLOAT_EQ(robot2.velocity.z, 0.3f);  // 0.54 wanted, limited to 10 x 0.03
    EXPECT_EQ(robot2.velocity.x, 0.0f);
    EXPECT_LE(robot2.position.z, 0.0f);
    EXPECT_GE(robot2.position.z, -0.3f);

    // The laziest robot stays well under the limit; the keenest hits it at once.
    EXPECT_NEAR(game.robots[3].velocity.z, 4.0f * 45.0f * 0.03f / 101.0f, 1e-6f);
    EXPECT_FLOAT_EQ(game.robots[4].velocity.z, 0.3f);
}

TEST_F(RobotMovementTest, RobotsAheadOfTheDogFanOutToBothSides) {
    game.dog.position.set(0.0f, 0.6f, 0.0f);
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        placeRobot(i, Vec3(0.0f, 1.5f, 8.0f), 1);
    }
    game.moveRobots();
    // Aim beside the dog by dz/8, dz/4, 0, -dz/4, -dz/8; x moves against velocity.
    const float expected[ROBOT_COUNT] = {0.06f, 0.12f, 0.0f, -0.12f, -0.06f};
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        EXPECT_NEAR(game.robots[i].velocity.x, expected[i], 1e-6f) << "robot " << i;
    }
    EXPECT_LE(game.robots[0].position.x, 0.0f);
    EXPECT_GE(game.robots[4].position.x, 0.0f);
}

TEST_F(RobotMovementTest, RobotLevelOrBehindStopsRunningAwayFromTheDog) {
    game.dog.position.set(0.0f, 0.6f, 0.0f);
    parkRobotsFarAway();
    placeRobot(1, Vec3(5.0f, 1.5f, -10.0f), 10);
    game.robots[1].velocity.set(0.0f, 0.0f, 0.2f);
    placeRobot(2, Vec3(0.0f, 1.5f, -10.0f), 10);
    game.robots[2].velocity.set(0.0f, 0.0f, -0.1f);
    game.moveRobots();
    // The positive lengthwise speed is dropped before the pull is added; a
    // negative one is kept.
    EXPECT_NEAR(game.robots[1].velocity.z, -0.12f, 1e-6f);
    EXPECT_NEAR(game.robots[2].velocity.z, -0.22f, 1e-6f);
    // Behind the dog there is no fan-out: robot 1 aims straight at it.
    EXPECT_NEAR(game.robots[1].velocity.x, 2.0f * 5.0f * 0.03f / 10.0f, 1e-6f);
}

TEST_F(RobotMovementTest, HeadingsOnlyWobbleALittle) {
    game.dog.position.set(0.0f, 0.6f, -45.0f);
    parkRobotsFarAway();
    for (int step = 0; step < 50; ++step) {
        float before[ROBOT_COUNT];
        for (int i = 0; i < ROBOT_COUNT; ++i) {
            before[i] = game.robots[i].rotation.y;
        }
        game.moveRobots();
        for (int i = 0; i < ROBOT_COUNT; ++i) {
            EXPECT_LE(std::fabs(game.robots[i].rotation.y - before[i]), 0.05f + 1e-6f);
        }
    }
}

using BallMovementTest = GameTest;

TEST_F(BallMovementTest, KickFromOwnEndLandsPastTheGoalAfter102Steps) {
    resetDrive();
    game.checkKick(true);
    ASSERT_EQ(ballState(game.ball), BALL_IN_FLIGHT);
    EXPECT_NEAR(game.ball.velocity.x, 0.0f, 1e-5f);  // heading 3.14159 runs straight
    EXPECT_FLOAT_EQ(game.ball.velocity.y, 1.5f);
    EXPECT_FLOAT_EQ(game.ball.velocity.z, 1.5f);
    const float kickVelocityX = game.ball.velocity.x;
    const float kickHeading = game.ball.rotation.y;

    int steps = 0;
    while (ballState(game.ball) == BALL_IN_FLIGHT && steps < 1000) {
        game.moveBall();
        ++steps;
    }
    EXPECT_EQ(steps, 102);
    EXPECT_EQ(ballState(game.ball), BALL_LANDED);
    EXPECT_NEAR(game.ball.position.z, 108.0f, 0.01f);
    EXPECT_LT(game.ball.position.y, 1.0f);
    // Each step's random drift goes both into the sideways speed and into the
    // ball's heading and roll, so all three moved by the same sum.
    const float drift = game.ball.velocity.x - kickVelocityX;
    EXPECT_NE(drift, 0.0f);
    EXPECT_NEAR(game.ball.rotation.y - kickHeading, drift, 1e-4f);
    EXPECT_NEAR(game.ball.rotation.z, drift, 1e-4f);
    EXPECT_NEAR(game.ball.rotation.x, 102.0f * 0.12f, 1e-3f);

    // A landed ball lies still.
    const Vec3 landedAt = game.ball.position;
    game.moveBall();
    EXPECT_EQ(game.ball.position.z, landedAt.z);
}

TEST_F(BallMovementTest, KickNeedsTheKeyAndAHeldBall) {
    resetDrive();
    game.checkKick(false);
    EXPECT_EQ(ballState(game.ball), BALL_HELD);

    setBallState(game.ball, BALL_LANDED);
    game.checkKick(true);
    EXPECT_EQ(ballState(game.ball), BALL_LANDED);

    // A kick while running sideways leaves sideways.
    setBallState(game.ball, BALL_HELD);
    game.ball.rotation.y = PI / 2.0f;
    game.checkKick(true);
    EXPECT_NEAR(game.ball.velocity.x, -1.0f, 1e-6f);
}

TEST_F(BallMovementTest, HeldBallRidesAboveTheDog) {
    resetDrive();
    game.dog.position.set(3.0f, 0.6f, 12.0f);
    game.dog.rotation.y = 1.0f;
    game.moveBall();
    EXPECT_FLOAT_EQ(game.ball.position.x, 3.0f);
    EXPECT_FLOAT_EQ(game.ball.position.y, 2.1f);
    EXPECT_FLOAT_EQ(game.ball.position.z, 12.0f);
    EXPECT_EQ(game.ball.rotation.y, 1.0f);
}

class LineUpTest : public GameTest, public ::testing::WithParamInterface<float> {};

TEST_P(LineUpTest, WalksEveryoneToTheNextDownsPlaces) {
    const float tackleZ = GetParam();
    game.phase = PHASE_LINE_UP;
    setBallState(game.ball, BALL_LANDED);
    game.dog.position.set(7.3f, 0.6f, tackleZ);
    game.dog.rotation.y = 0.7f;
    const Vec3 starts[ROBOT_COUNT] = {Vec3(-3.2f, 1.5f, tackleZ + 0.4f), Vec3(14.6f, 1.5f, -30.5f),
                                      Vec3(0.5f, 1.5f, 40.2f), Vec3(-0.7f, 1.5f, tackleZ - 2.0f),
                                      Vec3(30.9f, 1.5f, -0.5f)};
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        placeRobot(i, starts[i], 7);
        game.robots[i].velocity.set(0.01f * i, 0.0f, -0.02f);
    }

    int steps = 0;
    while (game.phase == PHASE_LINE_UP && steps < 500) {
        game.lineUp();
        ++steps;
        if (game.phase == PHASE_LINE_UP) {
            EXPECT_FLOAT_EQ(game.dog.rotation.y, 0.7f) << "heading is set only at the end";
        }
    }
    ASSERT_EQ(game.phase, PHASE_WAIT_HIKE);
    EXPECT_LT(steps, 100);

    const float lineZ = std::trunc(tackleZ) + 20.0f;
    EXPECT_GT(game.dog.position.x, -1.0f);
    EXPECT_LT(game.dog.position.x, 1.0f);
    EXPECT_EQ(game.dog.position.z, tackleZ);
    EXPECT_FLOAT_EQ(game.dog.rotation.y, 3.14159f);
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        const Model& robot = game.robots[i];
        EXPECT_EQ(std::trunc(robot.position.x), 10.0f * i - 20.0f) << "robot " << i;
        EXPECT_EQ(std::trunc(robot.position.z), lineZ) << "robot " << i;
        EXPECT_GE(robotPace(robot), 1);
        EXPECT_LE(robotPace(robot), 101);
        EXPECT_FLOAT_EQ(robot.velocity.x, 0.01f * i) << "velocities survive the line-up";
    }
    EXPECT_EQ(ballState(game.ball), BALL_HELD);
    EXPECT_FLOAT_EQ(game.ball.position.y, game.dog.position.y + 1.5f);
    EXPECT_EQ(game.ball.position.z, tackleZ);
}

// -10.5 lines the robots up on z in [10, 11); -35.5 on the negative side, where
// truncation runs the other way: z in (-16, -15].
INSTANTIATE_TEST_SUITE_P(TackleSpots, LineUpTest, ::testing::Values(-10.5f, -35.5f, 24.0f));
