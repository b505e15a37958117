#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Canvas.h"
#include "math/Scalar.h"

namespace {


float midiToHz(int note) { return 440.0f * std::pow(2.0f, (note - 69) / 12.0f); }

// Attack, then an exponential fall with a short release at the end.
float envelope(float t, float length, float attack, float decay) {
    if (t < 0 || t >= length) return 0.0f;
    float a = std::fmin(1.0f, t / attack);
    float r = std::fmin(1.0f, (length - t) / 0.03f);
    return a * r * std::exp(-t / decay);
}

struct Note {
    int midi;
    float beat;
    float beats;
};

void addVoice(std::vector<float>& out, const Note& n, float secondsPerBeat, float level, int harmonics, float decay) {
    float start = n.beat * secondsPerBeat, length = n.beats * secondsPerBeat * 0.95f;
    float hz = midiToHz(n.midi);
    size_t first = static_cast<size_t>(start * SOUND_RATE);
    size_t count = static_cast<size_t>(length * SOUND_RATE);
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        float t = static_cast<float>(i) / SOUND_RATE;
        float vibrato = 1.0f + 0.004f * std::sin(TWO_PI * 5.5f * t) * std::fmin(1.0f, t * 4);
        float phase = TWO_PI * hz * vibrato * t;
        float s = 0;
        for (int h = 1; h <= harmonics; h += 2)  // odd harmonics: a hollow, square-ish tone
            if (hz * h < SOUND_RATE / 2.2f) s += std::sin(phase * h) / h;
        out[first + i] += level * s * envelope(t, length, 0.01f, decay);
    }
}

void addDrum(std::vector<float>& out, float start, float level, bool snare, NoiseSource& noise) {
    size_t first = static_cast<size_t>(start * SOUND_RATE);
    float low = 0;
    for (size_t i = 0; i < static_cast<size_t>(0.18f * SOUND_RATE) && first + i < out.size(); ++i) {
        float t = static_cast<float>(i) / SOUND_RATE;
        float n = noise.unit() * 2 - 1;
        low += (n - low) * 0.3f;
        float body = snare ? 0.6f * low : std::sin(TWO_PI * (60 + 90 * std::exp(-t * 30)) * t);
        out[first + i] += level * body * std::exp(-t * (snare ? 22.0f : 16.0f));
    }
}

}  // namespace

std::vector<float> synthKick() {
    std::vector<float> out(static_cast<size_t>(0.4f * SOUND_RATE), 0.0f);
    NoiseSource noise(101);
    float low = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = static_cast<float>(i) / SOUND_RATE;
        // The leather "pock": a falling tone, a hollow ring of the ball, and the
        // boot's slap as a burst of softened noise.
        float thump = std::sin(TWO_PI * (55 + 140 * std::exp(-t * 35)) * t) * std::exp(-t * 14);
        float ring = 0.35f * std::sin(TWO_PI * 320 * t) * std::exp(-t * 28);
        float n = noise.unit() * 2 - 1;
        low += (n - low) * 0.45f;
        float slap = 0.9f * low * std::exp(-t * 90);
        out[i] = thump + ring + slap;
    }
    return out;
}

