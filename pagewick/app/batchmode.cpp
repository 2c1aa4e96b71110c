#include "app/batchmode.h"

#include "core/batcharguments.h"
#include "core/converter.h"
#include "core/filesearch.h"
#include "platform/dosoutputs.h"
#include "platform/filesystem.h"
#include "platform/qt/clswaitabletimer.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace pw {

namespace {

// The batch mode has no message boxes: what the runner would show becomes the file's reason.
class SilentMessages : public MessageSink
{
public:
    void Show(MessageIcon, const std::string&, const std::string&) override {}
};

std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

class BatchHost : public ConverterHost
{
public:
    BatchHost(const BatchArguments& arguments, DOSOutputs& runner)
        : m_arguments(arguments), m_runner(runner)
    {
    }

    std::string OutputFolder() override { return m_arguments.outputFolder; }
    ConversionOptions Options() override { return m_arguments.options; }

    void FileDone(const std::string& input, const std::string& output, bool ok,
                  const std::string& reason) override
    {
        if (ok) {
            std::printf("ok %s -> %s\n", input.c_str(), output.c_str());
        } else {
            ++m_failures;
            std::printf("failed %s: %s\n", input.c_str(), OneLine(reason).c_str());
            // What the converter said helps to find out why; it goes beside the result lines.
            if (!m_runner.Outputs().empty())
                std::fprintf(stderr, "%s", m_runner.Outputs().c_str());
        }
        std::fflush(stdout);
    }

    int Failures() const { return m_failures; }
    void CountFailure() { ++m_failures; }

private:
    const BatchArguments& m_arguments;
    DOSOutputs& m_runner;
    int m_failures = 0;
};

} // namespace

int RunBatch(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> arguments;
    for (int i = 2; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    BatchArguments parsed;
    std::string error;
    if (!ParseBatchArguments(arguments, parsed, error)) {
        std::fprintf(stderr, "pagewick: %s\n%s", error.c_str(), kBatchUsage);
        return 2;
    }
    if (parsed.help) {
        std::printf("%s", kBatchUsage);
        return 0;
    }

    const std::string programFolder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    SilentMessages messages;
    clsWaitableTimer pump;
    DOSOutputs runner(messages, pump);
    ConversionQueue queue;
    BatchHost host(parsed, runner);
    Converter converter(programFolder, queue, runner, messages, host);

    for (const std::string& path : parsed.paths) {
        bool queued = true;
        if (IsFolder(path)) {
            std::vector<std::string> found;
            SearchFiles(path, found);
            for (const std::string& file : found)
                if (FormatOf(file) == "PDF")
                    queued = queue.Append(file) && queued;
        } else if (PathExists(path)) {
            queued = queue.Append(path);
        } else {
            std::printf("failed %s: no such file or folder\n", path.c_str());
            host.CountFailure();
            continue;
        }
        if (!queued) {
            std::printf("failed %s: the queue holds at most %d files\n", path.c_str(),
                        ConversionQueue::kMaxEntries);
            host.CountFailure();
        }
    }
    std::fflush(stdout);
    if (queue.Empty()) {
        std::fprintf(stderr, "pagewick: Please add a file (no PDF file found)\n");
        return 1;
    }
    converter.Start();
    return host.Failures() == 0 ? 0 : 1;
}

} // namespace pw
