// The cost of one keystroke on the typing views, repaint included, on a 24,000-character
// exercise: the engine judges the key, the standard view moves its caret (turning pages
// without animation at their ends), the keyboard marks the next key, and the update requests
// they posted are delivered as the event loop would, painting the changed parts. Each iteration is
// one keystroke; the counters give the median, the 99th percentile and the worst keystroke in
// microseconds.
//
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bench/kf_standview_bench

#include "keyboard/ui/typingkeyboard.h"
#include "session/exercisekind.h"
#include "session/paradigmpump.h"
#include "session/ui/standview.h"
#include "skin/typingaspect.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

using namespace kf;

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "kf_standview_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return app;
}

const CTypingAspect& Look()
{
    static CTypingAspect look;
    static bool loaded = look.Init(u"" KF_STAGE_DIR "/");
    (void)loaded;
    return look;
}

std::u16string TestText()
{
    const std::u16string words[] = {u"keyboard", u"practice", u"steady",   u"rhythm", u"finger",
                                    u"home",     u"row",      u"accuracy", u"speed",  u"before",
                                    u"lesson",   u"typing",   u"Every",    u"word,",  u"counts."};
    std::u16string text;
    size_t i = 0;
    while (text.size() < CParadigmPump::kMaxLength) {
        text += words[(i * 7 + i / 3) % std::size(words)];
        text += (++i % 13 == 0) ? u'\r' : u' ';
    }
    text.resize(CParadigmPump::kMaxLength);
    return text;
}

// Microseconds of processor time this thread has used: on a busy machine the wall clock
// also counts the time other processes had the processor.
double ThreadCpuMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// One keystroke's wall and processor time.
struct Sample
{
    std::chrono::steady_clock::time_point wall;
    double cpu;
    static Sample Now() { return {std::chrono::steady_clock::now(), ThreadCpuMicroseconds()}; }
};

struct Timings
{
    std::vector<double> wall;
    std::vector<double> cpu;
    void Add(const Sample& start)
    {
        const Sample end = Sample::Now();
        wall.push_back(std::chrono::duration<double, std::micro>(end.wall - start.wall).count());
        cpu.push_back(end.cpu - start.cpu);
    }
};

void Percentiles(benchmark::State& state, Timings& t)
{
    auto report = [&](std::vector<double>& us, const std::string& prefix) {
        if (us.empty())
            return;
        std::sort(us.begin(), us.end());
        auto at = [&](double q) { return us[std::min(us.size() - 1, size_t(q * us.size()))]; };
        state.counters[prefix + "p50_us"] = at(0.50);
        state.counters[prefix + "p99_us"] = at(0.99);
        state.counters[prefix + "max_us"] = us.back();
    };
    report(t.wall, "");
    report(t.cpu, "cpu_");
}

// args: 0 overlay (a test), 1 two rows, 2 a lesson with the pointer caret and labels.
void BM_Keystroke(benchmark::State& state)
{
    App();
    const int variant = int(state.range(0));
    CParadigmPump pump;
    const std::u16string text = TestText();
    pump.InstallText(text, variant == 2 ? kind::kLesson : kind::kTest, -1);

    CStandView view(&Look());
    view.resize(476, 238);
    view.SetPageTurnAnimation(false);
    StandViewOptions options;
    options.doubleLineView = variant == 1;
    StandViewContext context;
    context.deskMode = variant == 2 ? desk_mode::kLesson : desk_mode::kTest;
    context.kind = variant == 2 ? kind::kLesson : kind::kTest;
    view.ApplyOptions(options, context);
    view.show();
    CTypingKeyboard keyboard(&Look());
    keyboard.resize(keyboard.sizeHint());
    keyboard.show();
    view.SetText(pump.Sample().data(), pump.Length(), pump.Typed().data(), pump.Length());
    QApplication::processEvents();

    Timings us;
    uint32_t n = 0;
    for (auto _ : state) {
        const Sample start = Sample::Now();
        char16_t ch = pump.Sample()[pump.Position()];
        if (++n % 23 == 0)
            ch = u'#'; // now and then an error
        char16_t expected = 0;
        uint32_t position = 0;
        bool error = false;
        if (pump.JudgeKey(ch, expected, position, error) == JudgeResult::Complete) {
            pump.InstallText(text, kind::kTest, -1);
            view.SetText(pump.Sample().data(), pump.Length(), pump.Typed().data(), pump.Length());
            position = 0;
        }
        view.SetCaretPosition(position);
        char16_t next = 0;
        if (pump.ExpectedCharacter(next))
            keyboard.MarkNextCharacters(&next, 1);
        // What the event loop does next: the posted update requests paint the changed parts.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        us.Add(start);
    }
    Percentiles(state, us);
}
BENCHMARK(BM_Keystroke)->Arg(0)->Arg(1)->Arg(2)->Iterations(6000)->Unit(benchmark::kMicrosecond);

// Free typing: each key lays the lines out again from the current page and draws it whole.
void BM_FreeTypingKeystroke(benchmark::State& state)
{
    App();
    CStandView view(&Look());
    view.resize(476, 238);
    view.SetPageTurnAnimation(false);
    StandViewOptions options;
    StandViewContext context;
    context.deskMode = desk_mode::kTest;
    context.kind = kind::kFreeTyping;
    view.ApplyOptions(options, context);
    view.show();
    const std::u16string text = TestText();
    std::u16string buffer(CParadigmPump::kMaxLength + 1, u'\0');
    view.SetText(buffer.data(), 0, nullptr, 0);
    QApplication::processEvents();
    Timings us;
    uint32_t length = 0;
    for (auto _ : state) {
        const Sample start = Sample::Now();
        if (length == CParadigmPump::kMaxLength) {
            length = 0;
            view.SetText(buffer.data(), 0, nullptr, 0);
        }
        buffer[length] = text[length];
        ++length;
        view.SetSampleLength(length);
        view.SetCaretPosition(length - 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        us.Add(start);
    }
    Percentiles(state, us);
}
BENCHMARK(BM_FreeTypingKeystroke)->Iterations(4000)->Unit(benchmark::kMicrosecond);

// Laying out the whole 24,000 characters (a new text, a font or size change).
void BM_LayOutWholeText(benchmark::State& state)
{
    App();
    CStandView view(&Look());
    view.resize(476, 238);
    StandViewOptions options;
    StandViewContext context;
    context.deskMode = desk_mode::kTest;
    context.kind = kind::kTest;
    view.ApplyOptions(options, context);
    const std::u16string text = TestText();
    for (auto _ : state) {
        view.SetText(text.data(), uint32_t(text.size()), nullptr, 0);
        benchmark::DoNotOptimize(view.PageCount());
    }
}
BENCHMARK(BM_LayOutWholeText)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
