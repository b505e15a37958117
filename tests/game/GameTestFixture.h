#pragma once

#include <gtest/gtest.h>

#include "app/Engine.h"
#include "core/FrameTime.h"
#include "game/Game.h"
#include "math/Random.h"

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

    // One step with a record of a tick's length; a fresh record holds nothing.
    void step(TickInput input = TickInput()) {
        input.stepSeconds = 0.03f;
        game.step(input);
    }
    void resetDrive() { game.resetDrive(TickInput()); }
    // A record with these buttons held (pressed at the same tick when asked).
    static TickInput holding(bool hike, bool kick, bool pressed = false) {
        TickInput input;
        input.hike = ButtonTick{hike, hike && pressed};
        input.kick = ButtonTick{kick, kick && pressed};
        return input;
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
