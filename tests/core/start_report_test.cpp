#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/StartReport.h"

TEST(StartReport, LineNamesWhatAndReasonOnOneLine) {
    EXPECT_EQ(startReportLine("cannot open the game window", "no OpenGL context: GLXBadFBConfig"),
              "zorbak: cannot open the game window: no OpenGL context: GLXBadFBConfig");
    EXPECT_EQ(startReportLine("no sound", "first\nsecond\r\n"), "zorbak: no sound: first second  ");
}

// Without a display the box cannot appear; the one line is all, and it is there.
TEST(StartReport, FailureWithoutADisplayWritesExactlyItsLine) {
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display != nullptr ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    reportStartFailure("cannot open the launcher window", "no display: DISPLAY is not set");
    const std::string written = testing::internal::GetCapturedStderr();
    if (display != nullptr) {
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    }
    EXPECT_EQ(written, "zorbak: cannot open the launcher window: no display: DISPLAY is not set\n");
}
