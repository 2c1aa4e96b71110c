#include "games/fluidsynthmusic.h"

#include "platform/path.h"
#include "platform/utf.h"

#include <fluidsynth.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

namespace kf {
namespace {

// The synthesiser's own loudness: FluidSynth's default (0.2) leaves a General MIDI font far
// below the interface sounds; this keeps the music in the background without clipping.
constexpr double kGain = 0.6;

void QuietLog(int, const char*, void*) {}

// FluidSynth reports a missing sound server or device on the terminal; the player treats
// that as "no music", so the messages are only noise.
void QuietLogs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, QuietLog, nullptr);
    });
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// A Standard MIDI File header and a first track chunk that fits the file: FluidSynth only
// looks at the first four bytes and fails later, on its own thread, where nobody hears it.
bool LooksLikeMidi(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    uint8_t b[22] = {};
    if (!in.read(reinterpret_cast<char*>(b), sizeof b))
        return false;
    in.seekg(0, std::ios::end);
    const auto size = static_cast<uint64_t>(in.tellg());
    const auto u32 = [&](size_t at) {
        return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
    };
    const unsigned format = (b[8] << 8) | b[9];
    const unsigned tracks = (b[10] << 8) | b[11];
    return std::memcmp(b, "MThd", 4) == 0 && u32(4) == 6 && format <= 2 && tracks >= 1 &&
           std::memcmp(b + 14, "MTrk", 4) == 0 && u32(18) <= size - 22;
}

class FluidSynthBackend final : public MusicBackend
{
public:
    explicit FluidSynthBackend(std::string soundFont) : m_soundFont(std::move(soundFont)) {}
    ~FluidSynthBackend() override { Close(); }

    bool Open() override
    {
        Close();
        QuietLogs();
        if (m_soundFont.empty())
            m_soundFont = FindSoundFont();
        if (!Exists(m_soundFont))
            return false;
        m_settings = new_fluid_settings();
        if (!m_settings)
            return false;
        fluid_settings_setnum(m_settings, "synth.gain", kGain);
        fluid_settings_setint(m_settings, "synth.lock-memory", 0);
        // Each track sets its programs and controllers itself; a reset would cut the last
        // sound of the track before.
        fluid_settings_setint(m_settings, "player.reset-synth", 0);
        m_synth = new_fluid_synth(m_settings);
        if (!m_synth) {
            Close();
            return false;
        }
        // The desktop's sound server first; a bare sound card only when no server answers.
        for (const char* driver : {"pulseaudio", "pipewire", "alsa"}) {
            // Without sound devices the ALSA library only prints its failure on the terminal.
            std::error_code ec;
            if (std::strcmp(driver, "alsa") == 0 && !std::filesystem::exists("/dev/snd", ec))
                continue;
            if (fluid_settings_setstr(m_settings, "audio.driver", driver) != FLUID_OK)
                continue;
            m_driver = new_fluid_audio_driver(m_settings, m_synth);
            if (m_driver)
                break;
        }
        if (!m_driver || fluid_synth_sfload(m_synth, m_soundFont.c_str(), 1) == FLUID_FAILED) {
            Close();
            return false;
        }
        return true;
    }

    bool Play(const std::string& path) override
    {
        Stop();
        if (!m_synth || !LooksLikeMidi(path))
            return false;
        m_player = new_fluid_player(m_synth);
        if (!m_player)
            return false;
        if (fluid_player_add(m_player, path.c_str()) != FLUID_OK || fluid_player_play(m_player) != FLUID_OK) {
            Stop();
            return false;
        }
        return true;
    }

    void Stop() override
    {
        // A track that played to its end has released its notes: their last sound rings on
        // into the next track instead of being cut.
        const bool ended = Finished();
        m_paused = false;
        if (m_player) {
            fluid_player_stop(m_player);
            fluid_player_join(m_player);
            delete_fluid_player(m_player);
            m_player = nullptr;
        }
        if (m_synth && !ended)
            fluid_synth_all_sounds_off(m_synth, -1);
    }

