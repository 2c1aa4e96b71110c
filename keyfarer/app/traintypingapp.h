#pragma once

// CTrainTypingApp: the application object of keyfarer. It exists once for the life of the
// process: it finds the installation folder, refuses a second running copy, loads the
// interface texts and the login settings, checks the display, creates the main frame, and
// offers every window the shared message, busy-cursor, sound and help operations. It owns
// the string table, the data supplier, the exercise engine, the look, the user options
// record, the current result record, the privileges copy and the keyboard layout of the
// logged-in user; every other object reaches them through it.

#include "content/keyboardlayout.h"
#include "content/privileges.h"
#include "content/resstring.h"
#include "platform/qt/screen.h"
#include "platform/singleinstance.h"
#include "platform/textformat.h"
#include "session/paradigmpump.h"
#include "skin/textlookup.h"
#include "skin/typingaspect.h"
#include "users/pump_typingdata.h"
#include "users/pumpexercisedata.h"
#include "users/resultrecord.h"
#include "users/suppliermessagesink.h"
#include "users/userprofile.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace kf {

class CMainFrame;
class MessagePresenter;

class CTrainTypingApp : private SupplierMessageSink
{
public:
    static constexpr const char16_t* kVersionText = u"v3.1 build 0718";
    static constexpr const char* kInstanceName = "EVENT_KEYFARERTUTOR";

    // What start-up takes from the machine, replaceable by tests.
    struct Environment
    {
        // The folder of the program file, with a trailing separator; empty: the real one.
        std::u16string installFolder;
        // The display; empty: the primary screen.
        std::function<ScreenDescription()> screen;
        // Whether the main frame is shown (tests of start-up need not show it).
        bool showMainFrame = true;
        // The single-instance name; tests use their own so a running copy does not disturb them.
        std::string instanceName = kInstanceName;
        // Off: the login dialog never opens the new-user wizard by itself (tests that drive
        // the plain dialog).
        bool offerWizardWhenEmpty = true;
    };

    CTrainTypingApp();
    explicit CTrainTypingApp(Environment env);
    ~CTrainTypingApp();
    CTrainTypingApp(const CTrainTypingApp&) = delete;
    CTrainTypingApp& operator=(const CTrainTypingApp&) = delete;

    // Runs the start-up steps in order; false ends the process (after ExitInstance). A
    // second copy fails silently, before any window.
    bool InitInstance();
    // The steps after a login: saves the login settings, applies the user's look, loads the
    // user's keyboard layout (a failure is reported and does not stop), sizes and shows the
    // main frame by "ScreenSize" and loads the practice dictionaries (false when they cannot
    // be loaded). The desk is started separately (StartDeskAfterLogin of the frame).
    bool StartAfterLogin();

    // The login dialog, at start-up or (switchUser) from the desk. True when a user logged in:
    // the profile is in UserOptions() and UserFile() names the file.
    bool RunLogin(bool switchUser);
    // The desk's user area: the login dialog to change users, then the steps after login and
    // the desk's first mode. Cancelling keeps the current user. False when the program must
    // end (an upgrade was started, or a required password change was cancelled).
    bool SwitchUser();
    // The password dialog on the current user (askOld: the current password is asked too);
    // on success the profile is saved and "IDS_MES_CHANGEPASSWDOK" shown. True when changed.
    bool ChangePassword(bool askOld, QWidget* owner = nullptr);
    // The version number the last login dialog reported (-1: none).
    int ReportedVersion() const { return m_reportedVersion; }
    // Releases what the object owns, in order; returns the exit code.
    int ExitInstance();

    // True when InitInstance failed because another copy runs.
    bool AnotherCopyRuns() const { return m_instance.AnotherCopyRuns(); }

    // --- shared operations ---

    bool GetResString(std::u16string& out, std::u16string_view key,
                      std::u16string_view defaultText = {}) const;
    std::u16string GetResString(std::u16string_view key,
                                std::u16string_view defaultText = {}) const;

