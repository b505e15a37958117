#include <cstring>
#include <vector>

#include "game/GameTestFixture.h"
#include "sound/SoundTestSupport.h"
#include "support/TestSeams.h"

namespace {

// Plays a down until the dog stands where the test wants it, with the ball held.
void startDownAt(Game& game, Vec3 dogAt) {
    game.phase = PHASE_PLAY;
    setBallState(game.ball, BALL_HELD);
    game.dog.position = dogAt;
    game.ball.position = dogAt;
    game.ball.position.y += 1.5f;
}

}  // namespace

using TackleTest = GameTest;

TEST_F(TackleTest, NeedsSquaredDistanceBelowFourInAllThreeAxes) {
    resetDrive();
    const Vec3 dogAt(0.0f, 0.6f, 0.0f);

    startDownAt(game, dogAt);
    parkRobotsFarAway();
    placeRobot(4, Vec3(2.0f, 0.6f, 0.0f), 5);  // exactly 4.0
    game.resolvePlay();
    EXPECT_EQ(game.phase, PHASE_PLAY);
    EXPECT_EQ(game.down, 1);

    // 3.61 across but 4.42 with the height difference: no tackle.
    placeRobot(4, Vec3(1.9f, 1.5f, 0.0f), 5);
    game.resolvePlay();
    EXPECT_EQ(game.phase, PHASE_PLAY);

    placeRobot(4, Vec3(0.0f, 0.6f, 1.9975f), 5);  // 3.99
    game.resolvePlay();
    EXPECT_EQ(game.phase, PHASE_LINE_UP);
    EXPECT_EQ(game.down, 2);
    EXPECT_STREQ(game.labelText, "2nd Down");
}

TEST_F(TackleTest, FourthTackleLosesTheGameAndTheScore) {
    game.score = 10;
    std::strcpy(game.scoreText, "SCORE: 10");
    resetDrive();
    EXPECT_STREQ(game.labelText, "SCORE: 10");
    const char* shown[] = {"2nd Down", "3rd Down", "4th Down"};
    for (const char* name : shown) {
        startDownAt(game, Vec3(0.0f, 0.6f, -20.0f));
        parkRobotsFarAway();
        placeRobot(0, Vec3(0.5f, 1.5f, -20.5f), 5);
        game.resolvePlay();
        EXPECT_EQ(game.phase, PHASE_LINE_UP);
        EXPECT_STREQ(game.labelText, name);
    }
    startDownAt(game, Vec3(0.0f, 0.6f, -20.0f));
    game.resolvePlay();
    EXPECT_EQ(game.down, 5);
    EXPECT_EQ(game.phase, PHASE_GAME_OVER);
    EXPECT_STREQ(game.labelText, "4th Down");  // the message comes with the next step

    step();
    EXPECT_STREQ(game.labelText, "GAME OVER");
    EXPECT_EQ(game.score, 0);
    EXPECT_STREQ(game.scoreText, "SCORE: 0");
    EXPECT_EQ(game.phase, PHASE_RESET);

    step();
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);
    EXPECT_EQ(game.down, 1);
    EXPECT_STREQ(game.labelText, "SCORE: 0");
    EXPECT_FLOAT_EQ(game.dog.position.z, -45.0f);
}

using ScoringTest = GameTest;

TEST_F(ScoringTest, TouchdownNeedsTheDogBeyondFortyAndBeatsATackle) {
    resetDrive();
    parkRobotsFarAway();
    startDownAt(game, Vec3(0.0f, 0.6f, 40.0f));
    game.resolvePlay();
    EXPECT_EQ(game.phase, PHASE_PLAY);
    EXPECT_EQ(game.score, 0);

    startDownAt(game, Vec3(0.0f, 0.6f, 40.01f));
    placeRobot(2, Vec3(0.0f, 1.5f, 40.5f), 5);  // tackled in the same step
    game.resolvePlay();
    EXPECT_EQ(game.phase, PHASE_SCORED);
    EXPECT_EQ(game.score, 7);
    EXPECT_STREQ(game.labelText, "TOUCH DOWN!");

    step();
    EXPECT_STREQ(game.scoreText, "SCORE: 7");
    EXPECT_STREQ(game.labelText, "TOUCH DOWN!");
    EXPECT_EQ(game.down, 1);
    EXPECT_EQ(game.phase, PHASE_RESET);

    step();
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);
    EXPECT_EQ(game.score, 7);
    EXPECT_STREQ(game.labelText, "SCORE: 7");
    EXPECT_FLOAT_EQ(game.dog.position.z, -45.0f);
    EXPECT_FLOAT_EQ(game.ball.position.y, 2.1f);
}

using PauseLabelTest = GameTest;

