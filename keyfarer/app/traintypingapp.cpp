#include "traintypingapp.h"

#include "app/mainframe.h"
#include "app/messagepresenter.h"
#include "app/skinnedmessagepresenter.h"
#include "content/profilesettings.h"
#include "platform/codepage.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/profile.h"
#include "platform/qt/desktop.h"
#include "platform/qt/plainmessage.h"
#include "platform/qt/qtext.h"
#include "platform/qt/uisound.h"
#include "platform/utf.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace kf {

namespace {

CTrainTypingApp* g_app = nullptr;

constexpr size_t kMaxMessage = 511;

} // namespace

CTrainTypingApp* TheApp()
{
    return g_app;
}

CTrainTypingApp::CTrainTypingApp() : CTrainTypingApp(Environment{})
{
}

CTrainTypingApp::CTrainTypingApp(Environment env)
    : m_env(std::move(env)), m_presenter(MakeStandardMessagePresenter())
{
    g_app = this;
}

CTrainTypingApp::~CTrainTypingApp()
{
    if (g_app == this)
        g_app = nullptr;
    SetStringTable(nullptr);
}

const char16_t* CTrainTypingApp::DisplayProblem(const ScreenDescription& screen)
{
    if (screen.depth < 8)
        return u"IDS_ERR_DISPLAYCOLOR";
    // 768, not 800: a screen a little narrower than the desk still works.
    if (screen.width < 768)
        return u"IDS_ERR_DISPLAYWIDTH";
    return nullptr;
}

bool CTrainTypingApp::InitInstance()
{
    // 2. One copy per user: a second start ends silently before any window.
    if (!m_instance.Acquire(m_env.instanceName))
        return false;

    // 3. The string table exists from here on; query the display.
    m_screen = m_env.screen ? m_env.screen() : ReadPrimaryScreen();

    // 4-5. The installation folder is the program's own folder.
    m_installFolder = m_env.installFolder.empty() ? ProgramFolder() : WithTrailingSeparator(m_env.installFolder);
    if (m_installFolder.empty()) {
        ShowPlainError(u"Failed to retrieve the path of application, please try it later!");
        return false;
    }
    m_tempFolder = m_installFolder + u"Temp\\";

    // The installation's ANSI code page decides how 8-bit text files are read.
    LoadAnsiCodePageSetting(SysDatFolder() + u"Platform.ini");

    // 6. The string file: its two failures are shown in plain boxes, it cannot word them.
    const std::u16string stringFile = SysDatFolder() + u"StringRes.txt";
    if (!m_strings.LoadStringFile(stringFile)) {
        ShowPlainError(StringFileOpenFailedText(stringFile));
        return false;
    }
    std::u16string probe;
    if (!m_strings.LookupString(probe, u"type", u"")) {
        ShowPlainError(StringFileInvalidText(stringFile));
        return false;
    }
    SetStringTable(&m_strings);

    // 7. Login settings and the data folder.
    LoadLoginSettings();
    m_dataFolder = m_installFolder + u"Data\\";

    // 8. The look: skin pictures, colours, fonts and the sound table. A missing picture is
    // drawn as a plain shape, so it does not stop the program.
    m_look.Init(m_installFolder);
    if (!m_presenterChosen)
        m_presenter = MakeSkinnedMessagePresenter(m_look);

    // 12. The display must show at least 256 colours and be 768 pixels wide.
    if (const char16_t* problem = DisplayProblem(m_screen)) {
        ShowMessage(problem, nullptr, 0x10);
        return false;
    }

    // 13.
    m_versionText = kVersionText;

    // 14. The main frame.
    m_mainFrame = std::make_unique<CMainFrame>();
    if (m_env.showMainFrame)
        m_mainFrame->show();
    return true;
}

int CTrainTypingApp::ExitInstance()
{
    EndBusy();
    m_mainFrame.reset();
    m_instance.Release();
    SetStringTable(nullptr);
    m_strings.Clear();
    return 0;
}

bool CTrainTypingApp::GetResString(std::u16string& out, std::u16string_view key, std::u16string_view defaultText) const
{
    return m_strings.LookupString(out, key, defaultText);
}

std::u16string CTrainTypingApp::GetResString(std::u16string_view key, std::u16string_view defaultText) const
{
    return m_strings.Get(key, defaultText);
}

int CTrainTypingApp::Present(QWidget* owner, std::u16string_view text, unsigned style)
{
    if (!owner)
        owner = m_mainFrame.get();
    return m_presenter->Show(owner, text, style);
}

int CTrainTypingApp::ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                                 const std::vector<FormatArg>& args)
{
    std::u16string pattern;
    if (!m_strings.LookupString(pattern, key))
        pattern.assign(key);
    std::u16string text = FormatText(pattern, args);
    if (text.size() > kMaxMessage)
        text.resize(kMaxMessage);
    return Present(owner, text, style);
}

int CTrainTypingApp::ShowMessageWithText(std::u16string_view key, std::u16string_view text, QWidget* owner,
                                         unsigned style)
{
    EndBusy();
    return ShowMessage(key, owner, style, {FormatArg(text)});
}

