#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/ErrorMessages.h"
#include "sound/SoundPlayer.h"
#include "sound/SoundTestSupport.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"

namespace {
class WavLoadTest : public ::testing::Test {
protected:
    int load(const std::string& name, const std::string& bytes) {
        media.write(name, bytes);
        return player.loadSound(name.c_str());
    }
    static std::string pcmWav(const std::string& data) {
        WavParts parts;
        parts.data = data;
        return wavFile(parts);
    }

    TempMediaDir media;
    SoundPlayer player;
    std::vector<std::string> boxes;
    ErrorBoxOverride errorBoxes{[this](ErrorSeverity, const std::string& caption, const std::string& text) {
        boxes.push_back(caption + "|" + text);
        return true;
    }};
};

TEST_F(WavLoadTest, SixteenBitPcmCountsEverySample) {
    ASSERT_EQ(load("mono.wav", pcmWav(rampBytes(100, 7))), 0);
    const Sound& mono = player.sounds[0];
    EXPECT_EQ(mono.sampleCount, 100u);
    EXPECT_EQ(mono.samples[0], 7);
    EXPECT_EQ(mono.samples[99], 106);
    EXPECT_FALSE(mono.playing.load());

    WavParts stereo;
    stereo.format = pcmFormat(2, 16);
    stereo.data = rampBytes(200);
    ASSERT_EQ(load("stereo.wav", wavFile(stereo)), 1);
    EXPECT_EQ(player.sounds[1].sampleCount, 200u);  // both channels, one stream
    EXPECT_EQ(player.soundCount.load(), 2);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WavLoadTest, TagsAreCheckedOnTheirFirstThreeBytes) {
    WavParts fourthByteDiffers;
    fourthByteDiffers.riffTag = "RIFX";
    fourthByteDiffers.waveTag = "WAVx";
    fourthByteDiffers.fmtTag = "fmt_";
    fourthByteDiffers.data = rampBytes(10);
    EXPECT_EQ(load("fourth.wav", wavFile(fourthByteDiffers)), 0);

    WavParts riff;
    riff.riffTag = "RIGF";
    EXPECT_EQ(load("riff.wav", wavFile(riff)), SOUND_ERROR_OPEN_OR_RIFF);
    WavParts wave;
    wave.waveTag = "WAXE";
    EXPECT_EQ(load("wave.wav", wavFile(wave)), SOUND_ERROR_WAVE);
    WavParts fmt;
    fmt.fmtTag = "fnt ";
    EXPECT_EQ(load("fmt.wav", wavFile(fmt)), SOUND_ERROR_FMT);
    EXPECT_EQ(player.soundCount.load(), 1);
    EXPECT_TRUE(boxes.empty());  // only a file that cannot be opened is reported
}

TEST_F(WavLoadTest, DataTagMustMatchInAllFourBytes) {
    WavParts decoy;
    decoy.between = riffChunk("datA", rampBytes(3, 500));
    decoy.data = rampBytes(8, 1);
    ASSERT_EQ(load("decoy.wav", wavFile(decoy)), 0);
    EXPECT_EQ(player.sounds[0].sampleCount, 8u);
    EXPECT_EQ(player.sounds[0].samples[0], 1);
}

TEST_F(WavLoadTest, OddSizedChunkIsSkippedWithItsPadByte) {
    WavParts parts;
    parts.between = riffChunk("LIST", "abc") + riffChunk("junk", "");
    parts.data = rampBytes(4, 42);
    ASSERT_EQ(load("odd.wav", wavFile(parts)), 0);
    EXPECT_EQ(player.sounds[0].sampleCount, 4u);
    EXPECT_EQ(player.sounds[0].samples[0], 42);
}

TEST_F(WavLoadTest, FormatLimitsAndUnplayableFormats) {
    WavParts fifty;
    fifty.format = pcmFormat(1, 16) + std::string(34, '\0');
    fifty.data = rampBytes(2);
    EXPECT_EQ(load("fifty.wav", wavFile(fifty)), 0);
    WavParts fiftyOne;
    fiftyOne.format = pcmFormat(1, 16) + std::string(35, '\0');
    EXPECT_EQ(load("fiftyone.wav", wavFile(fiftyOne)), SOUND_ERROR_FORMAT);
    WavParts eightBit;
    eightBit.format = pcmFormat(1, 8);
    eightBit.data = "abcd";
    EXPECT_EQ(load("eight.wav", wavFile(eightBit)), SOUND_ERROR_FORMAT);
    WavParts shortFormat;  // too short to say how wide its samples are
    shortFormat.format = le16(1) + le16(1);
    EXPECT_EQ(load("short.wav", wavFile(shortFormat)), SOUND_ERROR_FORMAT);
    WavParts floatFormat;
    floatFormat.format = le16(3) + pcmFormat(1, 32).substr(2);
    EXPECT_EQ(load("float.wav", wavFile(floatFormat)), SOUND_ERROR_FORMAT);
    EXPECT_EQ(player.soundCount.load(), 1);
}

TEST_F(WavLoadTest, CutFilesAreRefused) {
    const std::string whole = pcmWav(rampBytes(50));
    const std::size_t dataStart = whole.size() - 100;
    // Ends inside the data, inside the data size, and before the data tag.
    for (std::size_t length : {whole.size() - 1, dataStart - 2, dataStart - 8, std::size_t(30)}) {
        EXPECT_EQ(load("cut.wav", whole.substr(0, length)), SOUND_ERROR_TRUNCATED) << length;
    }
    WavParts decoyOnly;
    decoyOnly.between = riffChunk("datA", rampBytes(3));
    std::string noData = wavFile(decoyOnly);
    noData.resize(noData.size() - 8);  // drop the real data chunk's (empty) header
    EXPECT_EQ(load("nodata.wav", noData), SOUND_ERROR_TRUNCATED);
    EXPECT_EQ(player.soundCount.load(), 0);
    EXPECT_EQ(player.sounds[0].samples, nullptr);
}

TEST_F(WavLoadTest, ChunksClaimingMoreThanTheFileHoldsAreRefused) {
    for (std::uint32_t claimed : {7u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        const std::string lying = "LIST" + le32(claimed) + "abcd";
        WavParts parts;
        parts.between = lying;
        parts.data = rampBytes(4);
        EXPECT_EQ(load("lying.wav", wavFile(parts)), SOUND_ERROR_TRUNCATED) << claimed;
    }
    EXPECT_EQ(player.soundCount.load(), 0);
}

TEST_F(WavLoadTest, FailedLoadsLeaveTheNextIndexFree) {
    const std::string good = pcmWav(rampBytes(20));
    EXPECT_EQ(load("a.wav", good), 0);
    EXPECT_EQ(load("b.wav", good), 1);
    EXPECT_EQ(player.loadSound("missing.wav"), SOUND_ERROR_OPEN_OR_RIFF);
    EXPECT_EQ(load("c.wav", good), 2);
    WavParts bad;
    bad.waveTag = "AVI ";
    EXPECT_EQ(load("bad.wav", wavFile(bad)), SOUND_ERROR_WAVE);
    EXPECT_EQ(load("d.wav", good), 3);
    EXPECT_EQ(load("e.wav", good), 4);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "ERROR|Could not open file: " + media.mediaPath("missing.wav") +
                            " The application will continue.");
}

TEST_F(WavLoadTest, AllSlotsFullIsRefused) {
    const std::string good = pcmWav(rampBytes(20));
    for (int slot = 0; slot < SOUND_SLOTS; ++slot) {
        ASSERT_EQ(load("s.wav", good), slot);
    }
    EXPECT_EQ(load("s.wav", good), SOUND_ERROR_NO_FREE_SLOT);
    EXPECT_EQ(player.soundCount.load(), SOUND_SLOTS);
}

// sox writes MS ADPCM with a 50-byte format and a "fact" chunk before the data.
class AdpcmTest : public WavLoadTest {
protected:
    bool sox(const std::string& arguments) {
        const std::string command = "sox -n -r 11025 " + arguments + " 2>/dev/null";
        return std::system(command.c_str()) == 0;
    }
};

TEST_F(AdpcmTest, DecodesToSixteenBitCloseToThePcmSource) {
    ASSERT_TRUE(sox("-c 1 -e ms-adpcm " + media.mediaPath("tone.wav") + " synth 1 sine 440"))
        << "sox is needed to make the test sound";
    ASSERT_TRUE(sox("-c 1 -e signed -b 16 " + media.mediaPath("pcm.wav") + " synth 1 sine 440"));
    ASSERT_EQ(player.loadSound("pcm.wav"), 0);
    ASSERT_EQ(player.loadSound("tone.wav"), 1);
    const Sound& pcm = player.sounds[0];
    const Sound& adpcm = player.sounds[1];
    ASSERT_EQ(pcm.sampleCount, 11025u);
    EXPECT_EQ(adpcm.sampleCount, 11500u);  // 23 whole blocks of 500 samples
    double squareSum = 0.0;
    int largest = 0;
    for (std::uint32_t i = 0; i < pcm.sampleCount; ++i) {
        const int difference = std::abs(int(pcm.samples[i]) - int(adpcm.samples[i]));
        squareSum += double(difference) * difference;
        largest = std::max(largest, difference);
    }
    EXPECT_LT(std::sqrt(squareSum / pcm.sampleCount), 32768.0 * 0.02);
    EXPECT_LT(largest, 32768 / 8);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AdpcmTest, StereoKeepsBothChannels) {
    ASSERT_TRUE(sox("-c 1 -e ms-adpcm " + media.mediaPath("mono.wav") + " synth 0.5 sine 440"));
    ASSERT_TRUE(sox("-c 2 -e ms-adpcm " + media.mediaPath("stereo.wav") + " synth 0.5 sine 440"));
    ASSERT_EQ(player.loadSound("mono.wav"), 0);
    ASSERT_EQ(player.loadSound("stereo.wav"), 1);
    EXPECT_GT(player.sounds[0].sampleCount, 5000u);
    // Stereo blocks hold half as many frames each, so compare the frames' count
    // within one block's worth.
    const int frames = int(player.sounds[1].sampleCount / 2);
    EXPECT_NEAR(frames, int(player.sounds[0].sampleCount), 500);
    EXPECT_EQ(player.sounds[1].sampleCount % 2, 0u);
}

// The 50-byte MS ADPCM format as sox writes it: mono, 256-byte blocks of 500
// samples, the seven standard coefficient pairs.
std::string adpcmFormat() {
    std::string format = le16(2) + le16(1) + le32(11025) + le32(5666) + le16(256) + le16(4) +
                         le16(32) + le16(500) + le16(7);
    const int coefficients[7][2] = {{256, 0},  {512, -256}, {0, 0},     {192, 64},
                                    {240, 0}, {460, -208}, {392, -232}};
    for (const auto& pair : coefficients) {
        format += le16(static_cast<std::uint16_t>(pair[0]));
        format += le16(static_cast<std::uint16_t>(pair[1]));
    }
    return format;
}

TEST_F(AdpcmTest, AnEmptyDataChunkIsAnEmptySoundLikeEmptyPcm) {
    WavParts adpcm;
    adpcm.format = adpcmFormat();
    ASSERT_EQ(load("empty_adpcm.wav", wavFile(adpcm)), 0);
    EXPECT_EQ(player.sounds[0].sampleCount, 0u);
    EXPECT_NE(player.sounds[0].samples, nullptr);
    ASSERT_EQ(load("empty_pcm.wav", pcmWav("")), 1);
    EXPECT_EQ(player.sounds[1].sampleCount, 0u);
}

// A block names its coefficient pair by index; the seven pairs end at index 6,
// and an index past them is refused before anything reads past the table.
TEST_F(AdpcmTest, ABlockNamingACoefficientPairPastTheTableIsRefused) {
    const struct {
        int secondBlockPredictor;
        int expected;
    } cases[] = {{6, 0}, {7, SOUND_ERROR_CONVERSION}, {255, SOUND_ERROR_CONVERSION}};
    for (const auto& c : cases) {
        WavParts adpcm;
        adpcm.format = adpcmFormat();
        adpcm.data = std::string(512, '\0');
        adpcm.data[256] = static_cast<char>(c.secondBlockPredictor);
        const std::string name = "predictor" + std::to_string(c.secondBlockPredictor) + ".wav";
        EXPECT_EQ(load(name, wavFile(adpcm)), c.expected) << "predictor " << c.secondBlockPredictor;
    }
    EXPECT_EQ(player.soundCount.load(), 1);
}

TEST_F(AdpcmTest, UndecodableDataIsRefused) {
    ASSERT_TRUE(sox("-c 1 -e ms-adpcm " + media.mediaPath("tone.wav") + " synth 0.2 sine 440"));
    std::string bytes = media.read("tone.wav");
    bytes[20 + 12] = 0;  // block alignment 0: no block can be decoded
    bytes[20 + 13] = 0;
    EXPECT_EQ(load("broken.wav", bytes), SOUND_ERROR_CONVERSION);
    EXPECT_EQ(player.soundCount.load(), 0);
    EXPECT_TRUE(boxes.empty());
}
}  // namespace
