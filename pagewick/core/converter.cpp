#include "core/converter.h"

#include "core/commandlinebuilder.h"
#include "core/getfile.h"
#include "platform/filesystem.h"

namespace pw {

std::string Converter::CannotCreateText(const std::string& baseName)
{
    return "Cannot Read From File:\n" + baseName + ".pdf\nPlease check the PDF Password.";
}

Converter::Converter(const std::string& programFolder, ConversionQueue& queue, DOSOutputs& runner,
                     MessageSink& messages, ConverterHost& host)
    : m_programFolder(programFolder), m_queue(queue), m_runner(runner), m_messages(messages),
      m_host(host)
{
    m_runner.SetEvents(this);
}

Converter::~Converter()
{
    m_runner.SetEvents(nullptr);
}

bool Converter::Start()
{
    if (m_running)
        return false;
    if (m_queue.Empty()) {
        m_messages.Show(MessageIcon::Warning, "Add", "Please add a file");
        return false;
    }
    m_running = true;
    m_host.RunStarting();
    const std::string folder = m_host.OutputFolder();
    if (!IsFolder(folder))
        MakeFolder(folder);
    ConvertQueue();
    return true;
}

void Converter::ConvertQueue()
{
    while (!m_queue.Empty()) {
        const std::string input = m_queue.At(0).path;
        const std::string folder = WithTrailingSlash(m_host.OutputFolder());
        const std::string output = OutputPathFor(input, folder);
        const std::string line = BuildCommandLine(m_programFolder, input, folder, m_host.Options());

        m_host.FileStarting(input);
        m_runner.SetWatchedImageName(kWatchedImageName);
        m_runner.SetCommandLine(line);
        const FileStamp before = StampOf(output);
        m_commandOver = false;
        m_runner.ExecuteCommand();
        if (m_runner.Abandoned()) {
            m_running = false;
            return; // the program is leaving; the converter finishes on its own
        }
        if (m_commandOver) {
            const FileStamp after = StampOf(output);
            if (after.exists && after != before) {
                m_host.FileDone(input, output, true, std::string());
            } else {
                const std::string text = CannotCreateText(GetBaseName(input));
                m_messages.Show(MessageIcon::None, "Cannot Create", text);
                m_host.FileDone(input, output, false, text);
            }
        } else {
            m_host.FileDone(input, output, false, m_runner.LastFailure());
        }
        m_queue.RemoveAt(0);
    }
    m_running = false;
    m_host.RunFinished();
}

void Converter::ReceiveOutputs(const std::string& CommandOutputs)
{
    (void)CommandOutputs; // the converter's console output is not examined
}

void Converter::CommandOver()
{
    m_commandOver = true;
}

} // namespace pw
