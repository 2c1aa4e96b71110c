#pragma once

// A small additive synthesiser for the program's interface sounds. A sound is a list of
// voices, each a wave with a pitch (optionally gliding), a start time, a length and an
// envelope (linear attack, exponential decay, a short fade at its end so it never clicks).
// The mix is scaled so that its peak reaches the sound's peak level exactly.
//
// Parameter files (interface.txt) hold one "sound" line per file and its "voice" lines:
//
//   sound NAME.wav peak=-12              peak level in dBFS (negative)
//     voice WAVE FREQ [to=FREQ] [at=S] [len=S] [attack=S] [decay=S] [gain=DB] [cut=HZ]
//
// WAVE is sine, soft (sine with two quiet overtones), triangle, bell (inharmonic partials
// that die away fast) or noise (white noise through a low-pass at FREQ, or at cut=).
// Times are in seconds; decay is the time constant of the exponential decay.

#include <cstdint>
#include <string>
#include <vector>

namespace kf::synth {

inline constexpr int kSampleRate = 44100;

struct Voice
{
    std::string wave = "sine";
    double freq = 440;
    double freqEnd = 0; // 0 = no glide
    double at = 0;
    double length = 0.1;
    double attack = 0.005;
    double decay = 0.1;
    double gainDb = 0;
    double cutoff = 0; // noise only; 0 = freq
};

struct Sound
{
    std::string name;
    double peakDb = -12;
    std::vector<Voice> voices;
};

// Parses a parameter file's text. False with the line and reason in *error.
bool ParseSounds(const std::string& text, std::vector<Sound>& out, std::string* error);

// Renders a sound to samples in −1..1 at kSampleRate, peak scaled to the sound's level.
std::vector<float> Render(const Sound& sound);

// A mono 16-bit PCM wave file of the samples.
std::vector<uint8_t> EncodeWav(const std::vector<float>& samples);

} // namespace kf::synth
