#include "app/traintypingapp.h"

#include "app/mainframe.h"
#include "app/messagepresenter.h"
#include "platform/path.h"
#include "platform/profile.h"
#include "platform/qt/desktop.h"
#include "platform/qt/plainmessage.h"
#include "platform/qt/uisound.h"
#include "platform/utf.h"
#include "skin/ui/anibutton.h"
#include "testsupport/tempdir.h"
#include "content/locallayouts.h"
#include "users/accountfiles.h"
#include "users/ui/dlgchangepasswd.h"
#include "users/ui/dlglogin.h"
#include "users/ui/tests/logintestkit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace kf {
namespace {

using test::TempDir;

struct Shown
{
    std::u16string text;
    unsigned style;
};

class RecordingPresenter : public MessagePresenter
{
public:
    explicit RecordingPresenter(std::vector<Shown>& log, int answer = 1)
        : m_log(log), m_answer(answer)
    {}
    int Show(QWidget*, std::u16string_view text, unsigned style) override
    {
        m_log.push_back({std::u16string(text), style});
        return m_answer;
    }

private:
    std::vector<Shown>& m_log;
    int m_answer;
};

std::vector<std::u16string> g_plain;
void RecordPlain(std::u16string_view text)
{
    g_plain.emplace_back(text);
}

class RecordingSounds : public SoundPlayer
{
public:
    explicit RecordingSounds(std::vector<std::u16string>& log) : m_log(log) {}
    void Play(std::u16string_view path) override { m_log.emplace_back(path); }
    void StopAll() override {}

private:
    std::vector<std::u16string>& m_log;
};

class RecordingDesktop : public DesktopOpener
{
public:
    explicit RecordingDesktop(std::vector<std::u16string>& log) : m_log(log) {}
    bool OpenPath(std::u16string_view path) override
    {
        m_log.emplace_back(path);
        return true;
    }
    bool OpenUrl(std::u16string_view url) override
    {
        m_log.emplace_back(url);
        return true;
    }
    bool StartProgram(std::u16string_view p, const QStringList&) override
    {
        m_log.emplace_back(p);
        return true;
    }

private:
    std::vector<std::u16string>& m_log;
};

// The standard output of a command line.
std::string RunTool(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

// An installation tree of its own: the staged tree without its programs.
class AppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::CopyTreeWithoutPrograms(KF_STAGE_DIR, dir.path()));
        g_plain.clear();
        SetPlainErrorPresenter(&RecordPlain);
    }
    void TearDown() override { SetPlainErrorPresenter(nullptr); }

    // An account made from the default settings, remembered for the direct login.
    void RememberAccount(std::u16string_view account)
    {
        MakeAccount(account);
        WritePrivateProfileString(u"Login", u"StraightLoginID", account,
                                  dir.Folder() + u"SysDat/Keyfarer.ini");
    }
    void MakeAccount(std::u16string_view account)
    {
        CPump_TypingData supplier;
        supplier.SetDataFolder(dir.Folder() + u"Data");
        CUserProfile p;
        ASSERT_TRUE(supplier.LoadDefaultProfile(p));
        p.SetAccountName(account);
        p.SetFullName(account);
        ASSERT_TRUE(supplier.CreateUserFile(account, p));
    }

    CTrainTypingApp::Environment Env(ScreenDescription screen = {})
    {
        CTrainTypingApp::Environment env;
        env.installFolder = dir.Folder();
        env.screen = [screen] { return screen; };
        env.showMainFrame = false;
        env.instanceName = "KF_APP_TEST_" + std::to_string(::getpid());
        return env;
    }

    TempDir dir;
};

TEST_F(AppTest, StartsWithTheShippedStringsAndOpensTheMainFrame)
{
    RememberAccount(u"ada");
    CTrainTypingApp app(Env());
    std::vector<Shown> shown;
    app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(g_plain.empty());
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("Keyfarer"));
    EXPECT_EQ(app.DataFolder(), dir.Folder() + u"Data\\");
    EXPECT_EQ(app.TempFolder(), dir.Folder() + u"Temp\\");
    EXPECT_EQ(app.VersionText(), u"v3.1 build 0718");
    EXPECT_EQ(app.GetResString(u"IDS_CT_OK"), u"OK");
    EXPECT_EQ(app.ExitInstance(), 0);
}

