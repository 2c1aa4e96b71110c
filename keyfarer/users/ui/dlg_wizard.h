#pragma once

// CDlg_Wizard: the new-user wizard, six pages one after the other (account, target speed,
// keyboard, practice, appearance, summary) that all edit one profile image. The image starts
// as the default settings; every page stores its fields when it is left forward, after its
// check; Finish on the last page creates the user file through the data supplier. Cancel
// leaves no trace: the image lives only as long as the wizard.

#include "content/locallayouts.h"
#include "skin/ui/tavropropertysheet.h"
#include "users/userprofile.h"

#include <string>
#include <vector>

namespace kf {

class LoginHost;

class CDlg_Wizard : public CTavroPropertySheet
{
    Q_OBJECT
public:
    // profile: the default settings (with names already set when the login proposed them);
    // layouts: the installed keyboard layouts as ListKeyboardLayouts answered them.
    CDlg_Wizard(LoginHost& host, const CUserProfile& profile, std::vector<LayoutListItem> layouts,
                QWidget* parent = nullptr);

    LoginHost& Host() const { return m_host; }
    CUserProfile& Profile() { return m_profile; }
    const CUserProfile& Profile() const { return m_profile; }
    const std::vector<LayoutListItem>& Layouts() const { return m_layouts; }

    // The last page's Finish: creates "Account\" + account + ".dat" with the profile (error
    // key "IDS_ERR_CREATEUSER"). False keeps the wizard on its last page.
    bool CreateAccount();
    // After a successful Finish: the new account and its password.
    const std::u16string& CreatedAccount() const { return m_createdAccount; }
    const std::u16string& CreatedPassword() const { return m_createdPassword; }

private:
    LoginHost& m_host;
    CUserProfile m_profile;
    std::vector<LayoutListItem> m_layouts;
    std::u16string m_createdAccount;
    std::u16string m_createdPassword;
};

} // namespace kf
