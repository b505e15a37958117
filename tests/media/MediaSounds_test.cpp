// The committed sounds and pictures, read by the game's own loaders.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "media/MediaTestSupport.h"
#include "model/Image.h"
#include "sound/SoundPlayer.h"

namespace {

class MediaFiles : public RepositoryMedia {};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned littleEndian(const std::string& bytes, size_t offset, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

struct SoundExpectation {
    const char* fileName;
    double minSeconds;
    double maxSeconds;
};

const SoundExpectation SOUNDS[] = {{"whistle.wav", 0.5, 1.5},
                                   {"hike.wav", 0.5, 2.5},
                                   {"vortun.wav", 4.0, 6.0},
                                   {"exterminate.wav", 0.8, 3.0},
                                   {"kick.wav", 0.1, 0.8}};

TEST_F(MediaFiles, SoundsAreMonoAdpcmAt11025Hz) {
    for (const SoundExpectation& s : SOUNDS) {
        std::string bytes = readFile(std::string(ZF_SOURCE_DIR) + "/media/" + s.fileName);
        ASSERT_GT(bytes.size(), 60u) << s.fileName;
        EXPECT_EQ(bytes.compare(0, 4, "RIFF"), 0) << s.fileName;
        EXPECT_EQ(littleEndian(bytes, 20, 2), 2u) << s.fileName << ": Microsoft ADPCM";
        EXPECT_EQ(littleEndian(bytes, 22, 2), 1u) << s.fileName << ": mono";
        EXPECT_EQ(littleEndian(bytes, 24, 4), 11025u) << s.fileName;
        EXPECT_LE(littleEndian(bytes, 16, 4), 50u) << s.fileName << ": the loader takes formats of 50 bytes at most";
    }
}

TEST_F(MediaFiles, SoundsLoadInGameOrderWithTheirLengthsUnclippedAndMatchedInLevel) {
    SoundPlayer player;
    double quietest = 1e9, loudest = 0;
    for (int i = 0; i < 5; ++i) {
        const SoundExpectation& s = SOUNDS[i];
        ASSERT_EQ(player.loadSound(s.fileName), i) << s.fileName << "\n" << allMessages();
        const Sound& sound = player.sounds[i];
        double seconds = sound.sampleCount / 11025.0;
        EXPECT_GE(seconds, s.minSeconds) << s.fileName;
        EXPECT_LE(seconds, s.maxSeconds) << s.fileName;
        int peak = 0;
        double sumSquares = 0;
        for (std::uint32_t k = 0; k < sound.sampleCount; ++k) {
            peak = std::max(peak, std::abs(static_cast<int>(sound.samples[k])));
            sumSquares += static_cast<double>(sound.samples[k]) * sound.samples[k];
        }
        EXPECT_LT(peak, 32000) << s.fileName << " clips";
        EXPECT_GT(peak, 8000) << s.fileName << " is nearly silent";
        double rms = std::sqrt(sumSquares / sound.sampleCount);
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_LT(loudest / quietest, 2.5) << "sounds differ too much in loudness";
    EXPECT_EQ(allMessages(), "");
}

TEST_F(MediaFiles, SplashIsTheLaunchersSizeAndTheCutOutHasBothParts) {
    int width = 0, height = 0;
    std::uint8_t* splash = loadImage("splash.jpg", width, height);
    ASSERT_NE(splash, nullptr);
    std::free(splash);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    std::uint8_t* pixels = loadImage("uprights.bmp", width, height);
    ASSERT_NE(pixels, nullptr);
    int clear = 0, painted = 0;
    for (int p = 0; p < width * height; ++p) {
        int sum = pixels[3 * p] + pixels[3 * p + 1] + pixels[3 * p + 2];
        (sum == 0 ? clear : painted)++;
    }
    std::free(pixels);
    EXPECT_GT(clear, width * height / 10) << "the black that BLACK_MASK cuts away";
    EXPECT_GT(painted, width * height / 2) << "the paint and the pennant";
}

}  // namespace
