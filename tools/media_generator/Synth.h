#pragma once

#include <string>
#include <vector>

constexpr int SOUND_RATE = 11025;

// Sounds made sample by sample, as floats in [-1, 1] at 11025 Hz.
std::vector<float> synthKick();
std::vector<float> synthWhistle();
std::vector<float> synthTheme();

// Scales the sound so its loudest sample reaches peak (0..1).
void normalisePeak(std::vector<float>& samples, float peak);
// Writes a mono 16-bit PCM WAV file.
bool writePcmWav(const std::string& path, const std::vector<float>& samples);