TEST_F(PauseLabelTest, ShowsPausedThenTheTextFromBefore) {
    resetDrive();
    game.showLabel("TOUCH DOWN!");  // a message, not the score: it must come back too
    TickInput pause;
    pause.pausePressed = true;
    step(pause);
    EXPECT_STREQ(game.labelText, "PAUSED");
    TickInput focusLost;
    focusLost.focusLost = true;
    step(focusLost);  // already paused: "PAUSED" still does not become the text to restore
    step(pause);
    EXPECT_STREQ(game.labelText, "TOUCH DOWN!");
}

TEST_F(ScoringTest, KickedBallScoresOnlyStrictlyBetweenTheUprights) {
    struct Case {
        float x, z;
        GamePhase phase;
        int score;
    };
    const Case cases[] = {
        {0.0f, 50.0f, PHASE_PLAY, 0},        // not past the line yet
        {3.99f, 50.5f, PHASE_SCORED, 3},     //
        {-3.99f, 50.5f, PHASE_SCORED, 3},    //
        {4.0f, 50.5f, PHASE_GAME_OVER, 0},   // on the upright is a miss
        {-4.0f, 50.5f, PHASE_GAME_OVER, 0},  //
        {12.0f, 51.0f, PHASE_GAME_OVER, 0},  //
    };
    for (const Case& kick : cases) {
        game.score = 0;
        game.phase = PHASE_PLAY;
        setBallState(game.ball, BALL_IN_FLIGHT);
        game.ball.position.set(kick.x, 30.0f, kick.z);
        game.resolvePlay();
        EXPECT_EQ(game.phase, kick.phase) << "x " << kick.x << " z " << kick.z;
        EXPECT_EQ(game.score, kick.score) << "x " << kick.x << " z " << kick.z;
    }
    EXPECT_STREQ(game.labelText, "FIELD GOAL!");

    game.phase = PHASE_PLAY;
    setBallState(game.ball, BALL_LANDED);
    game.resolvePlay();
    EXPECT_EQ(game.phase, PHASE_GAME_OVER);
}

TEST_F(ScoringTest, NoTackleWhileTheBallFlies) {
    resetDrive();
    game.phase = PHASE_PLAY;
    setBallState(game.ball, BALL_IN_FLIGHT);
    game.ball.position.set(0.0f, 10.0f, 20.0f);
    placeRobot(0, game.dog.position, 5);
    game.resolvePlay();
    EXPECT_EQ(game.phase, PHASE_PLAY);
    EXPECT_EQ(game.down, 1);
}

using PhaseTest = GameTest;

TEST_F(PhaseTest, NothingMovesUntilTheHike) {
    resetDrive();
    const Matrix4 cameraBefore = game.camera;
    TickInput kickHeld = holding(false, true);
    kickHeld.steerX = 0.5f;
    kickHeld.steerY = -1.0f;
    for (int i = 0; i < 3; ++i) {
        step(kickHeld);
    }
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);
    EXPECT_FLOAT_EQ(game.dog.position.z, -45.0f);
    EXPECT_FLOAT_EQ(game.robots[2].position.z, 0.0f);
    EXPECT_EQ(ballState(game.ball), BALL_HELD);
    EXPECT_EQ(std::memcmp(cameraBefore.m, game.camera.m, sizeof cameraBefore.m), 0);

    TickInput bothHeld = holding(true, true);
    bothHeld.steerY = -1.0f;
    step(bothHeld);
    EXPECT_EQ(game.phase, PHASE_PLAY);
    EXPECT_FLOAT_EQ(game.dog.position.z, -45.0f);

    // The kick held through the wait fires in the first step of the down.
    step(bothHeld);
    EXPECT_EQ(ballState(game.ball), BALL_IN_FLIGHT);
    EXPECT_FLOAT_EQ(game.steerY, -1.0f);
    EXPECT_GT(game.dog.position.z, -45.0f);
}

TEST_F(PhaseTest, KickKeyHeldAcrossALineUpKicksInTheNextDown) {
    resetDrive();
    game.phase = PHASE_LINE_UP;
    game.dog.position.set(3.5f, 0.6f, -20.0f);
    setBallState(game.ball, BALL_HELD);
    const TickInput bothHeld = holding(true, true);
    int steps = 0;
    while (game.phase == PHASE_LINE_UP && steps < 200) {
        step(bothHeld);
        EXPECT_NE(ballState(game.ball), BALL_IN_FLIGHT);
        ++steps;
    }
    ASSERT_EQ(game.phase, PHASE_WAIT_HIKE);

    step(bothHeld);  // the held hike key starts the down at once
    EXPECT_EQ(game.phase, PHASE_PLAY);
    step(bothHeld);
    EXPECT_EQ(ballState(game.ball), BALL_IN_FLIGHT);
}

