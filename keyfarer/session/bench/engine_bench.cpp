// Figures of the exercise engine's hot paths:
//   BM_Keystroke      one keystroke through JudgeKey, RecordKeyDelay, RefreshStatistics and
//                     the panel's figures on a 24,000-character sample (ns per keystroke);
//   BM_PhaseText      a 24,000-character phase text over the keys of the US layout (ms per text);
//   BM_SentenceText   a 24,000-character sentence text of a shipped lesson body (ms per text).
// The dictionaries, layout and lesson body come from the staged tree (build keyfarer_stage
// first).
#include "content/keyboardlayout.h"
#include "platform/random.h"
#include "session/exercisekind.h"
#include "session/localexercisedata.h"
#include "session/paradigmpump.h"
#include "session/typingfigures.h"
#include "session/typingstatistics.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

namespace kf {
namespace {

namespace fs = std::filesystem;

std::u16string Sample24000()
{
    const std::u16string words = u"The quick brown fox jumps over the lazy dog; pack my box with five dozen liquor jugs.\r";
    std::u16string text;
    while (text.size() < CParadigmPump::kMaxLength)
        text += words;
    text.resize(CParadigmPump::kMaxLength);
    return text;
}

void BM_Keystroke(benchmark::State& state)
{
    CParadigmPump engine;
    TypingStatistics stats;
    const std::u16string sample = Sample24000();
    const auto restart = [&] {
        engine.InstallText(sample, kind::kTest, -1);
        stats.PrepareExercise(engine.Sample(), false);
    };
    restart();
    StatisticsInput in;
    in.mode = desk_mode::kTest;
    in.kind = kind::kTest;
    in.pass = 60;
    in.fullmark = 180;
    uint32_t n = 0;
    for (auto _ : state) {
        char16_t ch = 0;
        engine.ExpectedCharacter(ch);
        // Every 17th keystroke is wrong, as a learner's would be.
        if (++n % 17 == 0)
            ch = u'#';
        char16_t expected = 0;
        uint32_t position = 0;
        bool error = false;
        const JudgeResult r = engine.JudgeKey(ch, expected, position, error);
        stats.RecordKeyDelay(ch, expected, in.mode, engine.AllowErrorKey());
        in.totalHits = engine.Position();
        in.correctHits = engine.Correct();
        in.elapsedMs = 1000 + n;
        const auto block = stats.RefreshStatistics(in);
        benchmark::DoNotOptimize(ComputePanelFigures(*block, 5));
        if (r == JudgeResult::Complete) {
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Keystroke);

// A data folder with the shipped dictionaries and a course whose lessons ask for as much text
// as they are given (the shipped lessons fix their sizes at 128 to 1024 characters): lesson 0
// has every phase over the letter, digit and punctuation keys of the US layout, lesson 1 is
// made of the sentences of a shipped lesson body.
class BenchData
{
public:
    BenchData()
    {
        char templ[] = "/tmp/kfbench-XXXXXX";
        if (!::mkdtemp(templ))
            return;
        m_dir = templ;
        const fs::path stage = fs::path(KF_STAGE_DIR) / "Data";
        std::error_code ec;
        fs::create_directories(m_dir / "Tutorial" / "Bench", ec);
        fs::copy(stage / "Dict", m_dir / "Dict", fs::copy_options::recursive, ec);
        fs::copy_file(stage / "KBLayout" / "US.kbl", m_dir / "US.kbl", ec);
        fs::copy_file(stage / "Tutorial" / "English" / "TouchTyping" / "passage.txt",
                      m_dir / "Tutorial" / "Bench" / "body.txt", ec);
        std::string keys;
        for (int i = 1; i <= 51; ++i)
            if (i != 13 && i != 14 && i != 15 && i != 28 && i != 29 && i != 41)
                keys += std::to_string(i) + " ";
        keys.pop_back();
        const std::string course = "[Header]\r\nTag=KBTRAIN\r\nName=Bench\r\nLessonCount=2\r\n"
                                   "[Lesson_0]\r\nName=All keys\r\nPracticePhaseType=31\r\nAllowShift=1\r\n"
                                   "NoEnterKey=0\r\nWordSize=0\r\nWordRepeat=0\r\nGenerateType=2\r\n"
                                   "ContentSize=9\r\nKeyIndex=" + keys + "\r\n"
                                   "[Lesson_1]\r\nName=Sentences\r\nType=3\r\nPracticePhaseType=32\r\n"
                                   "ExtraFile=Bench\\body.txt\r\nContentSize=9\r\n";
        std::ofstream(m_dir / "Tutorial" / "Bench" / "bench.btf", std::ios::binary) << course;
        m_ok = fs::exists(m_dir / "Dict" / "dictionary.txt") && fs::exists(m_dir / "US.kbl") &&
               fs::exists(m_dir / "Tutorial" / "Bench" / "body.txt");
    }
    ~BenchData()
    {
        std::error_code ec;
        if (!m_dir.empty())
            fs::remove_all(m_dir, ec);
    }
    bool Ok() const { return m_ok; }
    std::u16string Folder() const { return m_dir.u16string() + u"/"; }
    fs::path Path() const { return m_dir; }

private:
    fs::path m_dir;
    bool m_ok = false;
};

void GenerateBenchmark(benchmark::State& state, int32_t lesson)
{
    BenchData dir;
    if (!dir.Ok()) {
        state.SkipWithError("the staged tree has no dictionary, US layout or lesson body: build keyfarer_stage");
        return;
    }
    LocalExerciseData data(dir.Folder());
    CParadigmPump engine(&data);
    std::ifstream kbl(dir.Path() / "US.kbl", std::ios::binary);
    const Bytes image((std::istreambuf_iterator<char>(kbl)), std::istreambuf_iterator<char>());
    CKeyboardLayout layout;
    bool standard = false;
    std::u16string courseLayout;
    if (!layout.LoadLayoutImage(image, true) || !engine.LoadCourse(u"Bench\\bench.btf", standard, courseLayout)) {
        state.SkipWithError("the bench course does not load");
        return;
    }
    engine.SetKeyTables(layout);
    SetFixedSeed(1);
    for (auto _ : state) {
        const bool made = lesson == 1 ? engine.MakeSentenceText(lesson, CParadigmPump::kMaxLength)
                                      : engine.MakePhaseText(lesson, CParadigmPump::kMaxLength);
        if (!made) {
            state.SkipWithError("the lesson gave no text");
            return;
        }
        benchmark::DoNotOptimize(engine.Sample().data());
    }
    state.counters["characters"] = engine.Length();
    SetFixedSeed(std::nullopt);
}

void BM_PhaseText(benchmark::State& state) { GenerateBenchmark(state, 0); }
void BM_SentenceText(benchmark::State& state) { GenerateBenchmark(state, 1); }
BENCHMARK(BM_PhaseText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SentenceText)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kf

BENCHMARK_MAIN();
