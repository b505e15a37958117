// A stop signal (POSIX) that finds the run where it never looks for one.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "platform/EndSignals.h"
#include "platform/RunEnd.h"

TEST(EndSignalsTest, ARunStuckAfterASignalEndsWithItsSaveAndTheSignalsCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: no signal caught yet
    // The same file in the test and in the fresh copy of the program the death test runs.
    static std::string marker = ::testing::TempDir() + "zf-end-signal-save";
    std::remove(marker.c_str());
    EXPECT_EXIT(
        {
            platformSetEndOfRunSave([](void* path) { std::ofstream(*static_cast<std::string*>(path)) << "saved"; },
                                    &marker);
            platformCatchEndSignals();
            std::raise(SIGTERM);
            if (platformEndSignal() != SIGTERM || platformEndExitCode(0) != 128 + SIGTERM) {
                std::_Exit(2);
            }
            for (;;) {
                // Stuck: the request is never looked at here.
                std::this_thread::sleep_for(std::chrono::seconds(1));
            }
        },
        ::testing::ExitedWithCode(128 + SIGTERM), "");
    std::string saved;
    std::ifstream(marker) >> saved;
    EXPECT_EQ(saved, "saved");
    std::remove(marker.c_str());
}

// A write to a connection whose other end is gone raises SIGPIPE: it must leave
// the process running, so that the failed write reaches the display-loss end.
TEST(EndSignalsTest, ABrokenPipeDoesNotEndTheRun) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platformCatchEndSignals();
            std::raise(SIGPIPE);
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}
