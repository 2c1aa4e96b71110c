#pragma once

#include "platform/messagepump.h"
#include "platform/messagesink.h"

#include <string>
#include <vector>

namespace pw::test {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    /// Path() + "/" + name.
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
void MakeFolders(const std::string& path);

/// Makes `folder` a program folder: "data/pdftotext" links to the system's converter.
void MakeProgramFolder(const std::string& folder);

/// What a program run by `RunProgram` left behind.
struct ProgramRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// Runs `program` with `arguments` (no shell) in `folder`, with the environment given on top
/// of this one, and collects its standard output and standard error.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder = ".", const std::vector<std::string>& environment = {});

/// A pump for tests without an event loop: it sleeps through the waits and counts the calls.
class SleepingPump : public MessagePump
{
public:
    void DispatchPending() override { ++dispatches; }
    bool Wait(std::int32_t MilliSeconds) override;
    int dispatches = 0;
    int waits = 0;
};

/// Keeps the messages a test provokes instead of showing them.
class RecordedMessages : public MessageSink
{
public:
    struct Message
    {
        MessageIcon icon;
        std::string title;
        std::string text;
    };
    void Show(MessageIcon icon, const std::string& title, const std::string& text) override
    {
        messages.push_back({icon, title, text});
    }
    std::vector<Message> messages;
};

} // namespace pw::test
