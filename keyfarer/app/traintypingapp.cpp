#include "traintypingapp.h"

#include "app/apploginhost.h"
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
#include "users/ui/dlgchangepasswd.h"
#include "users/ui/dlglogin.h"

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

CTrainTypingApp::CTrainTypingApp() : CTrainTypingApp(Environment{}) {}

CTrainTypingApp::CTrainTypingApp(Environment env)
    : m_env(std::move(env)), m_texts(StringTableTexts()),
      m_presenter(MakeStandardMessagePresenter())
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
    m_installFolder =
        m_env.installFolder.empty() ? ProgramFolder() : WithTrailingSeparator(m_env.installFolder);
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

    // 9. The data supplier answers from the local store in the data folder.
    m_supplier.SetTexts(SupplierTexts::FromStringTable());
    m_supplier.SetDataFolder(m_dataFolder);
    m_supplier.SetMessageSink(this);

    // 10. The privileges of this installation, read once for the whole run.
    if (!LoadPrivileges())
        return false;

    // 11. The user options and current result records start empty. They are members of the
    // application object, so there is no allocation left that could fail here.
    m_userOptions.Clear();
    m_currentResult.Clear();

    // 12. The display must show at least 256 colours and be 768 pixels wide.
    if (const char16_t* problem = DisplayProblem(m_screen)) {
        ShowMessage(problem, nullptr, 0x10);
        return false;
    }

    // 13.
    m_versionText = kVersionText;

    // 14. The main frame, which creates the desk. It stays hidden until a user has logged in.
    m_mainFrame = std::make_unique<CMainFrame>(m_look, m_userOptions, m_privileges);

    // 15. Log in: straight when an account is remembered, else through the dialog.
    const bool straight = StraightLogin();
    if (!straight && !RunLogin(false)) {
        if (m_reportedVersion != -1 && m_reportedVersion > 101)
            RunAutoUpgrade();
        else
            m_mainFrame.reset();
        return false;
    }

    // 16.
    if (!StartAfterLogin())
        return false;

    // 17. A profile may ask for a new password at this login (not after a straight login).
    if (!straight && !ForcedPasswordChange())
        return false;

    // 18. The desk enters its first mode.
    m_mainFrame->StartDeskAfterLogin();
    return true;
}

bool CTrainTypingApp::LoadPrivileges()
{
    m_supplier.SetErrorKey(u"IDS_ERR_LOADPRIVILEGES");
    if (!m_supplier.LoadPrivileges() || !m_supplier.CheckResultSize(CPrivileges::kSize, true))
        return false;
    m_privileges.Assign(m_supplier.Result());
    // Without ChooseTest there is no ChooseTestCategory, without ChooseLesson no ChooseCourse.
    m_privileges.EnforceDependencies();
    return true;
}

bool CTrainTypingApp::StraightLogin()
{
    if (m_straightLoginId.empty())
        return false;
    const std::u16string path = m_supplier.Store().UserFilePath(m_straightLoginId);
    CUserProfile profile;
    uint32_t error = 0;
    if (m_supplier.OpenUserFile(path, m_straightLoginId, profile, error) !=
        CPump_TypingData::kOpenOk) {
        ShowMessage(u"IDS_ERR_AUTOLOGINUID", nullptr, 0x10);
        return false;
    }
    m_userOptions = profile;
    m_lastUserId = m_straightLoginId;
    m_userAccount = m_straightLoginId;
    m_userFile = path;
    return true;
}

bool CTrainTypingApp::RunLogin(bool switchUser)
{
    AppLoginHost host(*this);
    QWidget* owner = m_mainFrame && m_mainFrame->isVisible() ? m_mainFrame.get() : nullptr;
    CDlgLogin dialog(host, switchUser, owner);
    dialog.SetOfferWizardWhenEmpty(m_env.offerWizardWhenEmpty);
    const bool ok = dialog.exec() == QDialog::Accepted;
    m_reportedVersion = dialog.ReportedVersion();
    if (!ok)
        return false;
    m_userAccount = dialog.Account();
    m_userFile = dialog.UserFilePath();
    return true;
}

void CTrainTypingApp::ApplyUserLook()
{
    // The skin follows the user's colours; the lightness change is never used.
    const SkinAdjust wanted{m_userOptions.SkinHue(), 0, m_userOptions.SkinSaturation()};
    if (!(m_look.GetSkinAdjust() == wanted)) {
        m_look.SetSkinAdjust(wanted.hue, 0, wanted.saturation);
        m_look.Reload();
    }
    m_soundOn = m_userOptions.SoundOn() != 0;
}

bool CTrainTypingApp::StartAfterLogin()
{
    if (!m_mainFrame)
        return false;
    // 1-2.
    m_mainFrame->SetLoginPending(false);
    SaveLoginSettings();
    // 3. The user's look (the desk re-reads it when it is started).
    ApplyUserLook();
    // 4. The user's keyboard layout; a failure is reported and the built-in layout stays.
    const std::u16string layout = m_userOptions.KeyboardLayoutFile();
    if (!layout.empty())
        LoadKeyboardLayout(layout);
    else
        m_pump.SetKeyTables(m_keyboardLayout);
    // 5. The frame in the user's screen mode.
    m_mainFrame->SetScreenMode(m_userOptions.ScreenSize());
    if (m_env.showMainFrame)
        m_mainFrame->ShowFrame();
    m_mainFrame->update();
    // 6. The practice dictionaries.
    const int reported = m_supplierErrors;
    if (!m_pump.LoadDictionaries(u"dictionary.txt", u"numdictionary.txt")) {
        // An empty dictionary fails without a request failing; say so rather than end mute.
        if (m_supplierErrors == reported)
            ShowErrorWithSystemText(-1, u"IDS_ERR_LOADDICTIONARY", nullptr);
        return false;
    }
    return true;
}

