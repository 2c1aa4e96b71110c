// pw_batch_bench [COUNT]: what the batch mode costs above the converter itself. Makes COUNT
// (200) one-page PDF files, converts them once with a plain sequential loop of the same
// pdftotext calls the batch mode makes, once with `pagewick --batch` over their folder, and
// prints both totals and the difference per file. The runner's 50 ms poll is the floor of that
// difference; it should stay at or below about 60 ms a file.
#include "helpers/testpdf.h"
#include "helpers/testsupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Runs `argv` directly with its output thrown away; true when it ends with status 0.
bool Run(std::vector<std::string> argv)
{
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int started = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::size_t CountFiles(const std::string& folder)
{
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        n += entry.is_regular_file();
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    if (count <= 0) {
        std::fprintf(stderr, "usage: pw_batch_bench [COUNT]\n");
        return 2;
    }
    const std::string program = PW_STAGE_DIR "/pagewick";
    const std::string converter = PW_STAGE_DIR "/data/pdftotext";
    if (!std::filesystem::exists(program) || !std::filesystem::exists(converter)) {
        std::fprintf(stderr, "pw_batch_bench: build pagewick_stage first (%s)\n", program.c_str());
        return 1;
    }

    pw::test::TempFolder work;
    const std::string in = work / "in";
    const std::string loopOut = work / "loop";
    const std::string batchOut = work / "batch";
    for (const std::string& folder : {in, loopOut, batchOut})
        pw::test::MakeFolders(folder);
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        const std::string name = "doc" + std::to_string(i);
        files.push_back(in + "/" + name + ".pdf");
        if (!pw::test::WritePdf(files.back(), {"One page of document " + std::to_string(i)})) {
            std::fprintf(stderr, "pw_batch_bench: cannot write %s\n", files.back().c_str());
            return 1;
        }
    }
    Run({converter, files.front(), work / "warm.txt"}); // the first start loads the libraries

    // The calls the batch mode makes for the default options, one after another.
    auto start = Clock::now();
    int loopFailures = 0;
    for (const std::string& file : files) {
        const std::string base = std::filesystem::path(file).stem().string();
        loopFailures += !Run({converter, file, loopOut + "/" + base + ".txt", "-f", "1"});
    }
    const double loop = Seconds(start);

    start = Clock::now();
    const bool batchOk = Run({program, "--batch", "--output", batchOut, in});
    const double batch = Seconds(start);

    const std::size_t loopMade = CountFiles(loopOut);
    const std::size_t batchMade = CountFiles(batchOut);
    std::printf("%d one-page PDF files\n", count);
    std::printf("  %-28s %8.2f s  %7.1f ms a file  (%zu texts)\n", "sequential pdftotext loop",
                loop, loop * 1000 / count, loopMade);
    std::printf("  %-28s %8.2f s  %7.1f ms a file  (%zu texts)\n", "pagewick --batch", batch,
                batch * 1000 / count, batchMade);
    std::printf("  %-28s %8.2f s  %7.1f ms a file\n", "overhead of the batch mode", batch - loop,
                (batch - loop) * 1000 / count);
    if (loopFailures != 0 || !batchOk || loopMade != std::size_t(count) ||
        batchMade != std::size_t(count)) {
        std::fprintf(stderr, "pw_batch_bench: not every file was converted (loop failures %d)\n",
                     loopFailures);
        return 1;
    }
    return 0;
}