TEST_F(AppTest, StringFileProblemsEndStartUpWithTheLiteralMessages)
{
    const std::u16string path = dir.Folder() + u"SysDat\\StringRes.txt";
    struct Case
    {
        std::string content;
        bool remove;
        std::u16string message;
    };
    const Case cases[] = {
        {"", true,
         u"Failed to open the file " + DisplayPath(path) +
             u", please reinstall to resolve this problem."},
        {"", false,
         u"Failed to open the file " + DisplayPath(path) +
             u", please reinstall to resolve this problem."},
        {"[String]\nIDS_CT_OK=OK\n", false,
         u"The string file " + DisplayPath(path) +
             u" is an invalid string file, please reinstall the software."},
        {"no section here\n", false,
         u"The string file " + DisplayPath(path) +
             u" is an invalid string file, please reinstall the software."},
    };
    for (const auto& c : cases) {
        g_plain.clear();
        if (c.remove)
            std::filesystem::remove(dir.path() / "SysDat/StringRes.txt");
        else
            dir.Write("SysDat/StringRes.txt", c.content);
        CTrainTypingApp app(Env());
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(g_plain.size(), 1u);
        EXPECT_EQ(g_plain[0], c.message);
        EXPECT_EQ(app.MainFrame(), nullptr);
        app.ExitInstance();
    }
}

TEST_F(AppTest, DisplayCheck)
{
    struct Case
    {
        ScreenDescription screen;
        const char16_t* problem;
    };
    const Case cases[] = {
        {{16, 800, 600}, nullptr},
        {{8, 1024, 768}, nullptr},
        {{24, 768, 560}, nullptr},
        {{16, 640, 480}, u"IDS_ERR_DISPLAYWIDTH"},
        {{4, 1024, 768}, u"IDS_ERR_DISPLAYCOLOR"},
        {{4, 640, 480}, u"IDS_ERR_DISPLAYCOLOR"},
    };
    for (const auto& c : cases) {
        const char16_t* p = CTrainTypingApp::DisplayProblem(c.screen);
        EXPECT_EQ(p ? std::u16string(p) : std::u16string(),
                  c.problem ? std::u16string(c.problem) : std::u16string());
    }
    CTrainTypingApp app(Env({16, 640, 480}));
    std::vector<Shown> shown;
    app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, app.GetResString(u"IDS_ERR_DISPLAYWIDTH"));
    EXPECT_EQ(shown[0].style, 0x10u);
    EXPECT_EQ(app.MainFrame(), nullptr);
    app.ExitInstance();
}

TEST_F(AppTest, MessagesAreFormattedCutAndFallBackToTheKey)
{
    RememberAccount(u"ada");
    CTrainTypingApp app(Env());
    std::vector<Shown> shown;
    app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown, 6));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.ShowMessageWithText(u"IDS_ERR_FILENOTFOUND", u"lesson7.txt", nullptr, 0x10), 6);
    EXPECT_NE(shown.back().text.find(u"lesson7.txt"), std::u16string::npos);
    app.ShowMessage(u"IDS_NOT_IN_THE_FILE", nullptr, 0);
    EXPECT_EQ(shown.back().text, u"IDS_NOT_IN_THE_FILE");
    app.ShowMessageWithText(u"IDS_ERR_FILENOTFOUND", std::u16string(2000, u'x'), nullptr, 0);
    EXPECT_EQ(shown.back().text.size(), 511u);
    app.ShowErrorWithSystemText(2, u"", nullptr);
    EXPECT_EQ(shown.back().text, u"The system cannot find the file specified.");
    app.ExitInstance();
}

