#include "midifile.h"
#include "tune.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <tuple>

namespace kf::midi {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<fs::path> ShippedTunes()
{
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(KF_MUSIC_SOURCES))
        if (e.path().extension() == ".tune")
            out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

// The notes of a track as (channel, key, start, end), every note-on paired with its note-off.
struct PlayedNote
{
    int channel, key;
    uint32_t start, end;
};
bool Pair(const MidiTrack& track, std::vector<PlayedNote>& notes)
{
    std::map<std::pair<int, int>, std::vector<uint32_t>> open;
    for (const MidiEvent& e : track.events) {
        const int ch = e.data[0] & 0x0F;
        if (e.IsNoteOn()) {
            open[{ch, e.data[1]}].push_back(e.tick);
        } else if (e.IsNoteOff()) {
            auto& starts = open[{ch, e.data[1]}];
            if (starts.empty())
                return false;
            notes.push_back({ch, e.data[1], starts.front(), e.tick});
            starts.erase(starts.begin());
        }
    }
    for (const auto& [key, starts] : open)
        if (!starts.empty())
            return false;
    return true;
}

TEST(ShippedMusic, EveryTuneWritesAFileThatReadsBackWhole)
{
    const auto tunes = ShippedTunes();
    ASSERT_GE(tunes.size(), 4u);
    std::set<std::string> files;
    double seconds = 0;
    for (const auto& path : tunes) {
        SCOPED_TRACE(path.filename().string());
        Tune tune;
        std::string error;
        ASSERT_TRUE(ParseTune(ReadText(path), tune, error)) << error;
        files.insert(tune.file);
        seconds += tune.Seconds();

        const Bytes bytes = RenderTune(tune).Write();
        MidiFile back;
        ASSERT_TRUE(MidiFile::Read(bytes, back, error)) << error;
        EXPECT_EQ(back.Write(), bytes); // read back, it writes the same bytes
        ASSERT_EQ(back.tracks.size(), tune.voices.size() + 1);
        EXPECT_EQ(back.ticksPerQuarter, Tune::kTicksPerQuarter);
        EXPECT_EQ(FirstTempo(back), 60000000u / static_cast<uint32_t>(tune.tempo));
        // Every track ends with the tune, so that a loop comes round in time.
        const uint32_t length = static_cast<uint32_t>(tune.Seconds() * tune.tempo / 60.0 * Tune::kTicksPerQuarter + 0.5);
        for (size_t t = 0; t < back.tracks.size(); ++t) {
            SCOPED_TRACE(t);
            const MidiTrack& track = back.tracks[t];
            ASSERT_FALSE(track.events.empty());
            EXPECT_TRUE(track.events.back().IsMeta(meta::kEndOfTrack));
            EXPECT_EQ(track.events.back().tick, length);
            std::vector<PlayedNote> notes;
            EXPECT_TRUE(Pair(track, notes));
            if (t == 0) {
                EXPECT_TRUE(notes.empty());
                continue;
            }
            EXPECT_GT(notes.size(), 16u) << "a voice that hardly plays";
            for (const auto& n : notes) {
                EXPECT_NE(n.channel, 9); // the drum channel
                EXPECT_LT(n.start, n.end);
                EXPECT_LE(n.end, length);
            }
        }
        EXPECT_GE(tune.Seconds(), 45.0);
        EXPECT_LE(tune.Seconds(), 180.0);
    }
    EXPECT_TRUE(files.count("mainbackgnd.mid"));
    EXPECT_GE(std::count_if(files.begin(), files.end(), [](const std::string& f) { return f.rfind("bk", 0) == 0; }), 3);
    EXPECT_GE(seconds, 240.0); // a few minutes of music in all
}

TEST(MidiFile, ReaderTakesRunningStatusAndRefusesBrokenFiles)
{
    // One track: note-on C4, running-status note-on with velocity 0 (a note-off), end.
    const Bytes good = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96,
                        'M', 'T', 'r', 'k', 0, 0, 0, 12,
                        0x00, 0x90, 60, 100, 0x60, 60, 0, 0x00, 0xFF, 0x2F, 0x00, 0x00};
    Bytes trimmed = good;
    trimmed[21] = 11; // the track length without the stray last byte
    trimmed.pop_back();
    MidiFile f;
    std::string error;
    ASSERT_TRUE(MidiFile::Read(trimmed, f, error)) << error;
    ASSERT_EQ(f.tracks.size(), 1u);
    ASSERT_EQ(f.tracks[0].events.size(), 3u);
    EXPECT_TRUE(f.tracks[0].events[1].IsNoteOff());
    EXPECT_EQ(f.tracks[0].events[1].tick, 96u);

