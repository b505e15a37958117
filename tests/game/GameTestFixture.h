#pragma once

#include <gtest/gtest.h>

#include "app/Engine.h"
#include "core/FrameTime.h"
#include "game/Game.h"
#include "math/Random.h"
#include "platform/WindowMessage.h"

// A game on an engine that never opened a window: enough for the rules and the
// movement, which touch no window and no sound device.
class GameTest : public ::testing::Test {
protected:
    Engine engine;
    Game game{engine};

    void SetUp() override {
        gFrameTime = 0.03f;
        setRandomState(20240611u);
    }

    void placeRobot(int index, Vec3 at, int pace) {
        game.robots[index].position = at;
        game.robots[index].velocity.set(0.0f, 0.0f, 0.0f);
        setRobotPace(game.robots[index], pace);
    }

    // Puts every robot far from the dog, so that no tackle can happen by chance.
    void parkRobotsFarAway() {
        for (int i = 0; i < ROBOT_COUNT; ++i) {
            placeRobot(i, Vec3(robotLineX(i), 1.5f, 500.0f), 50);
        }
    }
};
