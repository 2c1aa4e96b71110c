// The latency of one keystroke on the whole typing desk, from the delivery of the key event
// to the end of the repaint it causes: the desk receives the key press as the frame hands it
// on, the engine judges it, the sound is asked for, the view moves its caret (turning pages
// without animation), the keyboard shows the key pressed and marks the next one, the panel's
// wink bar flashes, and the posted update requests paint everything that changed. The
// exercise is a 24,000-character test cut from a shipped text (and a lesson and free typing
// for comparison). Each iteration is one keystroke; the counters give the median, the 99th
// percentile and the worst keystroke in microseconds, wall time and the thread's processor
// time.
//
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bench/kf_typingdesk_bench

#include "session/paradigmpump.h"
#include "session/ui/localdeskenvironment.h"
#include "session/ui/resultsheet.h"
#include "session/ui/resultsheetflow.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfradiobutton.h"
#include "session/ui/standview.h"
#include "session/ui/typingdeskwnd.h"
#include "testsupport/tempdir.h"
#include "users/userprofile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

using namespace kf;

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "kf_typingdesk_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return app;
}

double ThreadCpuMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

struct Timings
{
    std::vector<double> wall, cpu;
    void Report(benchmark::State& state)
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
        report(wall, "");
        report(cpu, "cpu_");
    }
};

// A desk on a copy of the staged installation, with the user's layout loaded.
struct DeskBed
{
    test::TempDir dir;
    std::unique_ptr<LocalDeskEnvironment> env;
    std::unique_ptr<CTypingDeskWnd> desk;

    DeskBed()
    {
        test::CopyStagedTree(KF_STAGE_DIR, dir.path());
        env = std::make_unique<LocalDeskEnvironment>(dir.Folder());
        env->LoadKeyboardLayout(u"US");
        CUserProfile& o = env->UserOptions();
        o.SetKeyboardLayoutFile(u"US");
        o.SetLastCourse(u"Touch Typing: English (US)");
        o.SetLastLesson(u"Home row phrases");
        o.SetLastTestCategory(u"Everyday Prose");
        o.SetLastTestText(u"The Lighthouse Keeper");
        o.SetDataGenerateSize(24000);
        o.SetDataGenerateType(0);
        o.SetTrainGenerateSize(24000);
        // An exercise that ends goes back to the desk without saving.
        SetResultSheetHookForTesting([](CResultSheet& sheet) {
            sheet.ResultPage()->SaveBox()->setChecked(false);
            sheet.ResultPage()->BackToDeskButton()->setChecked(true);
            QTimer::singleShot(0, &sheet, [&sheet] { sheet.accept(); });
        });
        desk = std::make_unique<CTypingDeskWnd>(*env);
        desk->StandView()->SetPageTurnAnimation(false);
        desk->show();
        QApplication::processEvents();
    }

    // One key press and release as the frame hands them to the desk, and the repaint.
    void Type(char16_t ch, Timings& t)
    {
        const QString text = ch == 13 ? QStringLiteral("\r") : QString(QChar(ch));
        const int key = ch == 13 ? Qt::Key_Return : 0;
        const auto wall = std::chrono::steady_clock::now();
        const double cpu = ThreadCpuMicroseconds();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        desk->HandleKey(&press);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        t.wall.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - wall)
                .count());
        t.cpu.push_back(ThreadCpuMicroseconds() - cpu);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        desk->HandleKey(&release);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }

    char16_t Next(uint32_t n)
    {
        char16_t ch = 0;
        env->Pump().ExpectedCharacter(ch);
        return n % 29 == 0 ? u'#' : ch; // now and then an error
    }
};

// args: 0 the 24,000-character test, 1 a lesson (marks and the pointer caret), 2 free typing.
void BM_DeskKeystroke(benchmark::State& state)
{
    App();
    DeskBed bed;
    const int variant = int(state.range(0));
    auto start = [&] {
        if (variant == 0)
            bed.desk->StartTest(false);
        else if (variant == 1) {
            bed.desk->StartLesson(false);
            bed.desk->OnTypedKey(13); // past the phase notice
        } else
            bed.desk->StartFreeTyping();
        QApplication::processEvents();
    };
    start();
    state.counters["length"] = bed.env->Pump().Length();
    Timings t;
    uint32_t n = 0;
    for (auto _ : state) {
        if (bed.desk->Mode() == 1)
            start();
        bed.Type(variant == 2 ? char16_t(u'a' + n % 26) : bed.Next(n), t);
        ++n;
    }
    t.Report(state);
}
BENCHMARK(BM_DeskKeystroke)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(6000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    App();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