    struct Case
    {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"events after the end", good},
        {"no header", Bytes{'M', 'T', 'r', 'k'}},
        {"length beyond the file", [&] { Bytes b = trimmed; b[21] = 40; return b; }()},
        {"no end of track", [&] { Bytes b = trimmed; b[21] = 7; b.resize(b.size() - 4); return b; }()},
        {"data without status", [&] { Bytes b = trimmed; b[23] = 0x3C; return b; }()},
        {"missing track", [&] { Bytes b = trimmed; b[11] = 2; return b; }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(MidiFile::Read(c.bytes, f, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(MidiFile, WriterSortsNotesAndRoundTrips)
{
    MidiFile f;
    MidiTrack t;
    t.events = {NoteOn(480, 0, 62, 80), NoteOff(960, 0, 62), NoteOff(480, 0, 60), NoteOn(0, 0, 60, 70),
                NoteOn(480, 0, 60, 70), NoteOff(960, 0, 60), ProgramChange(0, 0, 73)};
    f.tracks.push_back(t);
    MidiFile back;
    std::string error;
    ASSERT_TRUE(MidiFile::Read(f.Write(), back, error)) << error;
    const auto& e = back.tracks[0].events;
    ASSERT_EQ(e.size(), t.events.size() + 1);
    EXPECT_EQ(e[0].data[0], 0xC0); // the program before the first note
    // At tick 480 the note-off of C4 comes before the new strike of C4.
    EXPECT_EQ(e[2].tick, 480u);
    EXPECT_TRUE(e[2].IsNoteOff());
    EXPECT_EQ(e.back().tick, 960u);
    EXPECT_EQ(back.Write(), f.Write());
}

TEST(Tune, FaultsAreReportedWithTheirLine)
{
    const std::string head = "file x.mid\ntempo 90\nmeter 4/4\nvoice m\nvoice b style=bass range=36-50\n";
    struct Case
    {
        std::string body;
        std::string reason;
    };
    const Case cases[] = {
        {"section A\nchords C\nm c4:2 d4:4\nend\nform A\n", "line 8: m bar 1: the notes last 1440"},
        {"section A\nchords C | H7\nend\nform A\n", "line 7: chord bar 2: \"H7\" is not a chord"},
        {"section A\nchords C:2 G:3\nend\nform A\n", "do not fill the bar"},
        {"section A\nchords C\nm x4:1\nend\nform A\n", "\"x4\" is not a note"},
        {"section A\nchords C\nm c4:3\nend\nform A\n", "\"3\" is not a length"},
        {"section A\nchords C\nq c4:1\nend\nform A\n", "unknown voice \"q\""},
        {"section A\nchords C\nm c4:1 | c4:1\nend\nform A\n", "voice m lasts 2 bars, the chords 1"},
        {"section A\nchords C\nend\nform A B\n", "unknown section B"},
        {"section A\nchords C\nend\n", "no form"},
        {"voice d channel=9\n", "channel out of range"},
        {"section A\nchords C\n", "has no end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        Tune tune;
        std::string error;
        EXPECT_FALSE(ParseTune(head + c.body, tune, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
}

TEST(Tune, NotesChordsAndStyles)
{
    const std::string text = "file t.mid\ntempo 60\nmeter 4/4\n"
                             "voice m program=73\n"
                             "voice b style=bass range=36-50\n"
                             "voice p style=pad range=55-72\n"
                             "section A\n"
                             "chords C | F G7:2\n"
                             "m  f c4:4 e4:8 g4:8 [c5 e5]:2 | bb3:2+8 f#4:8 r:4\n"
                             "end\nform A A\n";
    Tune tune;
    std::string error;
    ASSERT_TRUE(ParseTune(text, tune, error)) << error;
    EXPECT_DOUBLE_EQ(tune.Seconds(), 16.0);
    const MidiFile file = RenderTune(tune);
    std::vector<PlayedNote> melody, bass, pad;
    ASSERT_TRUE(Pair(file.tracks[1], melody));
    ASSERT_TRUE(Pair(file.tracks[2], bass));
    ASSERT_TRUE(Pair(file.tracks[3], pad));

    // Written notes, twice through the form: C4 E4 G4, C5 and E5 together, Bb3, F#4.
    std::vector<std::tuple<int, uint32_t>> keys;
    for (const auto& n : melody)
        keys.emplace_back(n.key, n.start);
    const std::vector<std::tuple<int, uint32_t>> first = {{60, 0}, {64, 480}, {67, 720}, {72, 960}, {76, 960},
                                                          {58, 1920}, {66, 3120}};
    ASSERT_EQ(keys.size(), 2 * first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(keys[i], first[i]);
        EXPECT_EQ(std::get<1>(keys[i + first.size()]), std::get<1>(first[i]) + 3840);
    }
    EXPECT_EQ(melody[5].end - melody[5].start, 960u + 240u - 12u); // tied, less the breath

    // The bass: root and fifth in a whole bar of C, the roots of F and G7 in the second.
    std::vector<int> bassKeys;
    for (size_t i = 0; i < 4; ++i)
        bassKeys.push_back(bass[i].key);
    EXPECT_EQ(bassKeys, (std::vector<int>{36, 43, 41, 43}));

    // The pad moves to the nearest voicing: C (C E G) to F keeps C, G7 keeps its B, D, F near.
    std::map<uint32_t, std::vector<int>> chords;
    for (const auto& n : pad)
        chords[n.start].push_back(n.key);
    for (auto& [t, k] : chords)
        std::sort(k.begin(), k.end());
    EXPECT_EQ(chords[1920], (std::vector<int>{60, 65, 69}));
    ASSERT_EQ(chords[2880].size(), 4u);
    for (int k : chords[2880])
        EXPECT_TRUE(k % 12 == 7 || k % 12 == 11 || k % 12 == 2 || k % 12 == 5) << k;
    for (const auto& [t, k] : chords)
        for (int key : k)
            EXPECT_TRUE(key >= 55 && key <= 72) << key;
}

TEST(Tune, VoiceChordStaysInRangeAndMovesLittle)
{
    TuneChord c;
    c.root = 0;
    c.intervals = {0, 4, 7};
    const std::vector<int> first = VoiceChord(c, 55, 72, {});
    ASSERT_EQ(first.size(), 3u);
    TuneChord a;
    a.root = 9;
    a.intervals = {0, 3, 7, 10}; // Am7
    const std::vector<int> next = VoiceChord(a, 55, 72, first);
    ASSERT_EQ(next.size(), 4u);
    int moved = 0;
    for (size_t i = 0; i < 3; ++i)
        moved += std::abs(next[i] - first[i]);
    EXPECT_LE(moved, 6) << "C to Am7 keeps C, E and G where they are";
    for (int k : next)
        EXPECT_TRUE(k >= 55 && k <= 72);
}

} // namespace
} // namespace kf::midi
