#include <gtest/gtest.h>

#include <string>

#include "platform/MainLoop.h"

// On the desktop the loop runs in the call: every iteration until one says the
// run is over, then the end once, then back to the caller (main's saves follow).
TEST(MainLoopTest, IteratesUntilTheRunIsOverThenEndsOnce) {
    std::string calls;
    int left = 3;
    platformRunMainLoop(
        [&] {
            calls += 'i';
            return --left > 0;
        },
        [&] { calls += 'e'; });
    calls += 'r';
    EXPECT_EQ(calls, "iiier");
}
