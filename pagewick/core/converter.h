#pragma once

#include "core/conversionoptions.h"
#include "core/conversionqueue.h"
#include "platform/dosoutputs.h"
#include "platform/messagesink.h"

#include <string>

namespace pw {

/// What a conversion run asks of its owner and tells it. The window shows the progress and
/// turns its commands off and on; the batch mode prints a line per file.
class ConverterHost
{
public:
    virtual ~ConverterHost() = default;
    /// The output folder as it stands now (read again for every file).
    virtual std::string OutputFolder() = 0;
    /// The conversion options as they stand now (read again for every file).
    virtual ConversionOptions Options() = 0;
    /// A run begins: the commands that could change the queue or start a run go off.
    virtual void RunStarting() {}
    /// The converter is about to be started for `input`.
    virtual void FileStarting(const std::string& input) { (void)input; }
    /// `input` has been converted (`ok`) into `output`, or not, for `reason`.
    virtual void FileDone(const std::string& input, const std::string& output, bool ok,
                          const std::string& reason)
    {
        (void)input, (void)output, (void)ok, (void)reason;
    }
    /// The queue is empty: the finish step (open the output folder, the beep, commands on).
    virtual void RunFinished() {}
};

/// The conversion run over the queue: for the first entry, build the command line, run the
/// converter, check that the text file appeared, drop the entry; until the queue is empty. A
/// file added while the run goes on is converted in the same run.
///
/// The output check counts a text file as made only when the converter wrote it during this
/// run: a file left from an earlier run does not hide a failure (the file's identity, size and
/// times are compared before and after).
class Converter : private DOSOutputsEvents
{
public:
    /// The name the runner watches while the converter runs.
    static constexpr const char* kWatchedImageName = "pdftotext.exe";
    /// The three lines of the message shown when no text file was made, with `baseName`.
    static std::string CannotCreateText(const std::string& baseName);

    Converter(const std::string& programFolder, ConversionQueue& queue, DOSOutputs& runner,
              MessageSink& messages, ConverterHost& host);
    ~Converter() override;

    /// Start: with an empty queue shows "Please add a file" (title "Add", warning) and returns
    /// false. Otherwise the host turns its commands off, the output folder is created when
    /// missing (one level; a failure shows later as failed files) and the queue is converted.
    /// Returns false as well when a run is already under way.
    bool Start();

    /// True while a run is under way.
    bool Running() const { return m_running; }

private:
    void ConvertQueue();
    void ReceiveOutputs(const std::string& CommandOutputs) override;
    void CommandOver() override;

    std::string m_programFolder;
    ConversionQueue& m_queue;
    DOSOutputs& m_runner;
    MessageSink& m_messages;
    ConverterHost& m_host;
    bool m_running = false;
    bool m_commandOver = false;
};

} // namespace pw
