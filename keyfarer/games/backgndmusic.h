#pragma once

// CBackgndMusic: the background music of the typing desk and the games. The desk owns one
// for the whole run.
//
// Tracks. The global playlist is every "bk*.mid" of the installation's "music" folder, found
// by Initialize; a game fills the game playlist with its own tracks (ClearGamePlaylist,
// AddGameTrack). A track given by a path that does not exist is looked for as the
// installation folder + "music\" + the path; a track that still does not exist is not added.
//
// What the desk calls (all on the interface thread):
//   Initialize(installFolder)    at start-up: finds the playlist and starts the player thread
//   SetAllowed(allow, switchOn)  after login, after the options page and on the sound switch:
//                                "AllowBackgndMusic" and the desk's sound switch; music plays
//                                only when both are on. Turning it off stops the music;
//                                turning it on again restarts what was asked for last
//   PlayDeskMusic()              entering the desk: "music\mainbackgnd.mid" in a loop (the
//                                playlist at random when that file is missing)
//   Play()                       starting a game: a random track of the game playlist (of the
//                                global playlist when the game has none); when a track ends
//                                another random one follows, never the same twice running
//   Pause(), Resume()            while the program is inactive or a question is open
//   Stop()                       leaving the desk or the game
//   Shutdown()                   at exit (the destructor does it too)
// The player continues the music itself when a track ends, so the desk needs no completion
// notice. Where there is no sound output (no sound server, no device, no sound font) the
// first play finds out, SoundOutput() says Unavailable, and the music stays silently off;
// nothing waits on it for longer than the command slot's poll.
//
// Threads. A worker thread takes one command at a time from a single command slot that the
// interface thread fills, woken by the auto-reset event "PLAY_MUSIC"; it creates the back end
// and makes every call on it. Before filling the slot the interface thread waits until the
// previous command was taken, polling every 10 ms at most 200 times; a command that still
// finds the slot full is dropped (the worker is stuck in its back end). Shutdown posts quit
// and waits up to 2 seconds for the thread to end; a thread still running is left to end by
// itself, with its state kept alive until it does.

#include "games/autoresetevent.h"
#include "games/musicbackend.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kf {

// The waits of the music player's command slot and shutdown; tests shorten them.
struct MusicTiming
{
    int pollMs = 10;
    int maxPolls = 200;
    int quitWaitMs = 2000;
    // How often the worker looks whether the track has ended.
    int idleMs = 200;
};

class CBackgndMusic
{
public:
    using BackendFactory = std::function<std::unique_ptr<MusicBackend>()>;

    // The commands of the slot.
    enum class Command : int { None = 0, Play = 1, Stop = 2, Pause = 3, Resume = 4, Quit = 5 };
    enum class Output : int { Unknown = 0, Available = 1, Unavailable = 2 };

    using Timing = MusicTiming;

    static constexpr const char* kEventName = "PLAY_MUSIC";
    static constexpr const char16_t* kDeskTrack = u"mainbackgnd.mid";

    // factory makes the back end on the worker thread; empty: FluidSynth.
    explicit CBackgndMusic(BackendFactory factory = {}, Timing timing = {});
    ~CBackgndMusic();
    CBackgndMusic(const CBackgndMusic&) = delete;
    CBackgndMusic& operator=(const CBackgndMusic&) = delete;

    // installFolder: the stored path of the installation folder. Starts the player thread
    // (once); calling it again re-reads the playlist.
    void Initialize(std::u16string_view installFolder);
    void Shutdown();

    void SetAllowed(bool allowBackgndMusic, bool soundSwitchOn);
    bool Allowed() const { return m_allowBackgndMusic && m_soundSwitchOn; }
    // Whether the sound output works; Unknown until the first track was asked for.
    Output SoundOutput() const;

    // The global playlist.
    bool AddTrack(std::u16string_view path);
    const std::vector<std::u16string>& Playlist() const { return m_playlist; }
    // The active game's tracks (its AddMusic).
    void ClearGamePlaylist() { m_gamePlaylist.clear(); }
    bool AddGameTrack(std::u16string_view path);
    const std::vector<std::u16string>& GamePlaylist() const { return m_gamePlaylist; }

    // False when nothing was handed to the player (music not allowed, no track, the slot
    // stuck).
    bool PlayDeskMusic();
    bool Play();
    void Stop();
    void Pause();
    void Resume();

    // The stored path of the track that plays, empty when none does.
    std::u16string CurrentTrack() const;

    struct Shared; // the state the worker thread shares with the interface thread

private:
    enum class Wanted { Nothing, Desk, Playlist };

    // Resolves a track as AddTrack does; empty when it does not exist.
    std::u16string ResolveTrack(std::u16string_view path) const;
    bool Post(Command command, std::u16string track = {}, bool loop = false,
              std::vector<std::u16string> candidates = {});
    bool StartWanted();

    Timing m_timing;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
    std::u16string m_installFolder;
    std::vector<std::u16string> m_playlist;
    std::vector<std::u16string> m_gamePlaylist;
    bool m_allowBackgndMusic = true;
    bool m_soundSwitchOn = true;
    Wanted m_wanted = Wanted::Nothing;
};

} // namespace kf