int CTrainTypingApp::ShowTextMessage(std::u16string_view text, QWidget* owner, unsigned style)
{
    EndBusy();
    return Present(owner, text, style);
}

int CTrainTypingApp::ShowErrorWithSystemText(int64_t code, std::u16string_view key, QWidget* owner)
{
    const uint32_t number = code == -1 ? GetLastError() : static_cast<uint32_t>(code);
    const std::u16string system = ErrorMessageText(number);
    if (key.empty())
        return ShowTextMessage(system, owner, 0x10);
    return ShowMessageWithText(key, system, owner, 0x10);
}

void CTrainTypingApp::BeginBusy(std::u16string_view /*statusKey*/, int /*phase*/)
{
    // The status text was never displayed; the cursor is the whole signal.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_busyDepth;
}

void CTrainTypingApp::EndBusy()
{
    LastErrorKeeper keep;
    while (m_busyDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
    if (m_mainFrame)
        m_mainFrame->ClearNotice();
}

void CTrainTypingApp::PlayUiSound(int index)
{
    if (!m_soundOn)
        return;
    const std::u16string file = SoundFile(index);
    if (file.empty() || !FileExists(file))
        return;
    Sounds().Play(file);
}

void CTrainTypingApp::ShowHelpTopic(std::u16string_view topic)
{
    const std::u16string help = m_installFolder + u"help\\";
    std::u16string page = help + u"index.htm";
    if (!topic.empty()) {
        // Topics were written as paths inside the help book ("lesson.htm", "/x/y.htm").
        std::u16string t(topic);
        while (!t.empty() && (t[0] == u'/' || t[0] == u'\\'))
            t.erase(0, 1);
        if (FileExists(help + t))
            page = help + t;
    }
    Desktop().OpenPath(page);
}

bool CTrainTypingApp::KeyDisplayName(char16_t ch, std::u16string& out) const
{
    const char16_t* key = nullptr;
    switch (ch) {
    case u'\r': key = u"IDS_KEYNAME_ENTER"; break;
    case u'"': key = u"IDS_KEYNAME_DQUOTE"; break;
    case u'\'': key = u"IDS_KEYNAME_SQUOTE"; break;
    case u',': key = u"IDS_KEYNAME_COMMA"; break;
    case u'.': key = u"IDS_KEYNAME_PERIOD"; break;
    case u':': key = u"IDS_KEYNAME_COLON"; break;
    case u';': key = u"IDS_KEYNAME_SEMICOLON"; break;
    case u'?': key = u"IDS_KEYNAME_QUESTION"; break;
    default: break;
    }
    if (!key) {
        out.assign(1, ch);
        return false;
    }
    out = m_strings.Get(key).substr(0, 127);
    return true;
}

void CTrainTypingApp::SaveLoginSettings()
{
    const std::u16string ini = SysDatFolder() + u"Keyfarer.ini";
    WritePrivateProfileString(u"Login", u"StraightLoginID", m_straightLoginId, ini);
    WritePrivateProfileString(u"Login", u"LastUserID", m_lastUserId, ini);
}

void CTrainTypingApp::LoadLoginSettings()
{
    const std::u16string ini = SysDatFolder() + u"Keyfarer.ini";
    m_straightLoginId = GetPrivateProfileString(u"Login", u"StraightLoginID", u"", 32, ini);
    m_lastUserId = GetPrivateProfileString(u"Login", u"LastUserID", u"", 32, ini);
}

void CTrainTypingApp::RunAutoUpgrade()
{
    ShowMessage(u"IDS_MES_CHECKUPDATES", nullptr, 0x40);
    const std::u16string ini = SysDatFolder() + u"KFAutoUpgrade.ini";
    if (FileExists(ini))
        WritePrivateProfileString(u"General", u"ClientVersion", u"101", ini);
    // The upgrade program is not part of this system: it is started by name when present.
    for (const char16_t* name : {u"KFAutoUpgrade", u"KFAutoUpgrade.exe"}) {
        const std::u16string program = m_installFolder + name;
        if (FileExists(program)) {
            Desktop().StartProgram(program, {});
            break;
        }
    }
}

std::u16string CTrainTypingApp::UserCopyOfSystemFile(std::u16string_view name)
{
    const std::u16string system = SysDatFolder() + std::u16string(name);
    if (!FileExists(system))
        return {};
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const std::u16string folder = FromQString(QDir(base).filePath(QStringLiteral("Keyfarer")));
    CreateFolders(folder);
    const std::u16string copy = folder + u"/" + std::u16string(name);
    if (!FileExists(copy))
        CopyFileTo(system, copy, true);
    return copy;
}

void CTrainTypingApp::SetMessagePresenter(std::unique_ptr<MessagePresenter> presenter)
{
    m_presenterChosen = presenter != nullptr;
    m_presenter = presenter ? std::move(presenter) : MakeStandardMessagePresenter();
}

} // namespace kf
