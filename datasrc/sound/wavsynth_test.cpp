#include "wavsynth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>

using namespace kf::synth;

namespace {

std::vector<Sound> ShippedSounds()
{
    std::ifstream in(KF_SOUND_PARAMS);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<Sound> sounds;
    std::string error;
    EXPECT_TRUE(ParseSounds(text, sounds, &error)) << error;
    return sounds;
}

double Db(double x)
{
    return 20 * std::log10(std::max(x, 1e-9));
}

} // namespace

// Every shipped sound is short, never clips, starts and ends in silence, carries no offset and
// sits at a moderate level; the key sounds are the shortest and quietest kind.
TEST(WavSynth, ShippedInterfaceSoundsArePleasantToHear)
{
    const std::vector<Sound> sounds = ShippedSounds();
    std::set<std::string> names;
    for (const Sound& s : sounds)
        names.insert(s.name);
    EXPECT_EQ(names, (std::set<std::string>{"iconhover.wav", "ResultBad.wav", "ResultGood.wav",
                                            "ResultVeryGood.wav", "WndOpen.wav", "WndClose.wav",
                                            "MenuExpand.wav", "flippage.wav", "Strike.wav",
                                            "StrikeErr.wav"}));
    for (const Sound& s : sounds) {
        const std::vector<float> x = Render(s);
        const double seconds = double(x.size()) / kSampleRate;
        double peak = 0, sum = 0, energy = 0;
        for (float v : x) {
            peak = std::max(peak, double(std::abs(v)));
            sum += v;
            energy += double(v) * v;
        }
        const double rms = std::sqrt(energy / double(x.size()));
        EXPECT_GT(seconds, 0.02) << s.name;
        EXPECT_LT(seconds, 1.5) << s.name;
        EXPECT_NEAR(Db(peak), s.peakDb, 0.05) << s.name;
        EXPECT_LE(Db(peak), -6.0) << s.name << ": leaves headroom";
        EXPECT_LT(std::abs(x.front()), 0.01) << s.name << ": starts with a click";
        EXPECT_LT(std::abs(x.back()), 0.001) << s.name << ": ends with a click";
        EXPECT_LT(std::abs(sum / double(x.size())), 0.01) << s.name << ": DC offset";
        EXPECT_GT(Db(rms), -45.0) << s.name << ": inaudible";
        EXPECT_LT(Db(rms), Db(peak) - 3.0) << s.name << ": square-like, harsh";
        if (s.name == "Strike.wav" || s.name == "StrikeErr.wav" || s.name == "iconhover.wav") {
            EXPECT_LT(seconds, 0.2) << s.name << ": plays on every keystroke or hover";
        }
    }
}

TEST(WavSynth, WaveFileHeaderAndSamples)
{
    const std::vector<uint8_t> wav = EncodeWav({0.0f, 1.0f, -1.0f, 2.0f});
    ASSERT_EQ(wav.size(), 44u + 8u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(wav[20] | wav[21] << 8, 1); // PCM
    EXPECT_EQ(wav[22], 1);                // mono
    EXPECT_EQ(wav[24] | wav[25] << 8 | wav[26] << 16, kSampleRate);
    EXPECT_EQ(wav[34], 16); // bits
    EXPECT_EQ(wav[40], 8);  // data bytes
    EXPECT_EQ(int16_t(wav[46] | wav[47] << 8), 32767);
    EXPECT_EQ(int16_t(wav[48] | wav[49] << 8), -32767);
    EXPECT_EQ(int16_t(wav[50] | wav[51] << 8), 32767); // clamped
}

TEST(WavSynth, ParserNamesTheBadLine)
{
    struct Case
    {
        const char* text;
        const char* reason;
    } cases[] = {
        {"voice sine 440\n", "line 1: voice before any sound"},
        {"sound a.wav\n  voice saw 440\n", "line 2: unknown wave saw"},
        {"sound a.wav peak=3\n", "line 1: unknown or bad option peak=3"},
        {"sound a.wav\n voice sine 440 len=9\n", "line 2: times out of range"},
        {"sound a.wav\n voice sine x\n", "line 2: voice needs"},
        {"sound a.wav\n", "a.wav has no voice"},
        {"tone x\n", "line 1: unknown entry tone"},
    };
    for (const Case& c : cases) {
        std::vector<Sound> sounds;
        std::string error;
        EXPECT_FALSE(ParseSounds(c.text, sounds, &error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << " → " << error;
    }
}