TEST_F(AppTest, KeyNamesSoundsHelpAndLoginSettings)
{
    RememberAccount(u"ada");
    std::filesystem::remove(dir.path() / "sound/Strike.wav");
    CTrainTypingApp app(Env());
    ASSERT_TRUE(app.InitInstance());
    std::u16string name;
    EXPECT_FALSE(app.KeyDisplayName(u'A', name));
    EXPECT_EQ(name, u"A");
    EXPECT_TRUE(app.KeyDisplayName(u';', name));
    EXPECT_EQ(name, app.GetResString(u"IDS_KEYNAME_SEMICOLON"));
    EXPECT_FALSE(name.empty());

    std::vector<std::u16string> played;
    SetSoundPlayer(std::make_unique<RecordingSounds>(played));
    app.PlayUiSound(8); // the file is missing: nothing
    dir.Write("sound/Strike.wav", "RIFF");
    app.SetSoundOn(false);
    app.PlayUiSound(8); // sound switched off: nothing
    app.SetSoundOn(true);
    app.PlayUiSound(8);
    app.PlayUiSound(42);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0], app.SoundFile(8));
    SetSoundPlayer(nullptr);

    std::vector<std::u16string> opened;
    SetDesktopOpener(std::make_unique<RecordingDesktop>(opened));
    dir.Write("help/index.htm", "<html/>");
    dir.Write("help/lesson.htm", "<html/>");
    app.ShowHelpTopic();
    app.ShowHelpTopic(u"/lesson.htm");
    app.ShowHelpTopic(u"missing.htm");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], dir.Folder() + u"help\\index.htm");
    EXPECT_EQ(opened[1], dir.Folder() + u"help\\lesson.htm");
    EXPECT_EQ(opened[2], dir.Folder() + u"help\\index.htm");
    SetDesktopOpener(nullptr);

    app.SetStraightLoginId(u"alice");
    app.SetLastUserId(u"bob");
    app.SaveLoginSettings();
    app.SetStraightLoginId(u"");
    app.SetLastUserId(u"");
    app.LoadLoginSettings();
    EXPECT_EQ(app.StraightLoginId(), u"alice");
    EXPECT_EQ(app.LastUserId(), u"bob");
    app.ExitInstance();
}

TEST_F(AppTest, UserCopyOfASystemFileNeverOverwrites)
{
    TempDir home;
    ::setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    RememberAccount(u"ada");
    CTrainTypingApp app(Env());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(app.UserCopyOfSystemFile(u"Connect.ini").empty());
    dir.Write("SysDat/Connect.ini", "[Proxy]\nType=0\n");
    const std::u16string copy = app.UserCopyOfSystemFile(u"Connect.ini");
    EXPECT_EQ(copy, home.Folder() + u"Keyfarer/Connect.ini");
    home.Write("Keyfarer/Connect.ini", "[Proxy]\nType=3\n");
    EXPECT_EQ(app.UserCopyOfSystemFile(u"Connect.ini"), copy);
    EXPECT_EQ(home.Read("Keyfarer/Connect.ini"), "[Proxy]\nType=3\n");
    app.ExitInstance();
    ::unsetenv("XDG_DATA_HOME");
}

TEST_F(AppTest, PrivilegesAreReadOnceWithTheirDependencies)
{
    RememberAccount(u"ada");
    CPrivileges granted = CPrivileges::GrantAll();
    // ChooseTestCategory without ChooseTest, ChooseCourse without ChooseLesson.
    granted.Set(*CPrivileges::FindBit("ChooseTest"), false);
    granted.Set(*CPrivileges::FindBit("ChooseLesson"), false);
    ASSERT_TRUE(granted.ChooseTestCategory());
    ASSERT_TRUE(granted.ChooseCourse());
    dir.WriteBytes("Data/Account/privilege.cfg",
                   std::vector<uint8_t>(granted.data(), granted.data() + granted.size()));
    CTrainTypingApp app(Env());
    std::vector<Shown> shown;
    app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(app.Privileges().ChooseTestCategory());
    EXPECT_FALSE(app.Privileges().ChooseCourse());
    EXPECT_TRUE(app.Privileges().AllowGames());
    EXPECT_TRUE(app.Privileges().AllowNewUsers());
    app.ExitInstance();
}

