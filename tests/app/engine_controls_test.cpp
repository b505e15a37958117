#include <gtest/gtest.h>

#include <algorithm>

#include "app/Engine.h"
#include "app/PadMappings.h"
#include "platform/GamepadDevice.h"
#include "platform/JoystickDevice.h"
#include "platform/VirtualPad.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"
#include "support/WindowMessages.h"

namespace {

// A running engine without a window, in play, on a clock the test moves.
class EngineControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.running = true;
        engine.beginPlay();
        engine.resetTimer();
    }
    void send(MessageKind kind, std::uint32_t key = 0) { engine.handleMessage(windowMessage(kind, key)); }
    // The next tick; what it did to the pause.
    PauseChange tick() {
        now += 0.05;
        engine.beginFrame();
        return engine.takePauseChange();
    }

    double now = 100.0;
    ClockOverride clock{[this] { return now; }};
    Engine engine;
};

}  // namespace

TEST_F(EngineControlsTest, ALostFocusPausesUntilPOrAHikePress) {
    for (const WindowMessage& resume : {windowMessage(MESSAGE_KEY_DOWN, VK_P_KEY),
                                        windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY),
                                        windowMessage(MESSAGE_LEFT_BUTTON_DOWN)}) {
        SCOPED_TRACE(resume.wParam);
        send(MESSAGE_FOCUS_LOST);
        EXPECT_EQ(tick(), PAUSE_BEGAN);
        // Focus back by the keyboard, then a move over the window: a click now counts.
        send(MESSAGE_FOCUS_GAINED);
        send(MESSAGE_MOUSE_MOVE);
        EXPECT_EQ(tick(), PAUSE_UNCHANGED);

        engine.handleMessage(resume);
        EXPECT_EQ(tick(), PAUSE_ENDED);
        // The press that resumed hikes nothing until it is let go.
        EXPECT_FALSE(engine.readTickInput().hike);
        send(MESSAGE_KEY_UP, VK_SPACE_KEY);
        send(MESSAGE_KEY_DOWN, VK_SPACE_KEY);
        EXPECT_TRUE(engine.readTickInput().hike);
        send(MESSAGE_KEY_UP, VK_SPACE_KEY);
    }
}

TEST_F(EngineControlsTest, AFocusLostBeforePlayWhilePausedOrInTheWaitChangesNothing) {
    Engine loading;
    loading.running = true;
    loading.handleMessage(windowMessage(MESSAGE_FOCUS_LOST));
    loading.beginPlay();
    EXPECT_TRUE(loading.readTickInput().pause == PAUSE_ASK_NONE);

    send(MESSAGE_KEY_DOWN, VK_P_KEY);
    EXPECT_EQ(tick(), PAUSE_BEGAN);
    send(MESSAGE_FOCUS_LOST);
    send(MESSAGE_KEY_DOWN, VK_SPACE_KEY);  // a P pause ends with P alone
    EXPECT_EQ(tick(), PAUSE_UNCHANGED);
    send(MESSAGE_KEY_DOWN, VK_P_KEY);
    EXPECT_EQ(tick(), PAUSE_ENDED);

    send(MESSAGE_FOCUS_GAINED);
    engine.handleMessageWhileWaiting(windowMessage(MESSAGE_FOCUS_LOST));
    EXPECT_EQ(tick(), PAUSE_UNCHANGED);
}

// A click with the focus gave it; one a moment later (the window manager kept
// the focusing click to itself) is the player's.
TEST_F(EngineControlsTest, TheClickThatBringsTheFocusBackDoesNotHike) {
    for (const auto& [delay, hikes] : {std::pair{0.0, 0}, std::pair{0.5, 1}}) {
        send(MESSAGE_FOCUS_LOST);
        send(MESSAGE_FOCUS_GAINED);
        now += delay;
        send(MESSAGE_LEFT_BUTTON_DOWN);
        EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], hikes) << delay;
        send(MESSAGE_LEFT_BUTTON_UP);
    }
    send(MESSAGE_RIGHT_BUTTON_DOWN);
    EXPECT_EQ(engine.keyDown[VK_CONTROL_KEY], 1);
}

// Start is P, once per press; A resumes a focus pause as a hike press does.
TEST_F(EngineControlsTest, ThePadsStartPausesAndItsAResumesAFocusPause) {
    PlatformVirtualPad* device = platformAttachVirtualPad(true);
    ASSERT_NE(device, nullptr);
    engine.options.joystick = 1;
    send(MESSAGE_JOYSTICK_ADDED);
    ASSERT_TRUE(engine.pad.byLayout());

    platformPressVirtualPad(device, VIRTUAL_PAD_START, true);
    EXPECT_EQ(tick(), PAUSE_BEGAN);
    EXPECT_EQ(tick(), PAUSE_UNCHANGED);  // held, it toggles once
    platformPressVirtualPad(device, VIRTUAL_PAD_START, false);
    engine.pumpMessages();
    platformPressVirtualPad(device, VIRTUAL_PAD_START, true);
    EXPECT_EQ(tick(), PAUSE_ENDED);

    send(MESSAGE_FOCUS_LOST);
    EXPECT_EQ(tick(), PAUSE_BEGAN);
    platformPressVirtualPad(device, VIRTUAL_PAD_A, true);
    EXPECT_EQ(tick(), PAUSE_ENDED);
    EXPECT_FALSE(engine.readTickInput().hike);

    platformPadCloseAll();
    platformJoystickCloseAll();
    platformDetachVirtualPad(device);
}

// A file of junk is told in a few lines: the first refused, then a count.
TEST(PadMappingsTest, RefusedLinesOfTheVariableAndTheFileAreLeftOutAndNamed) {
    TempMediaDir folder;
    std::string junk = "# mine\nnonsense\n03000000aa0000000000000000000000,My pad,a:b0,\n";
    for (int line = 0; line < 21; ++line) {
        junk += "junk\n";
    }
    folder.write(PAD_MAPPINGS_FILE, junk);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadPadMappings("still nonsense", folder.mediaPath(PAD_MAPPINGS_FILE)), 23);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("SDL_GAMECONTROLLERCONFIG line 1: "), std::string::npos) << said;
    EXPECT_NE(said.find(std::string(PAD_MAPPINGS_FILE) + " line 2: "), std::string::npos) << said;
    EXPECT_NE(said.find(std::string(PAD_MAPPINGS_FILE) + ": 19 more refused lines not shown"), std::string::npos)
        << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 5) << said;
    EXPECT_EQ(loadPadMappings("", folder.mediaPath("missing.txt")), 0);  // no file is no fault
}
