#include "users/ui/newuserwizardpage.h"

#include "users/ui/dlg_wizard.h"
#include "users/ui/loginhost.h"
#include "users/ui/skinlabel.h"

#include <string>

namespace kf {

namespace {

QString StepTitle(CDlg_Wizard& wizard, int step)
{
    return QString::fromStdU16String(
        wizard.Host().Text(u"IDS_WIZARD_STEP" + std::u16string(1, char16_t(u'0' + step))));
}

} // namespace

CNewUserWizardPage::CNewUserWizardPage(CDlg_Wizard& wizard, int step)
    : CTavroPropertyPage(&wizard.Host().Look(), wizard.Host().Texts(), StepTitle(wizard, step)),
      m_wizard(wizard), m_step(step), m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(4, 0, 4, 0);
    m_column->setSpacing(10);
}

LoginHost& CNewUserWizardPage::Host() const
{
    return m_wizard.Host();
}

CUserProfile& CNewUserWizardPage::Profile() const
{
    return m_wizard.Profile();
}

void CNewUserWizardPage::ShowError(std::u16string_view key, std::u16string_view argument)
{
    std::vector<FormatArg> args;
    if (!argument.empty())
        args.emplace_back(argument);
    Host().ShowMessage(key, &m_wizard, 0x10, args);
}

void CNewUserWizardPage::AddTip(std::u16string_view tipKey)
{
    m_column->addWidget(MakeSkinLabel(LookRef(), Text(tipKey), this, LabelKind::Tip));
    m_column->addSpacing(6);
}

QLabel* CNewUserWizardPage::Caption(std::u16string_view key)
{
    return MakeSkinLabel(LookRef(), Text(key), this);
}

} // namespace kf