TEST_F(AppTest, MissingOrShortPrivilegesEndStartUp)
{
    RememberAccount(u"ada");
    for (bool remove : {true, false}) {
        if (remove)
            std::filesystem::remove(dir.path() / "Data/Account/privilege.cfg");
        else
            dir.Write("Data/Account/privilege.cfg", test::Utf16Bytes(u"KY_PRIVILEGE", false));
        CTrainTypingApp app(Env());
        std::vector<Shown> shown;
        app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text.rfind(u"The privileges file", 0), 0u);
        EXPECT_EQ(shown[0].style, 0x10u);
        EXPECT_EQ(app.MainFrame(), nullptr);
        app.ExitInstance();
    }
}

TEST_F(AppTest, AStraightLoginStartsTheUserWithoutTheDialog)
{
    RememberAccount(u"ada");
    CTrainTypingApp app(Env());
    std::vector<Shown> shown;
    app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(app.UserAccount(), u"ada");
    EXPECT_EQ(app.UserFile(), app.Supplier().Store().UserFilePath(u"ada"));
    EXPECT_EQ(app.UserOptions().AccountName(), u"ada");
    EXPECT_EQ(app.UserOptions().LoginCount(), 1u);
    EXPECT_EQ(app.LastUserId(), u"ada");
    EXPECT_FALSE(app.Pump().WordDictionary().empty());
    EXPECT_FALSE(app.Pump().NumberDictionary().empty());
    EXPECT_FALSE(app.MainFrame()->LoginPending());
    EXPECT_EQ(GetPrivateProfileString(u"Login", u"LastUserID", u"", 32,
                                      dir.Folder() + u"SysDat/Keyfarer.ini"),
              u"ada");
    app.ExitInstance();
}

TEST_F(AppTest, ARememberedAccountThatIsGoneFallsBackToTheDialog)
{
    WritePrivateProfileString(u"Login", u"StraightLoginID", u"ghost",
                              dir.Folder() + u"SysDat/Keyfarer.ini");
    MakeAccount(u"ada");
    CTrainTypingApp::Environment env = Env();
    env.offerWizardWhenEmpty = false;
    CTrainTypingApp app(env);
    std::vector<Shown> shown;
    app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
    bool ran = false;
    test::WhenModalOpens<CDlgLogin>(
        [](CDlgLogin* dlg) { QTest::mouseClick(dlg->QuitButton(), Qt::LeftButton); }, &ran);
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(ran);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, app.GetResString(u"IDS_ERR_AUTOLOGINUID"));
    EXPECT_EQ(app.MainFrame(), nullptr);
    app.ExitInstance();
}

