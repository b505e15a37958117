// A stop signal (POSIX) that finds the run where it never looks for one.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/EndSignals.h"
#include "platform/RunEnd.h"

namespace {

// The same file in the test and in the fresh copy of the program that the death
// test runs.
std::string saveMarker() { return ::testing::TempDir() + "zf-end-signal-save"; }

void writeMarker(void* path) { std::ofstream(*static_cast<std::string*>(path)) << "saved"; }

}  // namespace

TEST(EndSignalsTest, ARunStuckAfterASignalEndsWithItsSaveAndTheSignalsCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: no signal caught yet
    std::remove(saveMarker().c_str());
    EXPECT_EXIT(
        {
            static std::string marker = saveMarker();
            platformSetEndOfRunSave(writeMarker, &marker);
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
    std::ifstream saved(saveMarker());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()),
              "saved");
    std::remove(saveMarker().c_str());
}
