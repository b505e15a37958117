#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/MessageBox.h"

namespace {

// Without a display no box can appear: the message must still reach someone.
class HeadlessMessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        savedDisplay = display != nullptr ? display : "";
        hadDisplay = display != nullptr;
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override {
        if (hadDisplay) {
            setenv("DISPLAY", savedDisplay.c_str(), 1);
        }
    }
    std::string savedDisplay;
    bool hadDisplay = false;
};

}  // namespace

TEST_F(HeadlessMessageBoxTest, TextGoesToStandardErrorAndQuestionCountsAsYes) {
    testing::internal::CaptureStderr();
    bool answer = platformShowMessageBox(MESSAGE_BOX_QUESTION, "SERIOUS ERROR", "Disk on fire. Continue?");
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(answer);
    EXPECT_NE(written.find("SERIOUS ERROR"), std::string::npos);
    EXPECT_NE(written.find("Disk on fire. Continue?"), std::string::npos);

    testing::internal::CaptureStderr();
    EXPECT_TRUE(platformShowMessageBox(MESSAGE_BOX_STOP, "SHUTDOWN ERROR", nullptr));
    written = testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("SHUTDOWN ERROR"), std::string::npos);
}
