#include "users/ui/dlg_wizard.h"

#include "skin/ui/skinpixmaps.h"
#include "users/pump_typingdata.h"
#include "users/ui/dlg_newuserwizard_1.h"
#include "users/ui/dlg_newuserwizard_2.h"
#include "users/ui/dlg_newuserwizard_3.h"
#include "users/ui/dlg_newuserwizard_4.h"
#include "users/ui/dlg_newuserwizard_5.h"
#include "users/ui/dlg_newuserwizard_6.h"
#include "users/ui/loginhost.h"

namespace kf {

CDlg_Wizard::CDlg_Wizard(LoginHost& host, const CUserProfile& profile,
                         std::vector<LayoutListItem> layouts, QWidget* parent)
    : CTavroPropertySheet(&host.Look(), host.Texts(),
                          ToQString(host.Text(u"IDS_WIZARD_NEWUSER_TITLE")), parent),
      m_host(host), m_profile(profile), m_layouts(std::move(layouts))
{
    SetWizardMode(true);
    AddPage(new CDlg_NewUserWizard_1(*this));
    AddPage(new CDlg_NewUserWizard_2(*this));
    AddPage(new CDlg_NewUserWizard_3(*this));
    AddPage(new CDlg_NewUserWizard_4(*this));
    AddPage(new CDlg_NewUserWizard_5(*this));
    AddPage(new CDlg_NewUserWizard_6(*this));
    resize(660, 470);
}

bool CDlg_Wizard::CreateAccount()
{
    CPump_TypingData& supplier = m_host.Supplier();
    const std::u16string account = m_profile.AccountName();
    supplier.SetErrorKey(u"IDS_ERR_CREATEUSER");
    if (!supplier.CreateUserFile(account, m_profile))
        return false;
    m_createdAccount = account;
    m_createdPassword = m_profile.Password();
    return true;
}

} // namespace kf
