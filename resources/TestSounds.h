#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The sounds the program ships for the sound test: four sine tones and pink noise, plus the
// chime that becomes the default MP3. Computed here so that nothing is taken from elsewhere.
class TestSounds
{
public:
    static constexpr int SampleRate = 44100;
    static constexpr double ToneSeconds = 3.0;

    // Mono samples in [-1, 1].
    static std::vector<double> sine(double frequencyHz, double seconds);
    // Equal energy per octave, from a fixed seed so that every build ships the same file.
    static std::vector<double> pinkNoise(double seconds);
    // Three rising notes and their chord: pleasant to check a room with.
    static std::vector<double> chime();

    // A 16-bit PCM mono WAV file; false when it cannot be written.
    static bool writeWav(const std::string& path, const std::vector<double>& samples);
    // The five tone files, named the way the sound-test menu captions them, into folder.
    static bool writeTones(const std::string& folder);
};
