#include "resources/TestSounds.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <random>

namespace {

constexpr double Level = 0.5; // -6 dBFS: loud enough to hear, far from clipping

// Short fades at both ends, so that starting and stopping (and looping) do not click.
void fadeEnds(std::vector<double>& samples)
{
    const size_t fade = std::min(samples.size() / 2, size_t(TestSounds::SampleRate / 50));
    for (size_t i = 0; i < fade; ++i) {
        const double gain = double(i) / double(fade);
        samples[i] *= gain;
        samples[samples.size() - 1 - i] *= gain;
    }
}

void putLe(std::ofstream& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char((value >> (8 * i)) & 0xff));
}

size_t sampleCount(double seconds)
{
    return size_t(std::lround(seconds * TestSounds::SampleRate));
}

} // namespace

std::vector<double> TestSounds::sine(double frequencyHz, double seconds)
{
    std::vector<double> samples(sampleCount(seconds));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] =
            Level * std::sin(2.0 * std::numbers::pi * frequencyHz * double(i) / SampleRate);
    fadeEnds(samples);
    return samples;
}

std::vector<double> TestSounds::pinkNoise(double seconds)
{
    // White noise through Paul Kellet's economy filter (-3 dB per octave within 0.5 dB).
    std::mt19937 random(7350);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    std::vector<double> samples(sampleCount(seconds));
    double b0 = 0, b1 = 0, b2 = 0;
    for (double& sample : samples) {
        const double w = white(random);
        b0 = 0.99765 * b0 + w * 0.0990460;
        b1 = 0.96300 * b1 + w * 0.2965164;
        b2 = 0.57000 * b2 + w * 1.0526913;
        sample = b0 + b1 + b2 + w * 0.1848;
    }
    double peak = 0;
    for (double sample : samples)
        peak = std::max(peak, std::abs(sample));
    if (peak > 0)
        for (double& sample : samples)
            sample *= Level / peak;
    fadeEnds(samples);
    return samples;
}

std::vector<double> TestSounds::chime()
{
    // C5, E5, G5 one after the other, then together; each note decays like a struck bell.
    const double notes[] = {523.25, 659.25, 783.99};
    const double noteSeconds = 0.6;
    std::vector<double> samples(sampleCount(4.0));
    auto strike = [&](double frequency, double startSeconds, double gain) {
        const size_t start = sampleCount(startSeconds);
        for (size_t i = start; i < samples.size(); ++i) {
            const double t = double(i - start) / SampleRate;
            samples[i] +=
                gain * std::exp(-2.5 * t) * std::sin(2.0 * std::numbers::pi * frequency * t);
        }
    };
    for (int n = 0; n < 3; ++n)
        strike(notes[n], n * noteSeconds, Level * 0.6);
    for (double note : notes)
        strike(note, 3 * noteSeconds, Level * 0.3);
    for (double& sample : samples)
        sample = std::clamp(sample, -1.0, 1.0);
    fadeEnds(samples);
    return samples;
}

bool TestSounds::writeWav(const std::string& path, const std::vector<double>& samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);             // format chunk size
    putLe(out, 1, 2);              // PCM
    putLe(out, 1, 2);              // mono
    putLe(out, SampleRate, 4);     // frames per second
    putLe(out, SampleRate * 2, 4); // bytes per second
    putLe(out, 2, 2);              // bytes per frame
    putLe(out, 16, 2);             // bits per sample
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    for (double sample : samples) {
        const long value = std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0);
        putLe(out, uint32_t(uint16_t(int16_t(value))), 2);
    }
    return bool(out.flush());
}

bool TestSounds::writeTones(const std::string& folder)
{
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    return writeWav(prefix + "10Hz Tone.wav", sine(10, ToneSeconds)) &&
           writeWav(prefix + "100Hz Tone.wav", sine(100, ToneSeconds)) &&
           writeWav(prefix + "1kHz Tone.wav", sine(1000, ToneSeconds)) &&
           writeWav(prefix + "7350Hz Tone.wav", sine(7350, ToneSeconds)) &&
           writeWav(prefix + "Pink Noise.wav", pinkNoise(ToneSeconds));
}