std::vector<float> synthWhistle() {
    // The game plays the whistle at a quarter of its rate when a game is lost,
    // and the mixer then repeats every sample four times. That copies each tone
    // of frequency f (f/4 after the slow-down) to 2756 +- f/4 Hz, at a level
    // that grows with f: at the 2750 Hz of a referee's whistle the copies come
    // within 9 dB of the tone and buzz. So this whistle sings lower, one clean
    // tone with a faint octave and breath only close to the tone, nothing near
    // the top of the band to fold back at any rate. Its pitch, 11025 / 7 Hz,
    // puts the copies of the slowed tone on its 6th and 8th harmonics, where
    // they sound as overtones rather than as a beat, about 15 dB down; the
    // trill's wobble of the pitch is kept small so that they stay there.
    const float pitch = SOUND_RATE / 7.0f, octave = 0.1f, wobble = 0.02f;
    std::vector<float> out(static_cast<size_t>(1.2f * SOUND_RATE), 0.0f);
    NoiseSource noise(102);
    float phase = 0;
    // A two-pole resonator at the pitch turns white noise into breath around it.
    const float radius = 0.97f, theta = TWO_PI * pitch / SOUND_RATE;
    const float a1 = 2 * radius * std::cos(theta), a2 = -radius * radius;
    float y1 = 0, y2 = 0;
    struct Blast {
        float start, length;
    };
    const Blast blasts[] = {{0.02f, 0.22f}, {0.36f, 0.78f}};
    for (size_t i = 0; i < out.size(); ++i) {
        float t = static_cast<float>(i) / SOUND_RATE;
        float level = 0;
        for (const Blast& b : blasts) {
            float local = t - b.start;
            if (local >= 0 && local < b.length)
                level = std::fmin(1.0f, local / 0.015f) * std::fmin(1.0f, (b.length - local) / 0.04f);
        }
        // The pea inside rattles the pitch and the loudness about 28 times a second.
        float trill = std::sin(TWO_PI * 28 * t);
        phase += TWO_PI * pitch * (1.0f + wobble * trill) / SOUND_RATE;
        float breath = (1 - radius) * (noise.unit() * 2 - 1) + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = breath;
        float tone = std::sin(phase) + octave * std::sin(2 * phase);
        out[i] = level * (0.85f + 0.15f * trill) * (tone + 0.5f * breath);
    }
    return out;
}

std::vector<float> synthTheme() {
    // "Vortun": a short march in D minor at 144 beats a minute, 12 beats long.
    const float secondsPerBeat = 60.0f / 144.0f;
    std::vector<float> out(static_cast<size_t>((12 * secondsPerBeat + 0.25f) * SOUND_RATE), 0.0f);
    const Note melody[] = {{62, 0, 0.5f},   {65, 0.5f, 0.5f}, {69, 1, 1},     {74, 2, 1},     {72, 3, 0.5f},
                           {69, 3.5f, 0.5f}, {65, 4, 1},      {67, 5, 0.5f},  {69, 5.5f, 0.5f}, {70, 6, 1},
                           {69, 7, 0.5f},   {67, 7.5f, 0.5f}, {64, 8, 1},     {73, 9, 1},     {74, 10, 2}};
    const Note bass[] = {{38, 0, 2}, {41, 2, 2}, {46, 4, 2}, {43, 6, 2}, {45, 8, 2}, {38, 10, 2}};
    for (const Note& n : melody) addVoice(out, n, secondsPerBeat, 0.5f, 7, 0.6f);
    for (const Note& n : melody) addVoice(out, Note{n.midi - 12, n.beat, n.beats}, secondsPerBeat, 0.15f, 3, 0.5f);
    for (const Note& n : bass) addVoice(out, n, secondsPerBeat, 0.45f, 5, 0.9f);
    NoiseSource noise(103);
    for (int beat = 0; beat < 11; ++beat) addDrum(out, beat * secondsPerBeat, 0.5f, beat % 2 == 1, noise);
    addDrum(out, 10 * secondsPerBeat, 0.6f, false, noise);
    return out;
}

void normalisePeak(std::vector<float>& samples, float peak) {
    float loudest = 0;
    for (float s : samples) loudest = std::fmax(loudest, std::fabs(s));
    if (loudest <= 0) return;
    for (float& s : samples) s *= peak / loudest;
}

bool writePcmWav(const std::string& path, const std::vector<float>& samples) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    auto put32 = [&](unsigned v) {
        for (int i = 0; i < 4; ++i) std::fputc((v >> (8 * i)) & 0xff, file);
    };
    auto put16 = [&](unsigned v) {
        std::fputc(v & 0xff, file);
        std::fputc((v >> 8) & 0xff, file);
    };
    unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    std::fputs("RIFF", file);
    put32(36 + dataBytes);
    std::fputs("WAVEfmt ", file);
    put32(16);
    put16(1);
    put16(1);
    put32(SOUND_RATE);
    put32(SOUND_RATE * 2);
    put16(2);
    put16(16);
    std::fputs("data", file);
    put32(dataBytes);
    for (float s : samples) {
        long v = std::lround(std::fmax(-1.0f, std::fmin(1.0f, s)) * 32767.0f);
        put16(static_cast<unsigned>(v) & 0xffff);
    }
    return std::fclose(file) == 0;
}
