// The renderer's shortcuts change no pixel: a scripted drive with the shipped
// stadium, frames not drawn again when nothing changed and textures shown as
// they are where lighting is off, shows byte for byte the pictures of the same
// drive with the stadium as the generator builds it untrimmed, every frame drawn
// and every texture modulated. Both drives run the game's own loop under a
// stepped clock and the same random draws, with lights off and on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media_generator/Models.h"
#include "common/ScriptedDrive.h"

namespace {

class FrameShortcuts : public ::testing::TestWithParam<int> {};

TEST_P(FrameShortcuts, ADriveShowsTheSamePicturesByteForByte) {
    std::vector<DriveTurn> turns[2];  // shortcuts off, on
    for (const bool shortcuts : {false, true}) {
        SCOPED_TRACE(shortcuts ? "shortcuts on" : "shortcuts off");
        const std::string field = shortcuts ? "" : a3fText(buildField(HiddenParts::KEPT));
        DriveSetup setup{shortcuts, shortcuts, field, GetParam()};
        setup.photograph = true;
        ScriptedDrive drive(setup, ZF_SOURCE_DIR "/media");
        ASSERT_TRUE(drive.ready());
        drive.play();
        turns[shortcuts] = drive.turns();
        // The drive went through what it is meant to show.
        for (const char* label : {"PAUSED", "2nd Down", "FIELD GOAL!", "SCORE: 3"})
            EXPECT_EQ(drive.labels().count(label), 1u) << label;
        EXPECT_TRUE(drive.ballFlew());
        ASSERT_EQ(drive.unseen(), 0) << "turns with the window covered: no pictures to compare";
        EXPECT_EQ(drive.untimely(), 0) << "turns that did not step the game exactly once";
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    const auto& [plain, shortcut] = turns;
    ASSERT_EQ(plain.size(), shortcut.size());
    int skipped = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(plain[i].phase, shortcut[i].phase) << "turn " << i;
        ASSERT_EQ(plain[i].shown, shortcut[i].shown) << "turn " << i << " in phase " << plain[i].phase;
        skipped += plain[i].drawn && !shortcut[i].drawn ? 1 : 0;
    }
    // Every wait for a hike after its first frame, and the turns after the pause.
    EXPECT_GE(skipped, 20) << "of " << plain.size() << " turns";
}

INSTANTIATE_TEST_SUITE_P(Lights, FrameShortcuts, ::testing::Values(0, 1),
                         [](const auto& info) { return std::string(info.param != 0 ? "On" : "Off"); });

}  // namespace
