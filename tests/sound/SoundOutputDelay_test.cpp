// How long a played sound takes to reach the output, counted in output frames
// through the callback the output device calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sound/SoundPlayer.h"
#include "sound/SoundTestSupport.h"
#include "support/TestSeams.h"

namespace {
constexpr double OUTPUT_RATE = 11025.0;
constexpr int CALLBACK_BYTES = 4096;  // what the output asks for each time: one buffer
constexpr int BYTES_PER_FRAME = 4;

// An output that asks for each buffer just as it is about to play it, with a
// clock that runs with the output: frame f of the stream is heard at f / 11025 s.
class SimulatedOutput {
public:
    explicit SimulatedOutput(SoundPlayer& soundPlayer) : player(soundPlayer) {}

    // Takes one buffer from the player, at the moment it starts to play.
    void takeBuffer() {
        now = static_cast<double>(framesTaken()) / OUTPUT_RATE;
        std::vector<std::uint8_t> bytes(CALLBACK_BYTES);
        SoundPlayer::deviceCallback(&player, bytes.data(), CALLBACK_BYTES);
        for (int at = 0; at < CALLBACK_BYTES; at += 2) {
            stream.push_back(static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8)));
        }
    }
    std::int64_t framesTaken() const { return static_cast<std::int64_t>(stream.size() / 2); }
    // The first frame of the stream with sound in it, or -1.
    std::int64_t firstSoundFrame() const {
        for (std::size_t at = 0; at < stream.size(); ++at) {
            if (stream[at] != 0) {
                return static_cast<std::int64_t>(at / 2);
            }
        }
        return -1;
    }

    double now = 0.0;
    std::vector<std::int16_t> stream;  // everything taken so far, interleaved left, right

private:
    SoundPlayer& player;
};

// Frames of output between play at playFrame (between two requests of the
// output) and the first frame of the sound in the output.
std::int64_t framesFromPlayToSound(std::int64_t playFrame) {
    SoundPlayer player;
    SimulatedOutput output(player);
    ClockOverride clock{[&output] { return output.now; }};
    Vec3 listener;
    Vec3 facing(0.0f, 0.0f, 1.0f);
    player.openWithoutDevice(75.0f, &listener, &facing);
    const int slot = addTestSound(player, std::vector<std::int16_t>(20000, 1000));
    while (output.framesTaken() < playFrame) {
        output.takeBuffer();
    }
    output.now = static_cast<double>(playFrame) / OUTPUT_RATE;
    player.play(slot, &listener, 1.0f, false);  // at the listener: no travel time
    while (output.firstSoundFrame() < 0 && output.framesTaken() < playFrame + 10 * MIX_FRAMES_PER_BLOCK) {
        output.takeBuffer();
    }
    player.close();
    const std::int64_t heard = output.firstSoundFrame();
    return heard < 0 ? -1 : heard - playFrame;
}

TEST(SoundOutputDelay, PlayedSoundIsInTheNextBufferTheOutputTakes) {
    // The output itself holds one buffer while it plays it, so a sound is heard
    // at most two buffers (about 186 ms) after play if the player puts it into
    // the very next buffer the output takes.
    const std::int64_t buffer = MIX_FRAMES_PER_BLOCK;
    std::int64_t longest = 0;
    // From just after one request of the output to just before the next.
    for (std::int64_t intoBuffer : {std::int64_t{1}, buffer / 4, buffer / 2, buffer - 1}) {
        const std::int64_t playFrame = 4 * buffer + intoBuffer;
        const std::int64_t delay = framesFromPlayToSound(playFrame);
        EXPECT_GE(delay, 0) << "played " << intoBuffer << " frames after a request";
        EXPECT_LE(delay, buffer) << "played " << intoBuffer << " frames after a request";
        longest = delay > longest ? delay : longest;
    }
    RecordProperty("longest_delay_frames", static_cast<int>(longest));
}
}  // namespace
