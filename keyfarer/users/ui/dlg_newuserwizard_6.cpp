#include "users/ui/dlg_newuserwizard_6.h"

#include "platform/textformat.h"
#include "skin/ui/skinpixmaps.h"
#include "users/ui/dlg_wizard.h"
#include "users/ui/loginhost.h"
#include "users/ui/skinlabel.h"
#include "users/userprofile.h"

#include <QGridLayout>
#include <QLabel>

namespace kf {

CDlg_NewUserWizard_6::CDlg_NewUserWizard_6(CDlg_Wizard& wizard)
    : CNewUserWizardPage(wizard, 6),
      m_account(MakeSkinLabel(LookRef(), {}, this, LabelKind::Value)),
      m_speed(MakeSkinLabel(LookRef(), {}, this, LabelKind::Value)),
      m_layout(MakeSkinLabel(LookRef(), {}, this, LabelKind::Value))
{
    AddTip(u"IDS_WIZARD_6_TIPS");
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    grid->addWidget(Caption(u"IDS_WIZARD_6_SUMMARY1"), 0, 0);
    grid->addWidget(m_account, 0, 1);
    grid->addWidget(Caption(u"IDS_WIZARD_6_SUMMARY2"), 1, 0);
    grid->addWidget(m_speed, 1, 1);
    grid->addWidget(Caption(u"IDS_WIZARD_6_SUMMARY3"), 2, 0);
    grid->addWidget(m_layout, 2, 1);
    grid->setColumnStretch(1, 1);
    Column()->addLayout(grid);
    Column()->addStretch(1);
}

void CDlg_NewUserWizard_6::OnSetActive()
{
    const CUserProfile& p = Profile();
    QString account = ToQString(p.AccountName());
    if (p.FullName() != p.AccountName())
        account += QStringLiteral("  (") + ToQString(p.FullName()) + QLatin1Char(')');
    m_account->setText(account);
    m_speed->setText(ToQString(
        FormatText(Host().Text(u"IDS_WIZARD_6_FWPM"), {FormatArg(p.SingleFullmark() / 5)})));
    m_layout->setText(ToQString(p.KeyboardLayoutFile()));
}

bool CDlg_NewUserWizard_6::OnWizardFinish()
{
    return Wizard().CreateAccount();
}

} // namespace kf
