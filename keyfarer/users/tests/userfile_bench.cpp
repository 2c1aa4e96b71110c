// Figures of the user files: appends per second with one writer; the newest 1000 history
// items from a file of 1000 and of 100,000 results; the rank sums over 64 accounts of 5000
// results each against a plain sequential read of the same bytes. After the runs the pairs
// are printed side by side with their goals.
#include "userfiles.h"

#include "testsupport/tempdir.h"
#include "users/userstatistics.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace kf {
namespace {

namespace fs = std::filesystem;

test::TempDir& Dir()
{
    static test::TempDir dir;
    return dir;
}

// A user file of count test results, made once per size.
std::u16string FileOf(uint32_t count)
{
    const std::string name = "history-" + std::to_string(count) + ".dat";
    const std::u16string path = Dir().File(name);
    if (Dir().Exists(name))
        return path;
    CUserData f;
    f.Create(path);
    Bytes batch;
    for (uint32_t i = 0; i < count; ++i) {
        const CResultRecord r = test::MakeResult(30, 60000, 300, 290, u"Prose\\Text.txt");
        batch.insert(batch.end(), r.data(), r.data() + r.size());
        if (batch.size() >= 4096 * CResultRecord::kSize || i + 1 == count) {
            f.AppendMany(batch);
            batch.clear();
        }
    }
    f.Close();
    return path;
}

// 64 accounts of 5000 results each in an Account folder of their own.
std::u16string RankFolder()
{
    static const std::u16string folder = [] {
        const fs::path account = Dir().path() / "rank" / "Account";
        fs::create_directories(account);
        const std::u16string first = FileOf(5000);
        for (int a = 0; a < 64; ++a)
            fs::copy_file(fs::path(first), account / ("user" + std::to_string(a) + ".dat"));
        return account.u16string() + u"/";
    }();
    return folder;
}

void BM_AppendOneWriter(benchmark::State& state)
{
    const std::u16string path = Dir().File("append.dat");
    CUserData f;
    f.Create(path);
    const CResultRecord r = test::MakeResult(30, 60000, 300, 290);
    for (auto _ : state) {
        if (!f.Append(r.bytes()))
            state.SkipWithError("append failed");
    }
    state.SetItemsProcessed(state.iterations());
    f.Close();
    fs::remove(fs::path(path));
}
BENCHMARK(BM_AppendOneWriter)->Unit(benchmark::kMicrosecond);

void BM_History1000(benchmark::State& state)
{
    const std::u16string path = FileOf(static_cast<uint32_t>(state.range(0)));
    CUserData f;
    f.Open(path, true);
    Bytes reply;
    for (auto _ : state) {
        reply.clear();
        ListHistoryItems(f, 30, 1000, u"Free typing", reply);
        benchmark::DoNotOptimize(reply.data());
    }
    state.counters["items"] = static_cast<double>(reply.size() / CHistoryItem::kSize);
}
BENCHMARK(BM_History1000)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RankSums64x5000(benchmark::State& state)
{
    const std::u16string folder = RankFolder();
    Bytes reply;
    for (auto _ : state) {
        reply.clear();
        ListRankEntries(folder, 0, 30, reply);
        benchmark::DoNotOptimize(reply.data());
    }
    state.counters["accounts"] = static_cast<double>(reply.size() / CRankEntry::kSize);
}
BENCHMARK(BM_RankSums64x5000)->Unit(benchmark::kMillisecond);

// The same files read from start to end in large blocks, doing nothing with the bytes.
void BM_SequentialRead64x5000(benchmark::State& state)
{
    const fs::path folder(RankFolder());
    std::vector<char> block(1 << 20);
    for (auto _ : state) {
        uint64_t total = 0;
        for (const auto& e : fs::directory_iterator(folder)) {
            const int fd = ::open(e.path().c_str(), O_RDONLY | O_CLOEXEC);
            ssize_t n = 0;
            while ((n = ::read(fd, block.data(), block.size())) > 0)
                total += static_cast<uint64_t>(n);
            ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_SequentialRead64x5000)->Unit(benchmark::kMillisecond);

// Keeps each run's time (in its own unit) by name, for the summary.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> times;
    std::map<std::string, double> rates;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            times[r.benchmark_name()] = r.GetAdjustedRealTime();
            const auto it = r.counters.find("items_per_second");
            if (it != r.counters.end())
                rates[r.benchmark_name()] = it->second;
        }
    }
};

} // namespace
} // namespace kf

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    kf::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto time = [&](const char* name) {
        const auto it = reporter.times.find(name);
        return it == reporter.times.end() ? 0.0 : it->second;
    };
    const double appendRate =
        reporter.rates.count("BM_AppendOneWriter") ? reporter.rates["BM_AppendOneWriter"] : 0.0;
    const double h1 = time("BM_History1000/1000");
    const double h2 = time("BM_History1000/100000");
    const double rank = time("BM_RankSums64x5000");
    const double seq = time("BM_SequentialRead64x5000");
    std::printf("\n%-44s %14s %14s %8s %s\n", "", "figure", "against", "ratio", "goal");
    std::printf("%-44s %12.0f/s %14s %8s %s\n", "appends, one writer", appendRate, "", "",
                ">= 10000/s");
    if (h1 > 0 && h2 > 0)
        std::printf("%-44s %11.3f ms %11.3f ms %8.2f %s\n",
                    "newest 1000 history items: 100,000 vs 1000", h2, h1, h2 / h1, "<= 1.5");
    if (rank > 0 && seq > 0)
        std::printf("%-44s %11.1f ms %11.1f ms %8.2f %s\n",
                    "rank sums 64 x 5000 vs sequential read", rank, seq, rank / seq, "<= 2");
    benchmark::Shutdown();
    return 0;
}