TEST_F(PhaseTest, ResetPlacesTheDriveAndForgetsHeldKeys) {
    game.dog.position.set(9.0f, 0.6f, 30.0f);
    setBallState(game.ball, BALL_LANDED);
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        placeRobot(i, Vec3(1.0f, 1.5f, 1.0f), 0);
        game.robots[i].velocity.set(0.1f, 0.0f, 0.1f);
        game.robots[i].rotation.set(0.0f, 2.0f, 0.0f);
    }
    game.down = 4;
    game.resetDrive(holding(true, true));

    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);
    EXPECT_EQ(game.down, 1);
    // The buttons held through the reset do nothing until let go.
    step(holding(true, true));
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);
    step();
    step(holding(true, false, true));
    EXPECT_EQ(game.phase, PHASE_PLAY);
    EXPECT_FLOAT_EQ(game.dog.rotation.y, 3.14159f);
    EXPECT_EQ(ballState(game.ball), BALL_HELD);
    EXPECT_FLOAT_EQ(game.ball.position.y, 2.1f);
    EXPECT_FLOAT_EQ(game.ball.position.z, -45.0f);
    for (int i = 0; i < ROBOT_COUNT; ++i) {
        const Model& robot = game.robots[i];
        EXPECT_FLOAT_EQ(robot.position.x, 10.0f * i - 20.0f);
        EXPECT_FLOAT_EQ(robot.position.y, 1.5f);
        EXPECT_EQ(robot.position.z, 0.0f);
        EXPECT_EQ(robot.velocity.x, 0.0f);
        EXPECT_EQ(robot.rotation.y, 0.0f);
        EXPECT_GE(robotPace(robot), 1);
        EXPECT_LE(robotPace(robot), 101);
    }
}

TEST_F(PhaseTest, PacesCoverTheirWholeRangeAndNeverZero) {
    int smallest = 1000;
    int largest = 0;
    setRandomState(1u);
    for (int i = 0; i < 20000; ++i) {
        const int pace = drawRobotPace();
        smallest = pace < smallest ? pace : smallest;
        largest = pace > largest ? pace : largest;
    }
    EXPECT_EQ(smallest, 1);
    EXPECT_GE(largest, 100);
    EXPECT_LE(largest, 101);
}

// After a score the next drive stands ready while the picture holds: nothing
// the player does counts until the record says the theme and the whistle are over.
TEST_F(PhaseTest, TheDriveWaitsForTheScoresSoundsWithoutAnyInput) {
    game.phase = PHASE_RESET;
    game.score = 7;
    game.showLabel("TOUCH DOWN!");
    std::snprintf(game.scoreText, sizeof game.scoreText, "SCORE: 7");
    TickInput sounding;
    sounding.scoreSoundsHeard = true;
    step(sounding);
    EXPECT_FLOAT_EQ(game.dog.position.z, -45.0f);  // the next drive set up
    sounding = holding(true, true, true);
    sounding.scoreSoundsHeard = true;
    sounding.pausePressed = true;
    sounding.focusLost = true;
    for (int i = 0; i < 3; ++i) {
        step(sounding);
        EXPECT_EQ(game.phase, PHASE_HOLD);
        EXPECT_TRUE(game.pictureHeld());
        EXPECT_FALSE(game.paused());
        EXPECT_STREQ(game.labelText, "TOUCH DOWN!");
        EXPECT_EQ(ballState(game.ball), BALL_HELD);
    }

    step(holding(true, false));
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);
    EXPECT_STREQ(game.labelText, "SCORE: 7");
    step(holding(true, false));
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE) << "a hike held through the wait hikes nothing";
}

using CameraTest = GameTest;

TEST_F(CameraTest, StandsBehindTheDogAndFallsBackDownTheField) {
    resetDrive();
    EXPECT_FLOAT_EQ(game.cameraEye.x, 0.0f);
    EXPECT_FLOAT_EQ(game.cameraEye.y, 10.0f);
    EXPECT_FLOAT_EQ(game.cameraEye.z, -55.625f);
    EXPECT_FLOAT_EQ(game.cameraTarget.y, 0.6f);
    EXPECT_FLOAT_EQ(game.cameraTarget.z, -35.0f);
    Matrix4 expected;
    expected.lookAt(Vec3(0.0f, 10.0f, -55.625f), Vec3(0.0f, 0.6f, -35.0f), Vec3(0.0f, 1.0f, 0.0f));
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(game.camera.m[i], expected.m[i], 1e-5f) << "element " << i;
    }

    game.dog.position.set(-7.0f, 0.6f, 50.0f);
    game.ball.position.set(-6.0f, 4.0f, 51.0f);
    game.updateCamera();
    EXPECT_FLOAT_EQ(game.cameraEye.x, -7.0f);
    EXPECT_FLOAT_EQ(game.cameraEye.z, 27.5f);
    EXPECT_FLOAT_EQ(game.cameraTarget.x, -6.0f);
    EXPECT_FLOAT_EQ(game.cameraTarget.y, 2.5f);
    EXPECT_FLOAT_EQ(game.cameraTarget.z, 61.0f);
}