bool CTrainTypingApp::ForcedPasswordChange()
{
    if (!m_userOptions.MustChangePassword())
        return true;
    AppLoginHost host(*this);
    CDlgChangePasswd dialog(host, false, m_mainFrame.get());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_userOptions.SetMustChangePassword(0);
    m_supplier.SetErrorKey(u"IDS_ERR_SAVEUSERCONFIG");
    m_supplier.SaveProfile(m_userOptions);
    return true;
}

bool CTrainTypingApp::ChangePassword(bool askOld, QWidget* owner)
{
    AppLoginHost host(*this);
    CDlgChangePasswd dialog(host, askOld, owner ? owner : m_mainFrame.get());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // Saved at once, so the new password does not depend on a later save of the options.
    m_supplier.SetErrorKey(u"IDS_ERR_SAVEUSERCONFIG");
    if (!m_supplier.SaveProfile(m_userOptions))
        return false;
    ShowMessage(u"IDS_MES_CHANGEPASSWDOK", owner, 0x40);
    return true;
}

bool CTrainTypingApp::SwitchUser()
{
    const std::u16string previousFile = m_userFile;
    const std::u16string previousAccount = m_userAccount;
    if (!RunLogin(true)) {
        if (m_reportedVersion != -1 && m_reportedVersion > 101) {
            RunAutoUpgrade();
            return false;
        }
        // Attempts in the dialog may have closed the current user's file: hold it again.
        CUserData& open = m_supplier.Store().UserFile();
        if (!previousFile.empty() && !(open.IsOpen() && open.Path() == previousFile))
            m_supplier.Store().AttachUserFile(previousFile);
        m_userFile = previousFile;
        m_userAccount = previousAccount;
        return true;
    }
    if (!StartAfterLogin())
        return false;
    if (!ForcedPasswordChange())
        return false;
    m_mainFrame->StartDeskAfterLogin();
    return true;
}

bool CTrainTypingApp::LoadKeyboardLayout(std::u16string_view file)
{
    m_supplier.SetErrorKey(u"IDS_ERR_LOADKBLAYOUT");
    if (!m_supplier.LoadKeyboardLayout(file, m_userOptions.WhichHand()))
        return false;
    CKeyboardLayout loaded;
    if (!loaded.LoadLayoutImage(m_supplier.Result(), true)) {
        ShowErrorWithSystemText(-1, u"IDS_ERR_LOADKBLAYOUT", nullptr);
        return false;
    }
    m_keyboardLayout = loaded;
    m_pump.SetKeyTables(m_keyboardLayout);
    return true;
}

bool CTrainTypingApp::OpenWebPage(std::u16string_view url)
{
    return Desktop().OpenUrl(url);
}

void CTrainTypingApp::ExitProgram()
{
    if (m_mainFrame)
        m_mainFrame->OnCommand(CMainFrame::kIdExit);
}

void CTrainTypingApp::ShowSupplierError(std::u16string_view key, std::u16string_view detail,
                                        uint32_t /*code*/)
{
    ++m_supplierErrors;
    if (key.empty())
        ShowTextMessage(detail, nullptr, 0x10);
    else
        ShowMessageWithText(key, detail, nullptr, 0x10);
}

int CTrainTypingApp::ExitInstance()
{
    EndBusy();
    m_mainFrame.reset();
    // The logged-in user's file is closed; the records are emptied.
    m_supplier.Store().CloseUserFile();
    m_supplier.SetMessageSink(nullptr);
    m_userOptions.Clear();
    m_currentResult.Clear();
    m_instance.Release();
    SetStringTable(nullptr);
    m_strings.Clear();
    return 0;
}

bool CTrainTypingApp::GetResString(std::u16string& out, std::u16string_view key,
                                   std::u16string_view defaultText) const
{
    return m_strings.LookupString(out, key, defaultText);
}

std::u16string CTrainTypingApp::GetResString(std::u16string_view key,
                                             std::u16string_view defaultText) const
{
    return m_strings.Get(key, defaultText);
}

int CTrainTypingApp::Present(QWidget* owner, std::u16string_view text, unsigned style)
{
    if (!owner)
        owner = m_mainFrame.get();
    // Before the frame is shown (the login) a message belongs over the dialog in front.
    if (!owner || !owner->isVisible()) {
        if (QWidget* modal = QApplication::activeModalWidget())
            owner = modal;
        else if (owner && !owner->isVisible())
            owner = nullptr;
    }
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

int CTrainTypingApp::ShowMessageWithText(std::u16string_view key, std::u16string_view text,
                                         QWidget* owner, unsigned style)
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
    case u'\r':
        key = u"IDS_KEYNAME_ENTER";
        break;
    case u'"':
        key = u"IDS_KEYNAME_DQUOTE";
        break;
    case u'\'':
        key = u"IDS_KEYNAME_SQUOTE";
        break;
    case u',':
        key = u"IDS_KEYNAME_COMMA";
        break;
    case u'.':
        key = u"IDS_KEYNAME_PERIOD";
        break;
    case u':':
        key = u"IDS_KEYNAME_COLON";
        break;
    case u';':
        key = u"IDS_KEYNAME_SEMICOLON";
        break;
    case u'?':
        key = u"IDS_KEYNAME_QUESTION";
        break;
    default:
        break;
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
