#pragma once

// The common ground of the six new-user wizard pages: the page's caption
// ("IDS_WIZARD_STEP" + page number), the profile image they edit, the host's messages, and a
// column layout that starts with the page's explanation.

#include "skin/ui/tavropropertypage.h"

#include <QLabel>
#include <QVBoxLayout>

#include <string_view>

namespace kf {

class CDlg_Wizard;
class CUserProfile;
class LoginHost;

class CNewUserWizardPage : public CTavroPropertyPage
{
    Q_OBJECT
public:
    CNewUserWizardPage(CDlg_Wizard& wizard, int step);

    int Step() const { return m_step; }

protected:
    CDlg_Wizard& Wizard() const { return m_wizard; }
    LoginHost& Host() const;
    CUserProfile& Profile() const;
    const CControlAspect& LookRef() const { return *Look(); }
    // Shows the key's message with the error icon over the wizard.
    void ShowError(std::u16string_view key, std::u16string_view argument = {});
    // The page's column: the explanation of tipKey (none when empty) and then the page's rows.
    QVBoxLayout* Column() const { return m_column; }
    void AddTip(std::u16string_view tipKey);
    // A caption label in the look.
    QLabel* Caption(std::u16string_view key);

private:
    CDlg_Wizard& m_wizard;
    int m_step;
    QVBoxLayout* m_column;
};

} // namespace kf
