// The music player's command slot and worker thread, with a recording back end in place of
// the synthesiser.
#include "games/backgndmusic.h"

#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace kf {
namespace {

using namespace std::chrono_literals;

// What the fake back end was asked to do, and on which thread; the test drives the ends of
// tracks and can hold the back end inside a call.
struct Recorder
{
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> calls;
    std::set<std::thread::id> threads;
    bool openResult = true;
    bool finished = false;
    bool holdPlay = false; // Play waits until released
    bool released = false;

    void Add(const std::string& call)
    {
        {
            std::lock_guard lock(mutex);
            calls.push_back(call);
            threads.insert(std::this_thread::get_id());
        }
        changed.notify_all();
    }
    // Waits (at most 3 s) until n calls were made; the calls so far.
    std::vector<std::string> WaitCalls(size_t n)
    {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, 3s, [&] { return calls.size() >= n; });
        return calls;
    }
    void EndTrack()
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    void Release()
    {
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        changed.notify_all();
    }
};

class FakeBackend : public MusicBackend
{
public:
    explicit FakeBackend(std::shared_ptr<Recorder> r) : m_r(std::move(r)) {}
    bool Open() override
    {
        m_r->Add("open");
        return m_r->openResult;
    }
    bool Play(const std::string& path) override
    {
        {
            std::unique_lock lock(m_r->mutex);
            m_r->finished = false;
            if (m_r->holdPlay)
                m_r->changed.wait(lock, [&] { return m_r->released; });
        }
        m_r->Add("play " + path.substr(path.rfind('/') + 1));
        return true;
    }
    void Stop() override { m_r->Add("stop"); }
    void Pause() override { m_r->Add("pause"); }
    void Resume() override { m_r->Add("resume"); }
    bool Finished() override
    {
        std::lock_guard lock(m_r->mutex);
        return m_r->finished;
    }
    void Close() override { m_r->Add("close"); }

private:
    std::shared_ptr<Recorder> m_r;
};

class BackgndMusicTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"mainbackgnd.mid", "bk1.mid", "BK2.MID", "bk3.mid", "other.mid", "bk.txt"})
            m_dir.Write(std::string("music/") + name, "MThd");
        m_dir.Write("music/bkfolder.mid/inner", "");
    }

    std::unique_ptr<CBackgndMusic> Make(CBackgndMusic::Timing timing = Fast())
    {
        auto music = std::make_unique<CBackgndMusic>(
            [r = m_rec] { return std::make_unique<FakeBackend>(r); }, timing);
        music->Initialize(m_dir.Folder());
        return music;
    }
    static CBackgndMusic::Timing Fast()
    {
        CBackgndMusic::Timing t;
        t.idleMs = 5;
        return t;
    }

    test::TempDir m_dir;
    std::shared_ptr<Recorder> m_rec = std::make_shared<Recorder>();
};