    void Pause() override
    {
        if (!m_player || m_paused)
            return;
        fluid_player_stop(m_player); // keeps its place
        fluid_synth_all_notes_off(m_synth, -1);
        m_paused = true;
    }

    void Resume() override
    {
        if (!m_player || !m_paused)
            return;
        fluid_player_play(m_player);
        m_paused = false;
    }

    bool Finished() override
    {
        if (!m_player || m_paused)
            return false;
        if (fluid_player_get_status(m_player) == FLUID_PLAYER_DONE)
            return true;
        // The player itself waits for the last notes to die away, seconds after the music;
        // the next track (or the loop) starts at the end of the music instead, and the last
        // notes ring on over it.
        const int total = fluid_player_get_total_ticks(m_player);
        return total > 0 && fluid_player_get_current_tick(m_player) >= total;
    }

    void Close() override
    {
        Stop();
        if (m_driver)
            delete_fluid_audio_driver(m_driver);
        if (m_synth)
            delete_fluid_synth(m_synth);
        if (m_settings)
            delete_fluid_settings(m_settings);
        m_driver = nullptr;
        m_synth = nullptr;
        m_settings = nullptr;
    }

private:
    std::string m_soundFont;
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    fluid_audio_driver_t* m_driver = nullptr;
    fluid_player_t* m_player = nullptr;
    bool m_paused = false;
};

} // namespace

std::string FindSoundFont(std::u16string_view installFolder)
{
    if (const char* env = std::getenv("KEYFARER_SOUNDFONT"); env && Exists(env))
        return env;
    if (!installFolder.empty()) {
        const std::u16string music = WithTrailingSeparator(installFolder) + u"music\\";
        std::vector<DirEntry> entries;
        if (ListDirectory(music, entries)) {
            for (const DirEntry& e : entries) {
                const std::u16string& n = e.name;
                if (!e.isDirectory && n.size() > 4 && EqualsNoCase(std::u16string_view(n).substr(n.size() - 4), u".sf2"))
                    return NativePath(music + n);
            }
        }
    }
    for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                             "/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/soundfonts/default.sf2"})
        if (Exists(path))
            return path;
    return {};
}

std::unique_ptr<MusicBackend> MakeFluidSynthBackend(std::string soundFont)
{
    return std::make_unique<FluidSynthBackend>(std::move(soundFont));
}

bool RenderMidiToWav(const std::string& midiPath, const std::string& soundFont, const std::string& wavPath,
                     double maxSeconds)
{
    QuietLogs();
    if (!Exists(soundFont) || !LooksLikeMidi(midiPath))
        return false;
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings)
        return false;
    fluid_settings_setstr(settings, "audio.file.name", wavPath.c_str());
    fluid_settings_setstr(settings, "audio.file.type", "wav");
    fluid_settings_setstr(settings, "audio.file.format", "s16");
    fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);
    fluid_settings_setnum(settings, "synth.gain", kGain);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // The player follows the rendered samples, not the wall clock, so rendering runs as fast
    // as the machine allows.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    bool ok = false;
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = nullptr;
    fluid_file_renderer_t* renderer = nullptr;
    if (synth && fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED) {
        player = new_fluid_player(synth);
        if (player && fluid_player_add(player, midiPath.c_str()) == FLUID_OK && fluid_player_play(player) == FLUID_OK)
            renderer = new_fluid_file_renderer(synth);
    }
    if (renderer) {
        int period = 64;
        fluid_settings_getint(settings, "audio.period-size", &period);
        const long blocks = static_cast<long>(maxSeconds * 44100.0 / (period > 0 ? period : 64));
        ok = true;
        for (long i = 0; i < blocks && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING; ++i) {
            if (fluid_file_renderer_process_block(renderer) != FLUID_OK) {
                ok = false;
                break;
            }
        }
        delete_fluid_file_renderer(renderer); // closes the file
        ok = ok && Exists(wavPath);
        if (!ok) {
            std::error_code ec;
            std::filesystem::remove(wavPath, ec);
        }
    }
    if (player) {
        fluid_player_stop(player);
        delete_fluid_player(player);
    }
    if (synth)
        delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return ok;
}

} // namespace kf
