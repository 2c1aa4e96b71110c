#pragma once

// Wizard page 6, the summary: the user name, the target speed in words per minute and the
// keyboard layout as the earlier pages stored them. Finish creates the account; a failure
// (shown with "IDS_ERR_CREATEUSER") keeps the wizard here.

#include "users/ui/newuserwizardpage.h"

class QLabel;

namespace kf {

class CDlg_NewUserWizard_6 : public CNewUserWizardPage
{
    Q_OBJECT
public:
    explicit CDlg_NewUserWizard_6(CDlg_Wizard& wizard);

    void OnSetActive() override;
    bool OnWizardFinish() override;

    QLabel* AccountValue() const { return m_account; }
    QLabel* SpeedValue() const { return m_speed; }
    QLabel* LayoutValue() const { return m_layout; }

private:
    QLabel* m_account;
    QLabel* m_speed;
    QLabel* m_layout;
};

} // namespace kf
