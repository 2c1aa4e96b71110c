#pragma once

// Wizard page 1, the account: the user name the user logs in with and the full name shown on
// reports. Leaving forward checks that both are given, that the user name can name a file
// and that no account of that name exists, then stores both (at most 31 characters each).
// The new account starts without a password. While the full name has not been edited it
// follows the user name, so a beginner only types once.

#include "users/ui/newuserwizardpage.h"

namespace kf {

class CFlatEdit;

class CDlg_NewUserWizard_1 : public CNewUserWizardPage
{
    Q_OBJECT
public:
    explicit CDlg_NewUserWizard_1(CDlg_Wizard& wizard);

    void OnSetActive() override;
    bool OnKillActive() override;

    CFlatEdit* AccountEdit() const { return m_account; }
    CFlatEdit* FullNameEdit() const { return m_fullName; }

private:
    CFlatEdit* m_account;
    CFlatEdit* m_fullName;
    bool m_filled = false;
    bool m_fullNameFollows = true;
};

} // namespace kf