    // The key's text formatted with args (cut at 511 characters) in the message box; returns
    // the box result (6 means yes). A key the table lacks shows the key itself.
    int ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                    const std::vector<FormatArg>& args = {});
    // EndBusy, then the key's text formatted with the one text; no owner means the main frame.
    int ShowMessageWithText(std::u16string_view key, std::u16string_view text, QWidget* owner,
                            unsigned style);
    // EndBusy, then the text unchanged.
    int ShowTextMessage(std::u16string_view text, QWidget* owner, unsigned style);
    // The platform's text for the error code (-1: the last error), alone or as the one
    // argument of the key's text.
    int ShowErrorWithSystemText(int64_t code, std::u16string_view key, QWidget* owner);

    void BeginBusy(std::u16string_view statusKey, int phase);
    // Restores the cursor and hides any notice; keeps the last-error value.
    void EndBusy();

    // Plays entry 0 to 9 of the sound table when the user's "SoundOn" is set and the file
    // exists; otherwise nothing.
    void PlayUiSound(int index);
    // The file of a sound-table entry (install folder + "sound\\..."); empty for a bad index.
    std::u16string SoundFile(int index) const { return m_look.SoundFile(index); }

    // Opens the help (HTML pages under "help\\") in the desktop's browser; a topic names a
    // page of the help ("lesson.htm"), the index page otherwise or when it is missing.
    void ShowHelpTopic(std::u16string_view topic = {});

    // For carriage return, the quotes, comma, full stop, colon, semicolon and question mark:
    // the interface text of the key's name and true; otherwise the character and false.
    bool KeyDisplayName(char16_t ch, std::u16string& out) const;

    void SaveLoginSettings();
    void LoadLoginSettings();
    void RunAutoUpgrade();

    // A writable per-user copy of a file of "SysDat\\": copied (never over an existing copy)
    // into the folder "Keyfarer" of the user's data folder; empty when the system file is
    // missing.
    std::u16string UserCopyOfSystemFile(std::u16string_view name);

    // --- state ---

    const std::u16string& InstallFolder() const { return m_installFolder; }
    const std::u16string& TempFolder() const { return m_tempFolder; }
    const std::u16string& DataFolder() const { return m_dataFolder; }
    std::u16string SysDatFolder() const { return m_installFolder + u"SysDat\\"; }
    const std::u16string& StraightLoginId() const { return m_straightLoginId; }
    const std::u16string& LastUserId() const { return m_lastUserId; }
    void SetStraightLoginId(std::u16string_view id)
    {
        m_straightLoginId = std::u16string(id.substr(0, 31));
    }
    void SetLastUserId(std::u16string_view id) { m_lastUserId = std::u16string(id.substr(0, 31)); }
    const std::u16string& VersionText() const { return m_versionText; }
    const CResString& Strings() const { return m_strings; }
    CTypingAspect& Look() { return m_look; }
    const CTypingAspect& Look() const { return m_look; }
    // The string table as the skinned toolkit's text lookup.
    const TextLookup& Texts() const { return m_texts; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

    // --- the program-wide objects, valid for the whole life of the application object
    CPump_TypingData& Supplier() { return m_supplier; }
    CParadigmPump& Pump() { return m_pump; }
    // The user options record: the logged-in user's profile (all zero before a login).
    CUserProfile& UserOptions() { return m_userOptions; }
    const CUserProfile& UserOptions() const { return m_userOptions; }
    // The result record of the latest exercise, filled by the desk.
    CResultRecord& CurrentResult() { return m_currentResult; }
    // The copy of "privilege.cfg" read at start-up (all withheld before it is read).
    const CPrivileges& Privileges() const { return m_privileges; }
    // The layout the user types with; the built-in default until a layout is loaded.
    CKeyboardLayout& KeyboardLayout() { return m_keyboardLayout; }
    // The logged-in user's data file (stored path) and account name; empty before a login.
    const std::u16string& UserFile() const { return m_userFile; }
    const std::u16string& UserAccount() const { return m_userAccount; }
    // Loads "KBLayout\" + file + ".kbl" with the user's "WhichHand" finger file into
    // KeyboardLayout() and the engine's key tables (error key "IDS_ERR_LOADKBLAYOUT"); false
    // keeps the previous layout.
    bool LoadKeyboardLayout(std::u16string_view file);
    // Opens a web page in the desktop's browser; false when none could be started.
    bool OpenWebPage(std::u16string_view url);
    // Leaves the program: the frame's exit command.
    void ExitProgram();
    const ScreenDescription& Screen() const { return m_screen; }

    // The user's "SoundOn" option (set from the user options at login).
    void SetSoundOn(bool on) { m_soundOn = on; }
    bool SoundOn() const { return m_soundOn; }

    // Replaces the message presenter (the skinned box, or a recorder in tests).
    void SetMessagePresenter(std::unique_ptr<MessagePresenter> presenter);

    // Checks a display as start-up does: 0 fine, else the key of the message it shows.
    static const char16_t* DisplayProblem(const ScreenDescription& screen);

private:
    int Present(QWidget* owner, std::u16string_view text, unsigned style);
    void ShowSupplierError(std::u16string_view key, std::u16string_view detail,
                           uint32_t code) override;
    bool LoadPrivileges();
    bool StraightLogin();
    // The forced password change of a profile that asks for it; false when it was cancelled.
    bool ForcedPasswordChange();
    void ApplyUserLook();

    Environment m_env;
    SingleInstance m_instance;
    CResString m_strings;
    TextLookup m_texts;
    CTypingAspect m_look;
    CPump_TypingData m_supplier;
    PumpExerciseData m_exerciseData{m_supplier};
    CParadigmPump m_pump{&m_exerciseData};
    CUserProfile m_userOptions;
    CResultRecord m_currentResult;
    CPrivileges m_privileges;
    CKeyboardLayout m_keyboardLayout;
    std::u16string m_userFile;
    std::u16string m_userAccount;
    int m_reportedVersion = -1;
    int m_supplierErrors = 0; // messages the supplier reported, for callers that must know
    std::unique_ptr<MessagePresenter> m_presenter;
    std::unique_ptr<CMainFrame> m_mainFrame;
    ScreenDescription m_screen;
    std::u16string m_installFolder;
    std::u16string m_tempFolder;
    std::u16string m_dataFolder;
    std::u16string m_straightLoginId;
    std::u16string m_lastUserId;
    std::u16string m_versionText;
    bool m_soundOn = true;
    bool m_presenterChosen = false; // a presenter set by the caller stays
    int m_busyDepth = 0;
};

// The one application object (set while it exists).
CTrainTypingApp* TheApp();

} // namespace kf
