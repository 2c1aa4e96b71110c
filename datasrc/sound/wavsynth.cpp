#include "wavsynth.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kf::synth {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEndFade = 0.004; // seconds of linear fade closing every voice

bool Fail(std::string* error, int line, const std::string& why)
{
    if (error)
        *error = "line " + std::to_string(line) + ": " + why;
    return false;
}

bool ParseNumber(const std::string& text, double& out)
{
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && !text.empty() && std::isfinite(out);
}

double Envelope(const Voice& v, double t)
{
    if (t < 0 || t >= v.length)
        return 0;
    double e = v.attack > 0 && t < v.attack ? t / v.attack
                                            : std::exp(-(t - v.attack) / std::max(v.decay, 1e-4));
    const double left = v.length - t;
    if (left < kEndFade)
        e *= left / kEndFade;
    return e;
}

// Deterministic white noise, so a build always makes the same files.
struct Noise
{
    uint32_t state = 22222;
    double Next()
    {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 23) - 1.0;
    }
};

} // namespace

bool ParseSounds(const std::string& text, std::vector<Sound>& out, std::string* error)
{
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string kind;
        if (!(words >> kind))
            continue;
        if (kind == "sound") {
            Sound s;
            if (!(words >> s.name))
                return Fail(error, number, "sound without a file name");
            std::string option;
            while (words >> option) {
                double value = 0;
                if (option.rfind("peak=", 0) != 0 || !ParseNumber(option.substr(5), value) ||
                    value > 0)
                    return Fail(error, number, "unknown or bad option " + option);
                s.peakDb = value;
            }
            out.push_back(std::move(s));
        } else if (kind == "voice") {
            if (out.empty())
                return Fail(error, number, "voice before any sound");
            Voice v;
            std::string freq;
            if (!(words >> v.wave >> freq) || !ParseNumber(freq, v.freq) || v.freq <= 0)
                return Fail(error, number, "voice needs a wave and a frequency");
            if (v.wave != "sine" && v.wave != "soft" && v.wave != "triangle" && v.wave != "bell" &&
                v.wave != "noise")
                return Fail(error, number, "unknown wave " + v.wave);
            std::string option;
            while (words >> option) {
                const size_t eq = option.find('=');
                double value = 0;
                if (eq == std::string::npos || !ParseNumber(option.substr(eq + 1), value))
                    return Fail(error, number, "bad option " + option);
                const std::string key = option.substr(0, eq);
                if (key == "to")
                    v.freqEnd = value;
                else if (key == "at")
                    v.at = value;
                else if (key == "len")
                    v.length = value;
                else if (key == "attack")
                    v.attack = value;
                else if (key == "decay")
                    v.decay = value;
                else if (key == "gain")
                    v.gainDb = value;
                else if (key == "cut")
                    v.cutoff = value;
                else
                    return Fail(error, number, "unknown option " + key);
            }
            if (v.length <= 0 || v.length > 5 || v.at < 0 || v.at > 5 || v.attack < 0)
                return Fail(error, number, "times out of range");
            out.back().voices.push_back(v);
        } else {
            return Fail(error, number, "unknown entry " + kind);
        }
    }
    for (const Sound& s : out)
        if (s.voices.empty())
            return Fail(error, number, s.name + " has no voice");
    return true;
}

std::vector<float> Render(const Sound& sound)
{
    double end = 0;
    for (const Voice& v : sound.voices)
        end = std::max(end, v.at + v.length);
    std::vector<double> mix(size_t(std::ceil(end * kSampleRate)) + 1, 0.0);
    Noise noise;
    for (const Voice& v : sound.voices) {
        const double gain = std::pow(10.0, v.gainDb / 20.0);
        const size_t first = size_t(v.at * kSampleRate);
        const size_t count = size_t(v.length * kSampleRate);
        double phase = 0, low = 0;
        const double cut = v.cutoff > 0 ? v.cutoff : v.freq;
        const double alpha = 1.0 - std::exp(-2 * kPi * cut / kSampleRate);
        for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = double(i) / kSampleRate;
            const double f =
                v.freqEnd > 0 ? v.freq * std::pow(v.freqEnd / v.freq, t / v.length) : v.freq;
            phase += 2 * kPi * f / kSampleRate;
            double x = 0;
            if (v.wave == "sine") {
                x = std::sin(phase);
            } else if (v.wave == "soft") {
                x = std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase);
            } else if (v.wave == "triangle") {
                x = 2.0 / kPi * std::asin(std::sin(phase));
            } else if (v.wave == "bell") {
                x = std::sin(phase) + 0.4 * std::sin(2.76 * phase) * std::exp(-t * 12) +
                    0.2 * std::sin(5.4 * phase) * std::exp(-t * 25);
            } else {
                low += alpha * (noise.Next() - low);
                x = low;
            }
            mix[first + i] += gain * Envelope(v, t) * x;
        }
    }
    double peak = 0;
    for (double x : mix)
        peak = std::max(peak, std::abs(x));
    const double scale = peak > 0 ? std::pow(10.0, sound.peakDb / 20.0) / peak : 0;
    std::vector<float> out(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        out[i] = float(mix[i] * scale);
    return out;
}

std::vector<uint8_t> EncodeWav(const std::vector<float>& samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> b;
    b.reserve(44 + size_t(dataBytes));
    auto text = [&](const char* s) {
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(s[i]));
    };
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    };
    auto u16 = [&](uint32_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    text("RIFF");
    u32(36 + dataBytes);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kSampleRate);
    u32(kSampleRate * 2); // bytes per second
    u16(2);               // block align
    u16(16);              // bits per sample
    text("data");
    u32(dataBytes);
    for (float x : samples) {
        const long v = std::lround(std::clamp(double(x), -1.0, 1.0) * 32767.0);
        u16(uint32_t(uint16_t(int16_t(v))));
    }
    return b;
}

} // namespace kf::synth