TEST_F(BackgndMusicTest, PlaylistIsTheBkTracksOfTheMusicFolder)
{
    auto music = Make();
    std::vector<std::string> names;
    for (const auto& t : music->Playlist())
        names.emplace_back(t.begin() + static_cast<std::ptrdiff_t>(t.rfind(u'\\') + 1), t.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bk1.mid", "BK2.MID", "bk3.mid"}));

    // A name alone is looked for in the music folder; a missing track is not added.
    EXPECT_TRUE(music->AddGameTrack(u"other.mid"));
    EXPECT_FALSE(music->AddGameTrack(u"missing.mid"));
    EXPECT_FALSE(music->AddTrack(u""));
    ASSERT_EQ(music->GamePlaylist().size(), 1u);
    music->ClearGamePlaylist();
    EXPECT_TRUE(music->GamePlaylist().empty());
}

TEST_F(BackgndMusicTest, CommandsRunInOrderOnThePlayerThread)
{
    auto music = Make();
    ASSERT_TRUE(music->PlayDeskMusic());
    music->Pause();
    music->Resume();
    music->Stop();
    const auto calls = m_rec->WaitCalls(5);
    EXPECT_EQ(calls, (std::vector<std::string>{"open", "play mainbackgnd.mid", "pause", "resume", "stop"}))
        << "the back end is opened once, when music is first asked for";
    music->Shutdown();
    EXPECT_EQ(m_rec->WaitCalls(6).back(), "close");
    std::lock_guard lock(m_rec->mutex);
    ASSERT_EQ(m_rec->threads.size(), 1u);
    EXPECT_NE(*m_rec->threads.begin(), std::this_thread::get_id());
}

TEST_F(BackgndMusicTest, DeskTrackLoopsAndPlaylistTracksChange)
{
    auto music = Make();
    ASSERT_TRUE(music->PlayDeskMusic());
    size_t n = m_rec->WaitCalls(2).size();
    m_rec->EndTrack();
    auto calls = m_rec->WaitCalls(n + 2);
    EXPECT_EQ(calls.back(), "play mainbackgnd.mid"); // the desk's tune again

    ASSERT_TRUE(music->Play());
    calls = m_rec->WaitCalls(calls.size() + 1);
    std::string last = calls.back();
    EXPECT_EQ(last.rfind("play bk", 0) == 0 || last == "play BK2.MID", true) << last;
    for (int i = 0; i < 12; ++i) {
        m_rec->EndTrack();
        calls = m_rec->WaitCalls(calls.size() + 2);
        ASSERT_EQ(calls[calls.size() - 2], "stop");
        EXPECT_NE(calls.back(), last) << "the same track twice running";
        EXPECT_TRUE(calls.back() == "play bk1.mid" || calls.back() == "play BK2.MID" || calls.back() == "play bk3.mid")
            << calls.back();
        last = calls.back();
    }
    EXPECT_NE(music->CurrentTrack().find(u"music"), std::u16string::npos);

    // A game's own tracks come first.
    ASSERT_TRUE(music->AddGameTrack(u"other.mid"));
    ASSERT_TRUE(music->Play());
    calls = m_rec->WaitCalls(calls.size() + 1);
    EXPECT_EQ(calls.back(), "play other.mid");
    m_rec->EndTrack();
    calls = m_rec->WaitCalls(calls.size() + 2);
    EXPECT_EQ(calls.back(), "play other.mid"); // the only one it has
}

TEST_F(BackgndMusicTest, SwitchesStopAndRestartTheMusic)
{
    auto music = Make();
    ASSERT_TRUE(music->PlayDeskMusic());
    size_t n = m_rec->WaitCalls(2).size();
    music->SetAllowed(true, false); // the sound switch
    EXPECT_EQ(m_rec->WaitCalls(n + 1).back(), "stop");
    EXPECT_FALSE(music->PlayDeskMusic());
    EXPECT_FALSE(music->Play());
    music->SetAllowed(false, true);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(m_rec->WaitCalls(0).size(), n + 1) << "nothing plays while music is off";
    music->SetAllowed(true, true); // what was asked for last comes back: the playlist
    const auto calls = m_rec->WaitCalls(n + 2);
    EXPECT_TRUE(calls.back().rfind("play ", 0) == 0 && calls.back() != "play mainbackgnd.mid") << calls.back();

    // Stopped music stays stopped when the switch goes off and on again.
    music->Stop();
    m_rec->WaitCalls(n + 3);
    music->SetAllowed(false, false);
    music->SetAllowed(true, true);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(m_rec->WaitCalls(0).size(), n + 4);
}

TEST_F(BackgndMusicTest, NoSoundOutputMeansSilence)
{
    m_rec->openResult = false;
    auto music = Make();
    EXPECT_EQ(music->SoundOutput(), CBackgndMusic::Output::Unknown);
    ASSERT_TRUE(music->PlayDeskMusic());
    m_rec->WaitCalls(1);
    for (int i = 0; i < 100 && music->SoundOutput() == CBackgndMusic::Output::Unknown; ++i)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(music->SoundOutput(), CBackgndMusic::Output::Unavailable);
    music->Play();
    music->Pause();
    music->Stop();
    music->Shutdown();
    EXPECT_EQ(m_rec->WaitCalls(0), (std::vector<std::string>{"open"})) << "one try, then silence";
    EXPECT_EQ(music->CurrentTrack(), u"");
}

TEST_F(BackgndMusicTest, AStuckBackEndCostsTheCallerOnlyThePoll)
{
    CBackgndMusic::Timing t = Fast();
    t.pollMs = 2;
    t.maxPolls = 20;
    t.quitWaitMs = 100;
    m_rec->holdPlay = true;
    auto music = Make(t);
    ASSERT_TRUE(music->PlayDeskMusic()); // the worker now hangs in Play
    m_rec->WaitCalls(1);
    std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(music->Play()) << "the slot is still full: the command is dropped";
    music->Shutdown(); // leaves the stuck thread behind, with the state it needs
    music.reset();
    m_rec->Release();
    // Freed, the old thread plays its track and then finds quit in the slot.
    const auto calls = m_rec->WaitCalls(3);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1], "play mainbackgnd.mid");
    EXPECT_EQ(calls.back(), "close");
}

TEST(AutoResetEvent, WakesOneWaitAndResets)
{
    AutoResetEvent e(CBackgndMusic::kEventName);
    EXPECT_EQ(e.Name(), "PLAY_MUSIC");
    EXPECT_FALSE(e.WaitFor(1ms));
    e.Set();
    e.Set(); // two signals before a wait count once
    EXPECT_TRUE(e.WaitFor(1ms));
    EXPECT_FALSE(e.WaitFor(1ms));
    std::thread t([&] { e.Set(); });
    EXPECT_TRUE(e.WaitFor(2s));
    t.join();
}

} // namespace
} // namespace kf
