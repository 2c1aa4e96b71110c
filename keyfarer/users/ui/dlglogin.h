#pragma once

// CDlgLogin: the login. The user types (or picks) an account name; Enter opens that
// account's user file, copies its profile into the current user record and, with the
// direct-login box ticked, remembers the account for the next start. There is no password
// check. A name without an account offers the new-user wizard when new users are allowed, and
// the "New user" button starts it at once; an account the wizard created logs in directly.
//
// With the privilege ShowAccountList the name list holds one entry, "IDS_CT_LISTUSERS";
// choosing it lists the accounts. At start-up on an installation without any account, the
// dialog opens the wizard by itself, so a first user is led straight to a working account.

#include "skin/ui/ownerdrawdialog.h"

#include <string>
#include <string_view>

namespace kf {

class CAniButton;
class CKFCheckBox;
class CKFCombox;
class LoginHost;

class CDlgLogin : public COwnerDrawDialog
{
    Q_OBJECT
public:
    // switchUser: opened from the desk to change users (title "IDS_WT_SWITCHUSER" and Cancel
    // instead of Quit) rather than at start-up.
    CDlgLogin(LoginHost& host, bool switchUser, QWidget* parent = nullptr);

    // Logs the account in as Enter does (blanks around the name are dropped). True closes the
    // dialog with the profile in the current user record.
    bool LoginAccount(std::u16string_view name, bool remember);
    // Runs the wizard on the default profile, with the proposed name (asked about first when
    // askFirst). True when the wizard created the account; its name is in account.
    bool CreateAccountWithWizard(std::u16string_view proposed, bool askFirst,
                                 std::u16string& account);

    // After the dialog ended with OK: the account and its user file.
    const std::u16string& Account() const { return m_account; }
    const std::u16string& UserFilePath() const { return m_userFile; }
    // The version number a data server reported; the local store reports none (-1).
    int ReportedVersion() const { return -1; }
    bool SwitchingUser() const { return m_switchUser; }

    // Off: the dialog never starts the wizard by itself (tests of the plain dialog).
    void SetOfferWizardWhenEmpty(bool on) { m_offerWizard = on; }

    CKFCombox* NameBox() const { return m_name; }
    CKFCheckBox* StraightBox() const { return m_straight; }
    CAniButton* EnterButton() const { return m_enter; }
    CAniButton* NewUserButton() const { return m_newUser; }
    CAniButton* QuitButton() const { return m_quit; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool AllowNewUsers() const;
    void OnEnter();
    void OnNewUser();
    void OnNameChosen(int index);
    // Fills the name list with the accounts; false when they could not be read.
    bool FillAccountList();
    // True when the Account folder holds no account.
    bool NoAccountYet();
    void FocusName();

    LoginHost& m_host;
    bool m_switchUser;
    bool m_offerWizard = true;
    bool m_offered = false;
    bool m_working = false; // a login or a wizard started from the dialog is under way
    CKFCombox* m_name;
    CKFCheckBox* m_straight;
    CAniButton* m_enter;
    CAniButton* m_newUser;
    CAniButton* m_quit;
    std::u16string m_account;
    std::u16string m_userFile;
    // The account and password a just-finished wizard proposes.
    std::u16string m_proposedAccount;
    std::u16string m_proposedPassword;
};

} // namespace kf
