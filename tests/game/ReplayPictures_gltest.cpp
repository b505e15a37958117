// A replay plays back exactly: a scripted drive played live in a window, with the
// shipped media and the lights on, and its recording, saved as bytes and read
// again, watched in a fresh window under the same stepped clock, show byte for
// byte the same picture at every turn (the hike, the run, the tackle, the pause,
// the line-up, the kick and the label after the score).
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/ReplayCodec.h"
#include "common/ScriptedDrive.h"

TEST(ReplayPicturesTest, AWatchedRecordingShowsEveryPictureOfThePlayAgain) {
    DriveSetup setup;
    setup.lights = 1;
    setup.photograph = true;
    std::vector<DriveTurn> played;
    std::set<std::string> playedLabels;
    Replay recording;
    {
        ScriptedDrive live(setup, ZF_SOURCE_DIR "/media");
        ASSERT_TRUE(live.ready());
        live.play();
        ASSERT_EQ(live.unseen(), 0) << "turns with the window covered: no pictures to compare";
        ASSERT_EQ(live.untimely(), 0) << "turns that did not step the game exactly once";
        ASSERT_EQ(live.labels().count("FIELD GOAL!"), 1u) << "the drive did not score";
        played = live.turns();
        playedLabels = live.labels();
        const std::vector<std::uint8_t> bytes = encodeReplay(live.recording());
        const ReplayReading reading = decodeReplay(bytes.data(), bytes.size());
        ASSERT_TRUE(reading.status.ok());
        recording = reading.replay;
    }
    ASSERT_EQ(recording.ticks.size(), played.size());

    setup.lights = 0;  // the recording's own options are the ones in force
    setup.watched = &recording;
    ScriptedDrive watched(setup, ZF_SOURCE_DIR "/media");
    ASSERT_TRUE(watched.ready());
    watched.watch();
    ASSERT_EQ(watched.unseen(), 0);
    EXPECT_EQ(watched.untimely(), 0);
    EXPECT_EQ(watched.labels(), playedLabels);
    const std::vector<DriveTurn>& shown = watched.turns();
    ASSERT_EQ(shown.size(), played.size());
    std::set<std::uint64_t> pictures;
    for (std::size_t i = 0; i < played.size(); ++i) {
        ASSERT_EQ(shown[i].phase, played[i].phase) << "turn " << i;
        ASSERT_EQ(shown[i].shown, played[i].shown) << "turn " << i << " in phase " << played[i].phase;
        pictures.insert(played[i].shown);
    }
    // Pictures were read at all, and the drive moved through many of them.
    EXPECT_GE(pictures.size(), 100u);
}
