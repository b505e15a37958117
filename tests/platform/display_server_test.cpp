#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/DisplayServer.h"

namespace {

// Each test sets DISPLAY as it needs and gets the caller's back afterwards.
class DisplayAbsenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        hadDisplay = display != nullptr;
        savedDisplay = hadDisplay ? display : "";
    }
    void TearDown() override {
        if (hadDisplay) {
            setenv("DISPLAY", savedDisplay.c_str(), 1);
        } else {
            unsetenv("DISPLAY");
        }
    }
    std::string savedDisplay;
    bool hadDisplay = false;
};

}  // namespace

TEST(DisplaySocketPath, LocalNamesGiveTheServersSocketOthersNone) {
    EXPECT_EQ(displaySocketPath(":0"), "/tmp/.X11-unix/X0");
    EXPECT_EQ(displaySocketPath(":12.1"), "/tmp/.X11-unix/X12");
    EXPECT_EQ(displaySocketPath("unix:3"), "/tmp/.X11-unix/X3");
    EXPECT_EQ(displaySocketPath("otherhost:0"), "");
    EXPECT_EQ(displaySocketPath("otherhost::0"), "");
    EXPECT_EQ(displaySocketPath(""), "");
    EXPECT_EQ(displaySocketPath("screen"), "");
    EXPECT_EQ(displaySocketPath(":x"), "");
    EXPECT_EQ(displaySocketPath(":1x"), "");
}

// A display that waiting cannot bring is named with the reason, so the start
// fails at once and says why.
TEST_F(DisplayAbsenceTest, MissingDisplaysAreNamedWithTheirReason) {
    unsetenv("DISPLAY");
    EXPECT_NE(platformDisplayAbsence().find("DISPLAY is not set"), std::string::npos);
    setenv("DISPLAY", "", 1);
    EXPECT_NE(platformDisplayAbsence().find("DISPLAY is not set"), std::string::npos);
    setenv("DISPLAY", "screen", 1);
    EXPECT_NE(platformDisplayAbsence().find("\"screen\" names no display"), std::string::npos);
    // No server takes so high a number.
    setenv("DISPLAY", ":99999.0", 1);
    const std::string noServer = platformDisplayAbsence();
    EXPECT_NE(noServer.find("\":99999.0\""), std::string::npos) << noServer;
    EXPECT_NE(noServer.find("/tmp/.X11-unix/X99999"), std::string::npos) << noServer;
    // Another host may yet answer: nothing rules it out.
    setenv("DISPLAY", "otherhost:0", 1);
    EXPECT_EQ(platformDisplayAbsence(), "");
}

TEST_F(DisplayAbsenceTest, AbsentDisplayGetsOneTryOnly) {
    unsetenv("DISPLAY");
    int tries = 0;
    EXPECT_FALSE(platformRetryWhileDisplayRefuses([&tries]() { return ++tries > 100; }));
    EXPECT_EQ(tries, 1);
}

TEST_F(DisplayAbsenceTest, DisplayThatMayAnswerIsTriedAgain) {
    setenv("DISPLAY", "otherhost:0", 1);
    int tries = 0;
    EXPECT_TRUE(platformRetryWhileDisplayRefuses([&tries]() { return ++tries == 3; }));
    EXPECT_EQ(tries, 3);
}
