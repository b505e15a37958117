// The committed sounds as the player hears them: no click where one starts or
// ends, and a whistle that stays clean when the game slows it to a quarter.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <vector>

#include "media/MediaTestSupport.h"
#include "sound/SoundPlayer.h"

namespace {

class MediaSoundQuality : public RepositoryMedia {};

constexpr double OUTPUT_RATE = 11025.0;
const char* const SOUND_FILES[] = {"whistle.wav", "hike.wav", "vortun.wav", "exterminate.wav", "kick.wav"};

// In place, radix 2; the size is a power of two.
void fourierTransform(std::vector<std::complex<double>>& values) {
    const std::size_t n = values.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(values[i], values[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> turn = std::polar(1.0, -2.0 * M_PI / static_cast<double>(length));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> w = 1.0;
            for (std::size_t k = 0; k < length / 2; ++k, w *= turn) {
                std::complex<double> a = values[start + k], b = values[start + k + length / 2] * w;
                values[start + k] = a + b;
                values[start + k + length / 2] = a - b;
            }
        }
    }
}

// The share of the signal's energy above the given frequency, from windowed
// 1024-sample frames that overlap by half.
double energyShareAbove(const std::vector<double>& signal, double hertz) {
    const std::size_t frame = 1024;
    double above = 0.0, total = 0.0;
    for (std::size_t start = 0; start + frame <= signal.size(); start += frame / 2) {
        std::vector<std::complex<double>> values(frame);
        for (std::size_t i = 0; i < frame; ++i)
            values[i] = signal[start + i] * (0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / frame));
        fourierTransform(values);
        for (std::size_t bin = 0; bin < frame / 2; ++bin) {
            const double energy = std::norm(values[bin]);
            total += energy;
            if (static_cast<double>(bin) * OUTPUT_RATE / frame > hertz) above += energy;
        }
    }
    return total > 0.0 ? above / total : 0.0;
}

TEST_F(MediaSoundQuality, EverySoundStartsAndEndsInSilenceWithoutAClick) {
    // A sound that starts or ends on a large sample jumps from or to the silence
    // around it: a click. Each must begin near zero and stay quiet over its
    // first millisecond, and be as quiet over its last millisecond before it
    // falls silent (a fade of a few ms). The decoder pads the last ADPCM block
    // with silence, so the end is where the sound last rises above 0.1 % of full
    // scale, before the 16 samples the mixer never plays.
    const std::uint32_t millisecond = 11;
    const int audible = 33;
    SoundPlayer player;
    for (int slot = 0; slot < 5; ++slot) {
        const char* name = SOUND_FILES[slot];
        ASSERT_EQ(player.loadSound(name), slot) << name << "\n" << allMessages();
        const Sound& sound = player.sounds[slot];
        ASSERT_GT(sound.sampleCount, 16 + 2 * millisecond) << name;
        const std::int16_t* samples = sound.samples;
        std::uint32_t end = sound.sampleCount - 16;
        while (end > millisecond && std::abs(int{samples[end - 1]}) <= audible) --end;
        int peak = 0, startLevel = 0, endLevel = 0;
        for (std::uint32_t i = 0; i < end; ++i) peak = std::max(peak, std::abs(int{samples[i]}));
        for (std::uint32_t i = 0; i < millisecond; ++i) {
            startLevel = std::max(startLevel, std::abs(int{samples[i]}));
            endLevel = std::max(endLevel, std::abs(int{samples[end - 1 - i]}));
        }
        EXPECT_LE(std::abs(int{samples[0]}), 328) << name << " starts with a jump (1 % of full scale at most)";
        EXPECT_LE(startLevel, peak / 8) << name << ": no fade-in over its first millisecond";
        EXPECT_LE(endLevel, peak / 8) << name << ": no fade-out over its last millisecond";
    }
}

TEST_F(MediaSoundQuality, TheWhistleAtAQuarterRateKeepsItsEnergyBelow2700Hz) {
    // At a quarter rate the mixer repeats each sample four times, which copies
    // every tone of the slowed whistle to 2756 Hz +- its frequency; whatever
    // lies above 2.7 kHz then is such a copy or folded noise, none of it the
    // whistle. A clean tone at the whistle's 1575 Hz makes 3.2 % of its energy
    // there (those copies grow with the pitch: 5.5 % for a tone at 2.2 kHz), the
    // old referee's whistle at 2750 Hz with its octave and breath 8.2 %. The
    // bound leaves room for the ADPCM's noise and nothing for a bright whistle.
    SoundPlayer player;
    ASSERT_EQ(player.loadSound("whistle.wav"), 0) << allMessages();
    const Vec3 listener(0.0f, 10.0f, -55.0f), facing(0.0f, 0.0f, 1.0f);
    player.openWithoutDevice(75.0f, &listener, &facing);
    player.play(0, &listener, 0.25f, false);  // as the lost game plays it, at the listener
    std::vector<double> heard;
    for (int block = 0; block < 200 && player.isPlaying(0); ++block) {
        player.refill();
        const std::int16_t* mixed = player.lastMixedBuffer();
        for (int frame = 0; frame < MIX_FRAMES_PER_BLOCK; ++frame) heard.push_back(mixed[2 * frame]);
    }
    ASSERT_FALSE(player.isPlaying(0)) << "the whistle ends";
    ASSERT_GT(heard.size(), 3u * 11025u) << "four times as long as at its own rate";
    EXPECT_LT(energyShareAbove(heard, 2700.0), 0.045);
}

}  // namespace
