#include "game/GameTestFixture.h"

namespace {

class PauseTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resetDrive();
    }
    static TickInput with(bool pausePressed, bool focusLost, TickInput input = TickInput()) {
        input.pausePressed = pausePressed;
        input.focusLost = focusLost;
        return input;
    }
};

}  // namespace

// P pauses and resumes at a tick; while paused nothing moves and the label says so.
TEST_F(PauseTest, PStopsTheGameAndShowsItUntilPressedAgain) {
    step(with(true, false));
    EXPECT_TRUE(game.paused());
    EXPECT_STREQ(game.labelText, "PAUSED");
    step(holding(true, false, true));  // a hike press does not end a P pause
    step(with(false, true));           // nor does a lost focus change it
    EXPECT_TRUE(game.paused());
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);

    step(with(true, false));
    EXPECT_FALSE(game.paused());
    EXPECT_STREQ(game.labelText, "SCORE: 0");
}

// A focus lost during play pauses; the press that comes back resumes and hikes
// nothing, and a hike held since before the focus went resumes nothing.
TEST_F(PauseTest, AFocusPauseEndsWithAHikePressThatOnlyResumes) {
    step(with(false, true, holding(true, false)));
    EXPECT_TRUE(game.paused());
    step(holding(true, false));
    EXPECT_TRUE(game.paused()) << "held since before the focus went";

    step();
    step(holding(true, false, true));
    EXPECT_FALSE(game.paused());
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE);
    step(holding(true, false));
    EXPECT_EQ(game.phase, PHASE_WAIT_HIKE) << "still the press that resumed";
    step();
    step(holding(true, false, true));
    EXPECT_EQ(game.phase, PHASE_PLAY);
}

// A tap shorter than a tick, seen only as a press in the record, hikes.
TEST_F(PauseTest, ATapBetweenTwoTicksHikes) {
    TickInput tap;
    tap.hike.pressed = true;
    step(tap);
    EXPECT_EQ(game.phase, PHASE_PLAY);
}