TEST_F(AppTest, AFirstUserIsGuidedFromTheWizardToTheDeskAndLaterLogsInStraight)
{
    TempDir runtime;
    CTrainTypingApp::Environment env = Env();
    env.showMainFrame = true;
    std::vector<Shown> shown;
    {
        // First start: no account exists, the wizard opens by itself.
        CTrainTypingApp app(env);
        app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
        bool ran = false;
        test::WizardChoices c;
        c.layout = QStringLiteral("UK");
        test::WhenModalOpens<CDlg_Wizard>([&](CDlg_Wizard* w) { test::DriveWizard(w, c); }, &ran);
        ASSERT_TRUE(app.InitInstance());
        EXPECT_TRUE(ran);
        EXPECT_TRUE(shown.empty()) << ToUtf8(shown.empty() ? u"" : shown[0].text);
        EXPECT_EQ(app.UserAccount(), u"grace");
        EXPECT_TRUE(app.MainFrame()->isVisible());
        EXPECT_EQ(app.MainFrame()->ScreenMode(), 0);
        // The user's layout replaced the built-in one.
        Bytes uk;
        ASSERT_TRUE(LocalLoadKeyboardLayout(app.DataFolder(), u"UK", 0, uk));
        CKeyboardLayout expected;
        ASSERT_TRUE(expected.LoadLayoutImage(uk, true));
        EXPECT_EQ(app.KeyboardLayout().LayoutImage(), expected.LayoutImage());
        EXPECT_NE(app.KeyboardLayout().LayoutImage(), CKeyboardLayout().LayoutImage());
        EXPECT_EQ(app.Look().GetSkinAdjust(), (SkinAdjust{-40, 0, 20}));
        EXPECT_EQ(app.ExitInstance(), 0);
    }
    CUserProfile stored;
    ASSERT_TRUE(ReadAccountFile(dir.Folder() + u"Data/Account/grace.dat", &stored));
    EXPECT_EQ(stored.KeyboardLayoutFile(), u"UK");
    EXPECT_EQ(stored.LoginCount(), 1u);
    // The administrators' tool reads the same file.
    const std::string dump = RunTool(std::string(KF_STAGE_DIR) + "/kftool user dump '" +
                                     dir.Native("Data/Account/grace.dat") + "' --json");
    EXPECT_NE(dump.find("\"AccountName\": \"grace\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"Keyboard_LayoutFile\": \"UK\""), std::string::npos);
    EXPECT_NE(dump.find("\"Single_Fullmark\": 150"), std::string::npos);
    EXPECT_NE(dump.find("\"Skin_Hue\": -40"), std::string::npos);

    {
        // Second start: the dialog; the user picks the direct login this time.
        CTrainTypingApp app(env);
        app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
        bool ran = false;
        test::WhenModalOpens<CDlgLogin>(
            [](CDlgLogin* dlg) {
                EXPECT_TRUE(dlg->NameBox()->currentText().isEmpty());
                dlg->NameBox()->setEditText(QStringLiteral("grace"));
                dlg->StraightBox()->setChecked(true);
                QTest::mouseClick(dlg->EnterButton(), Qt::LeftButton);
            },
            &ran);
        ASSERT_TRUE(app.InitInstance());
        EXPECT_TRUE(ran);
        app.ExitInstance();
    }
    {
        // Third start: straight in, no dialog.
        CTrainTypingApp app(env);
        app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
        bool dialog = false;
        QPointer<QTimer> watch =
            test::WhenModalOpens<CDlgLogin>([](CDlgLogin* dlg) { dlg->reject(); }, &dialog);
        ASSERT_TRUE(app.InitInstance());
        delete watch.data();
        EXPECT_FALSE(dialog);
        EXPECT_EQ(app.UserAccount(), u"grace");
        app.ExitInstance();
    }
    ASSERT_TRUE(ReadAccountFile(dir.Folder() + u"Data/Account/grace.dat", &stored));
    EXPECT_EQ(stored.LoginCount(), 3u);
    EXPECT_TRUE(shown.empty());
}

TEST_F(AppTest, APasswordChangeAskedForByTheProfileIsForcedAndSaved)
{
    MakeAccount(u"ada");
    {
        CUserData file;
        ASSERT_TRUE(
            file.Open(dir.Folder() + u"Data/Account/ada.dat", CMiniDatabase::OpenMode::Write));
        CUserProfile p = file.Profile();
        p.SetMustChangePassword(1);
        file.SetProfile(p);
        ASSERT_TRUE(file.WriteHeader());
    }
    for (bool cancel : {true, false}) {
        CTrainTypingApp::Environment env = Env();
        env.offerWizardWhenEmpty = false;
        CTrainTypingApp app(env);
        std::vector<Shown> shown;
        app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
        test::WhenModalOpens<CDlgLogin>([cancel](CDlgLogin* dlg) {
            test::WhenModalOpens<CDlgChangePasswd>([cancel](CDlgChangePasswd* pw) {
                EXPECT_FALSE(pw->OldPasswordEdit()->isVisible());
                if (cancel) {
                    pw->reject();
                    return;
                }
                pw->NewPasswordEdit()->setText(QStringLiteral("fresh"));
                pw->ConfirmEdit()->setText(QStringLiteral("fresh"));
                QTest::mouseClick(pw->OkButton(), Qt::LeftButton);
            });
            dlg->NameBox()->setEditText(QStringLiteral("ada"));
            QTest::mouseClick(dlg->EnterButton(), Qt::LeftButton);
        });
        EXPECT_EQ(app.InitInstance(), !cancel);
        app.ExitInstance();
    }
    CUserProfile stored;
    ASSERT_TRUE(ReadAccountFile(dir.Folder() + u"Data/Account/ada.dat", &stored));
    EXPECT_EQ(stored.Password(), u"fresh");
    EXPECT_EQ(stored.MustChangePassword(), 0);
}

