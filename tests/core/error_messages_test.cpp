#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ErrorMessages.h"
#include "support/TestSeams.h"

namespace {

struct ShownBox {
    ErrorSeverity severity;
    std::string caption;
    std::string text;
};

// Captures every box instead of showing it, answering with `answer`.
class ErrorMessagesTest : public ::testing::Test {
protected:
    std::vector<ShownBox> shown;
    bool answer = true;
    ErrorBoxOverride capture{[this](ErrorSeverity severity, const std::string& caption, const std::string& text) {
        shown.push_back({severity, caption, text});
        return answer;
    }};

    void SetUp() override { clearShutdownRequest(); }
    void TearDown() override { clearShutdownRequest(); }
};

}  // namespace

TEST_F(ErrorMessagesTest, TextsAndCaptionsPerSeverity) {
    showError("Could not open file:", "/tmp/media/zq.a3f", SEVERITY_ERROR);
    showError("Disk trouble.", "hidden detail", SEVERITY_SERIOUS);
    showError("Out of memory.", "hidden detail", SEVERITY_SHUTDOWN);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].caption, "ERROR");
    EXPECT_EQ(shown[0].text, "Could not open file: /tmp/media/zq.a3f The application will continue.");
    EXPECT_EQ(shown[0].severity, SEVERITY_ERROR);
    EXPECT_EQ(shown[1].caption, "SERIOUS ERROR");
    EXPECT_EQ(shown[1].text, "Disk trouble. Continue the application?");
    EXPECT_EQ(shown[2].caption, "SHUTDOWN ERROR");
    EXPECT_EQ(shown[2].text, "Out of memory. The application cannot continue.");
}

TEST_F(ErrorMessagesTest, OtherSeveritiesShowNothing) {
    showError("x", "y", static_cast<ErrorSeverity>(3));
    showError("x", "y", static_cast<ErrorSeverity>(-1));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(shutdownRequested());
}

TEST_F(ErrorMessagesTest, LongTextIsCutTo511Characters) {
    const std::string detail(600, 'd');
    showError("Could not open file:", detail.c_str(), SEVERITY_ERROR);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.size(), 511u);
    EXPECT_EQ(shown[0].text, ("Could not open file: " + detail).substr(0, 511));
}

TEST_F(ErrorMessagesTest, ShutdownRequestedOnlyByNoOrShutdownBox) {
    answer = false;  // even a No to a plain error box does not end the program
    showError("a", "b", SEVERITY_ERROR);
    EXPECT_FALSE(shutdownRequested());
    answer = true;
    showError("a", "b", SEVERITY_SERIOUS);
    EXPECT_FALSE(shutdownRequested());
    answer = false;
    showError("a", "b", SEVERITY_SERIOUS);
    EXPECT_TRUE(shutdownRequested());

    clearShutdownRequest();
    answer = true;
    showError("a", "b", SEVERITY_SHUTDOWN);
    EXPECT_TRUE(shutdownRequested());
}
