#include "games/backgndmusic.h"

#include "games/fluidsynthmusic.h"
#include "platform/clock.h"
#include "platform/path.h"
#include "platform/random.h"
#include "platform/utf.h"

#include <chrono>
#include <mutex>

namespace kf {

struct CBackgndMusic::Shared
{
    explicit Shared(BackendFactory f, Timing t) : factory(std::move(f)), timing(t) {}

    AutoResetEvent event{CBackgndMusic::kEventName};
    std::atomic<int> command{static_cast<int>(Command::None)};
    BackendFactory factory;
    const Timing timing;

    // The file-name buffer of the slot and what plays; guarded by mutex.
    std::mutex mutex;
    std::u16string track;                 // the track of a play command
    bool loop = false;                    // play it again when it ends
    std::vector<std::u16string> candidates; // otherwise the next comes from these
    std::u16string current;

    std::atomic<int> output{static_cast<int>(Output::Unknown)};

    std::mutex endMutex;
    std::condition_variable endCv;
    bool ended = false;
};

namespace {

using Shared = CBackgndMusic::Shared;
using Command = CBackgndMusic::Command;
using Output = CBackgndMusic::Output;

bool IsPlaylistName(std::u16string_view name)
{
    return name.size() > 6 && EqualsNoCase(name.substr(0, 2), u"bk") &&
           EqualsNoCase(name.substr(name.size() - 4), u".mid");
}

// The worker: one command per signal of the event, and between commands a look whether the
// track has ended, upon which the next one starts.
void RunPlayer(std::shared_ptr<Shared> s)
{
    std::unique_ptr<MusicBackend> backend;
    bool playing = false;
    bool paused = false;
    std::u16string track;
    bool loop = false;
    std::vector<std::u16string> candidates;
    // The worker's own generator: the program's shared one belongs to the interface thread.
    Lcg15 random(static_cast<uint32_t>(SecondsSince1970()) ^ 0x5bd1e995u);

    const auto ready = [&] {
        if (backend)
            return true;
        if (s->output.load() == static_cast<int>(Output::Unavailable))
            return false;
        backend = s->factory ? s->factory() : MakeFluidSynthBackend();
        if (!backend || !backend->Open()) {
            backend.reset();
            s->output = static_cast<int>(Output::Unavailable);
            return false;
        }
        s->output = static_cast<int>(Output::Available);
        return true;
    };
    const auto setCurrent = [&](const std::u16string& t) {
        std::lock_guard lock(s->mutex);
        s->current = t;
    };
    const auto start = [&](const std::u16string& t) {
        playing = ready() && backend->Play(NativePath(t));
        paused = false;
        track = t;
        setCurrent(playing ? t : std::u16string());
    };

    for (;;) {
        s->event.WaitFor(std::chrono::milliseconds(s->timing.idleMs));
        const auto command = static_cast<Command>(s->command.load());
        switch (command) {
        case Command::None:
            break;
        case Command::Play: {
            std::u16string next;
            {
                std::lock_guard lock(s->mutex);
                next = s->track;
                loop = s->loop;
                candidates = s->candidates;
            }
            start(next);
            break;
        }
        case Command::Stop:
            if (backend)
                backend->Stop();
            playing = paused = false;
            setCurrent({});
            break;
        case Command::Pause:
            if (playing && !paused) {
                backend->Pause();
                paused = true;
            }
            break;
        case Command::Resume:
            if (playing && paused) {
                backend->Resume();
                paused = false;
            }
            break;
        case Command::Quit:
            if (backend)
                backend->Close();
            backend.reset();
            {
                std::lock_guard lock(s->endMutex);
                s->ended = true;
            }
            s->endCv.notify_all();
            return;
        }
        // Clears the slot unless quit was put there while this command ran.
        int taken = static_cast<int>(command);
        if (command != Command::None)
            s->command.compare_exchange_strong(taken, static_cast<int>(Command::None));

        if (playing && !paused && backend->Finished()) {
            std::u16string next = track;
            if (!loop && !candidates.empty()) {
                // Another track when there is one to choose.
                const size_t n = candidates.size();
                size_t pick = static_cast<size_t>(random.Below(static_cast<int>(n)));
                if (n > 1 && candidates[pick] == track)
                    pick = (pick + 1 + static_cast<size_t>(random.Below(static_cast<int>(n - 1)))) % n;
                next = candidates[pick];
            }
            backend->Stop();
            start(next);
        }
    }
}

} // namespace

CBackgndMusic::CBackgndMusic(BackendFactory factory, Timing timing)
    : m_timing(timing), m_shared(std::make_shared<Shared>(std::move(factory), timing))
{
}

CBackgndMusic::~CBackgndMusic() { Shutdown(); }

void CBackgndMusic::Initialize(std::u16string_view installFolder)
{
    m_installFolder = WithTrailingSeparator(installFolder);
    m_playlist.clear();
    std::vector<DirEntry> entries;
    if (ListDirectory(m_installFolder + u"music", entries))
        for (const DirEntry& e : entries)
            if (!e.isDirectory && IsPlaylistName(e.name))
                AddTrack(m_installFolder + u"music\\" + e.name);
    if (!m_thread.joinable())
        m_thread = std::thread(RunPlayer, m_shared);
}

void CBackgndMusic::Shutdown()
{
    if (!m_thread.joinable())
        return;
    Post(Command::Quit);
    std::unique_lock lock(m_shared->endMutex);
    const bool ended = m_shared->endCv.wait_for(lock, std::chrono::milliseconds(m_timing.quitWaitMs),
                                                [this] { return m_shared->ended; });
    lock.unlock();
    if (ended)
        m_thread.join();
    else
        m_thread.detach(); // it holds its own reference to the shared state
    // A later Initialize starts a fresh player.
    m_shared = std::make_shared<Shared>(m_shared->factory, m_timing);
}

void CBackgndMusic::SetAllowed(bool allowBackgndMusic, bool soundSwitchOn)
{
    const bool before = Allowed();
    m_allowBackgndMusic = allowBackgndMusic;
    m_soundSwitchOn = soundSwitchOn;
    if (before && !Allowed())
        Post(Command::Stop);
    else if (!before && Allowed())
        StartWanted();
}

CBackgndMusic::Output CBackgndMusic::SoundOutput() const
{
    return static_cast<Output>(m_shared->output.load());
}

std::u16string CBackgndMusic::ResolveTrack(std::u16string_view path) const
{
    if (path.empty())
        return {};
    if (FileExists(path))
        return std::u16string(path);
    std::u16string inMusic = m_installFolder + u"music\\" + std::u16string(path);
    if (!m_installFolder.empty() && FileExists(inMusic))
        return inMusic;
    return {};
}

bool CBackgndMusic::AddTrack(std::u16string_view path)
{
    std::u16string track = ResolveTrack(path);
    if (track.empty())
        return false;
    m_playlist.push_back(std::move(track));
    return true;
}

bool CBackgndMusic::AddGameTrack(std::u16string_view path)
{
    std::u16string track = ResolveTrack(path);
    if (track.empty())
        return false;
    m_gamePlaylist.push_back(std::move(track));
    return true;
}

bool CBackgndMusic::PlayDeskMusic()
{
    m_wanted = Wanted::Desk;
    return StartWanted();
}

bool CBackgndMusic::Play()
{
    m_wanted = Wanted::Playlist;
    return StartWanted();
}

bool CBackgndMusic::StartWanted()
{
    if (!Allowed() || m_wanted == Wanted::Nothing)
        return false;
    if (m_wanted == Wanted::Desk) {
        const std::u16string desk = ResolveTrack(kDeskTrack);
        if (!desk.empty())
            return Post(Command::Play, desk, true);
    }
    const std::vector<std::u16string>& list = m_gamePlaylist.empty() ? m_playlist : m_gamePlaylist;
    if (list.empty())
        return false;
    ReseedFromClock();
    const std::u16string& track = list[static_cast<size_t>(RandomBelow(static_cast<int>(list.size())))];
    return Post(Command::Play, track, false, list);
}

void CBackgndMusic::Stop()
{
    m_wanted = Wanted::Nothing;
    Post(Command::Stop);
}

void CBackgndMusic::Pause() { Post(Command::Pause); }

void CBackgndMusic::Resume() { Post(Command::Resume); }

std::u16string CBackgndMusic::CurrentTrack() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->current;
}

bool CBackgndMusic::Post(Command command, std::u16string track, bool loop, std::vector<std::u16string> candidates)
{
    if (!m_thread.joinable())
        return false;
    Shared& s = *m_shared;
    for (int i = 0; i < m_timing.maxPolls && s.command.load() != static_cast<int>(Command::None); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_timing.pollMs));
    // A worker that has not taken the last command is stuck in its back end; quit is still
    // left for it to find when it comes back.
    if (s.command.load() != static_cast<int>(Command::None) && command != Command::Quit)
        return false;
    {
        std::lock_guard lock(s.mutex);
        s.track = std::move(track);
        s.loop = loop;
        s.candidates = std::move(candidates);
    }
    s.command = static_cast<int>(command);
    s.event.Set();
    return true;
}

} // namespace kf