TEST_F(AppTest, SwitchingUserLogsTheOtherUserInAndCancellingKeepsTheFirst)
{
    RememberAccount(u"ada");
    MakeAccount(u"bob");
    CTrainTypingApp app(Env());
    std::vector<Shown> shown;
    app.SetMessagePresenter(std::make_unique<RecordingPresenter>(shown));
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(app.UserAccount(), u"ada");

    // Cancelled after a failed attempt: ada stays and her file is held again.
    test::WhenModalOpens<CDlgLogin>([](CDlgLogin* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Switch user"));
        dlg->NameBox()->setEditText(QStringLiteral("nobody"));
        dlg->StraightBox()->setChecked(false);
        QTest::mouseClick(dlg->EnterButton(),
                          Qt::LeftButton); // asks; the recorder says OK, not yes
        QTest::mouseClick(dlg->QuitButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(app.SwitchUser());
    EXPECT_EQ(app.UserAccount(), u"ada");
    EXPECT_EQ(app.UserOptions().AccountName(), u"ada");
    app.UserOptions().SetSkinHue(33);
    app.Supplier().SetErrorKey(u"IDS_ERR_SAVEUSERCONFIG");
    EXPECT_TRUE(app.Supplier().SaveProfile(app.UserOptions()));

    test::WhenModalOpens<CDlgLogin>([](CDlgLogin* dlg) {
        dlg->NameBox()->setEditText(QStringLiteral("bob"));
        QTest::mouseClick(dlg->EnterButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(app.SwitchUser());
    EXPECT_EQ(app.UserAccount(), u"bob");
    EXPECT_EQ(app.UserFile(), app.Supplier().Store().UserFilePath(u"bob"));
    EXPECT_EQ(app.Supplier().Store().UserFile().Path(), app.UserFile());
    EXPECT_EQ(app.StraightLoginId(), u"bob"); // the box stayed ticked from the straight login

    // The desk's password icon: the current password is asked, the profile saved at once.
    test::WhenModalOpens<CDlgChangePasswd>([](CDlgChangePasswd* pw) {
        EXPECT_TRUE(pw->OldPasswordEdit()->isVisible());
        pw->NewPasswordEdit()->setText(QStringLiteral("b0b"));
        pw->ConfirmEdit()->setText(QStringLiteral("b0b"));
        QTest::mouseClick(pw->OkButton(), Qt::LeftButton);
    });
    shown.clear();
    EXPECT_TRUE(app.ChangePassword(true));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, app.GetResString(u"IDS_MES_CHANGEPASSWDOK"));
    EXPECT_EQ(shown[0].style, 0x40u);
    app.ExitInstance();

    CUserProfile ada, bob;
    ASSERT_TRUE(ReadAccountFile(dir.Folder() + u"Data/Account/ada.dat", &ada));
    ASSERT_TRUE(ReadAccountFile(dir.Folder() + u"Data/Account/bob.dat", &bob));
    EXPECT_EQ(ada.SkinHue(), 33);
    EXPECT_EQ(bob.Password(), u"b0b");
    EXPECT_EQ(bob.LoginCount(), 1u);
}

} // namespace
} // namespace kf
