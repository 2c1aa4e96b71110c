#include "users/ui/dlg_newuserwizard_1.h"

#include "platform/path.h"
#include "platform/utf.h"
#include "skin/ui/flatedit.h"
#include "skin/ui/skinpixmaps.h"
#include "users/accountname.h"
#include "users/pump_typingdata.h"
#include "users/ui/dlg_wizard.h"
#include "users/ui/loginhost.h"
#include "users/ui/skinlabel.h"

#include <QGridLayout>

namespace kf {

namespace {

std::u16string Trimmed(const QString& text)
{
    return std::u16string(TrimBlanks(FromQString(text)));
}

} // namespace

CDlg_NewUserWizard_1::CDlg_NewUserWizard_1(CDlg_Wizard& wizard)
    : CNewUserWizardPage(wizard, 1), m_account(new CFlatEdit(Look(), this)),
      m_fullName(new CFlatEdit(Look(), this))
{
    AddTip(u"IDS_WIZARD_1_USERNAME");
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    grid->addWidget(Caption(u"IDS_WIZARD_1_ACCOUNTNAME"), 0, 0);
    grid->addWidget(m_account, 0, 1);
    grid->addWidget(Caption(u"IDS_WIZARD_1_FULLNAME"), 1, 0);
    grid->addWidget(m_fullName, 1, 1);
    grid->setColumnStretch(1, 1);
    Column()->addLayout(grid);
    Column()->addSpacing(8);
    // The password row's button stays hidden: a new account starts without a password.
    Column()->addWidget(
        MakeSkinLabel(LookRef(), Text(u"IDS_WIZARD_1_PASSWD"), this, LabelKind::Tip));
    Column()->addStretch(1);

    m_account->setMaxLength(int(kMaxAccountNameLength));
    m_fullName->setMaxLength(int(kMaxAccountNameLength));
    connect(m_account, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_fullNameFollows)
            m_fullName->setText(text.trimmed());
    });
    connect(m_fullName, &QLineEdit::textEdited, this, [this] { m_fullNameFollows = false; });
}

void CDlg_NewUserWizard_1::OnSetActive()
{
    if (!m_filled) {
        m_filled = true;
        m_account->setText(ToQString(Profile().AccountName()));
        m_fullName->setText(ToQString(Profile().FullName()));
        m_fullNameFollows = m_fullName->text().trimmed() == m_account->text().trimmed();
    }
    m_account->setFocus();
    m_account->selectAll();
}

bool CDlg_NewUserWizard_1::OnKillActive()
{
    const std::u16string account = Trimmed(m_account->text());
    const std::u16string fullName = Trimmed(m_fullName->text());
    if (account.empty()) {
        m_account->setFocus();
        return false;
    }
    if (fullName.empty()) {
        ShowError(u"IDS_ERR_NOFULLUSERNAME");
        m_fullName->setFocus();
        return false;
    }
    if (!IsValidAccountName(account)) {
        ShowError(u"IDS_ERR_INVALIDUSERNAME");
        m_account->setFocus();
        return false;
    }
    if (PathExists(Host().Supplier().Store().UserFilePath(account))) {
        ShowError(u"IDS_ERR_USENAMEEXIST", account);
        m_account->setFocus();
        m_account->selectAll();
        return false;
    }
    Profile().SetAccountName(account.substr(0, kMaxAccountNameLength));
    Profile().SetFullName(fullName.substr(0, kMaxAccountNameLength));
    return true;
}

} // namespace kf
