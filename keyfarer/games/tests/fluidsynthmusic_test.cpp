// The FluidSynth back end: the shipped tunes render to sound with the installed General MIDI
// sound font, and the player finds out about the sound output without hanging.
#include "games/fluidsynthmusic.h"

#include "games/backgndmusic.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace kf {
namespace {

namespace fs = std::filesystem;

struct WavInfo
{
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}

bool ReadWav(const std::string& path, WavInfo& w)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t len = U32(b, at + 4);
        const size_t body = at + 8;
        if (len > b.size() - body)
            return false;
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && len >= 16) {
            w.format = b[body] | (b[body + 1] << 8);
            w.channels = b[body + 2] | (b[body + 3] << 8);
            w.rate = static_cast<int>(U32(b, body + 4));
            w.bits = b[body + 14] | (b[body + 15] << 8);
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            for (size_t i = body; i + 1 < body + len; i += 2)
                w.samples.push_back(static_cast<int16_t>(b[i] | (b[i + 1] << 8)));
        }
        at = body + len + (len & 1);
    }
    return w.format != 0;
}

TEST(FluidSynthMusic, ShippedTunesRenderToSound)
{
    const std::string font = FindSoundFont();
    ASSERT_FALSE(font.empty()) << "no General MIDI sound font installed (scripts/setup.sh installs one)";
    test::TempDir dir;
    size_t tunes = 0;
    for (const auto& e : fs::directory_iterator(fs::path(KF_STAGE_DIR) / "music")) {
        if (e.path().extension() != ".mid")
            continue;
        SCOPED_TRACE(e.path().filename().string());
        const std::string wav = dir.Native(e.path().stem().string() + ".wav");
        ASSERT_TRUE(RenderMidiToWav(e.path().string(), font, wav, 4.0));
        WavInfo w;
        ASSERT_TRUE(ReadWav(wav, w));
        EXPECT_EQ(w.format, 1); // PCM
        EXPECT_EQ(w.channels, 2);
        EXPECT_EQ(w.rate, 44100);
        EXPECT_EQ(w.bits, 16);
        const double seconds = static_cast<double>(w.samples.size()) / 2 / 44100;
        EXPECT_NEAR(seconds, 4.0, 0.1);
        int peak = 0;
        double energy = 0;
        for (int16_t s : w.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            energy += static_cast<double>(s) * s;
        }
        const double rms = std::sqrt(energy / static_cast<double>(std::max<size_t>(w.samples.size(), 1)));
        EXPECT_GT(rms, 300.0) << "silent";
        EXPECT_LT(peak, 32000) << "clipped";
        // Sound from the first second on: the tunes start at once.
        double first = 0;
        for (size_t i = 0; i < 88200 && i < w.samples.size(); ++i)
            first += std::abs(static_cast<double>(w.samples[i]));
        EXPECT_GT(first / 88200, 20.0);
        ++tunes;
    }
    EXPECT_GE(tunes, 4u);
}

TEST(FluidSynthMusic, RefusesWhatItCannotPlay)
{
    test::TempDir dir;
    dir.Write("not.mid", "MThd but not really");
    const std::string font = FindSoundFont();
    const std::string mid = (fs::path(KF_STAGE_DIR) / "music" / "mainbackgnd.mid").string();
    EXPECT_FALSE(RenderMidiToWav(dir.Native("not.mid"), font, dir.Native("a.wav"), 1.0));
    EXPECT_FALSE(RenderMidiToWav(mid, dir.Native("none.sf2"), dir.Native("b.wav"), 1.0));
    EXPECT_FALSE(fs::exists(dir.Native("a.wav")));

    auto backend = MakeFluidSynthBackend(dir.Native("none.sf2"));
    EXPECT_FALSE(backend->Open()); // no sound font: no music
    EXPECT_FALSE(backend->Play(mid));
    EXPECT_FALSE(backend->Finished());
    backend->Close();
}

TEST(FluidSynthMusic, PlayerLearnsWhetherThereIsSoundAndShutsDown)
{
    // The real back end on this machine: where no sound server runs the music is off, where
    // one runs the tune plays; either way the answer comes and nothing hangs.
    CBackgndMusic music;
    music.Initialize(u"" KF_STAGE_DIR);
    ASSERT_GE(music.Playlist().size(), 3u);
    ASSERT_TRUE(music.PlayDeskMusic());
    for (int i = 0; i < 500 && music.SoundOutput() == CBackgndMusic::Output::Unknown; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const auto output = music.SoundOutput();
    EXPECT_NE(output, CBackgndMusic::Output::Unknown);
    if (output == CBackgndMusic::Output::Available) {
        for (int i = 0; i < 200 && music.CurrentTrack().empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_NE(music.CurrentTrack().find(u"mainbackgnd.mid"), std::u16string::npos);
    } else {
        EXPECT_EQ(music.CurrentTrack(), u"");
    }
    music.Pause();
    music.Resume();
    music.Stop();
    music.Shutdown();
}

} // namespace
} // namespace kf
