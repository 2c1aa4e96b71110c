#pragma once

#include "platform/messagepump.h"
#include "platform/messagesink.h"

#include <cstddef>
#include <string>
#include <sys/types.h>
#include <vector>

namespace pw {

/// What a running console command reports to its owner, on the owner's thread while
/// `DOSOutputs::ExecuteCommand` runs.
class DOSOutputsEvents
{
public:
    virtual ~DOSOutputsEvents() = default;
    /// One piece of the child's standard output and standard error, as read (at most 1024 bytes).
    virtual void ReceiveOutputs(const std::string& CommandOutputs) = 0;
    /// The watched program has ended and all its output has been delivered; raised once per
    /// started child, before `ExecuteCommand` returns.
    virtual void CommandOver() = 0;
};

/// Runs one console command line as a child process and collects what it writes to its
/// standard output and standard error through one pipe. `ExecuteCommand` returns only when the
/// run is over, yet the window stays responsive: between reads the runner dispatches pending
/// events and waits 50 ms in the message pump.
///
/// The end of a run is decided by a program name, not by the child: the run goes on while any
/// process of the system carries the watched image name (compared without letter case and
/// without an ".exe" ending), and it ends only after the pipe has been found empty once after
/// that. There is no time limit, and the child's exit status is not read.
///
/// The command line is split as described in commandlinesplitter.h and the program is started
/// directly, never through a shell. The child inherits the current folder, the environment and
/// the standard input.
class DOSOutputs
{
public:
    static constexpr std::size_t kReadSize = 1024;
    static constexpr int kPollMilliSeconds = 50;

    /// `messages` shows the runner's three failure messages; `pump` keeps the interface alive.
    DOSOutputs(MessageSink& messages, MessagePump& pump);
    /// Reaps children that ended after their run (no zombie outlives the runner's owner); a
    /// child still running is left to finish on its own.
    ~DOSOutputs();
    DOSOutputs(const DOSOutputs&) = delete;
    DOSOutputs& operator=(const DOSOutputs&) = delete;

    const std::string& CommandLine() const { return m_commandLine; }
    void SetCommandLine(const std::string& DOSCommand) { m_commandLine = DOSCommand; }

    /// Everything read from the child during the current or last run, in arrival order.
    const std::string& Outputs() const { return m_outputs; }

    /// The image name whose end the runner waits for ("pdftotext.exe" for the converter).
    const std::string& WatchedImageName() const { return m_watchedImageName; }
    void SetWatchedImageName(const std::string& name) { m_watchedImageName = name; }

    /// Receives the events of the following runs; may be null.
    void SetEvents(DOSOutputsEvents* events) { m_events = events; }

    /// Runs `CommandLine` (or the stored command line when it is empty) and returns all its
    /// output. On an empty command line, a pipe that cannot be made or a program that cannot be
    /// started it shows the message ("Command Line empty", "CreatePipe failed. Error: " and the
    /// error number, "File or command not found"), raises no event and returns empty text.
    /// When the pump gives its wait up (the program is leaving) the run is abandoned: no
    /// `CommandOver`, the child finishes on its own, and the output read so far is returned.
    std::string ExecuteCommand(const std::string& CommandLine = std::string());

    /// The message of the last run when it could not start, empty otherwise.
    const std::string& LastFailure() const { return m_lastFailure; }

    /// True when the last run was abandoned because the program is leaving.
    bool Abandoned() const { return m_abandoned; }

    /// True when at least one live process of the system has the executable name `imageName`,
    /// compared without letter case and without a trailing ".exe" on either side. A process
    /// that has ended but not been collected by its parent does not count.
    static bool IsProcessRunning(const std::string& imageName);

private:
    void Fail(const std::string& message);
    void ReapEnded();

    MessageSink& m_messages;
    MessagePump& m_pump;
    DOSOutputsEvents* m_events = nullptr;
    std::string m_commandLine;
    std::string m_outputs;
    std::string m_watchedImageName;
    std::string m_lastFailure;
    bool m_abandoned = false;
    std::vector<pid_t> m_children;
};

} // namespace pw
