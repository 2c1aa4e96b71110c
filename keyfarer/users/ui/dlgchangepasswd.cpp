#include "users/ui/dlgchangepasswd.h"

#include "skin/ui/anibutton.h"
#include "skin/ui/flatedit.h"
#include "skin/ui/skinpixmaps.h"
#include "users/pump_typingdata.h"
#include "users/ui/loginhost.h"
#include "users/ui/skinlabel.h"
#include "users/userprofile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace kf {

CDlgChangePasswd::CDlgChangePasswd(LoginHost& host, bool askOldPassword, QWidget* parent)
    : COwnerDrawDialog(&host.Look(), host.Texts(), parent), m_host(host), m_askOld(askOldPassword),
      m_old(new CFlatEdit(&host.Look(), this)), m_new(new CFlatEdit(&host.Look(), this)),
      m_confirm(new CFlatEdit(&host.Look(), this)),
      m_ok(new CAniButton(&host.Look(), Text(u"IDS_CT_OK"), this)),
      m_cancel(new CAniButton(&host.Look(), Text(u"IDS_CT_CANCEL"), this))
{
    const CControlAspect& look = host.Look();
    setWindowTitle(Text(u"IDS_WT_CHANGEPASSWD"));
    SetContentPadding(20);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(14);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    int row = 0;
    const auto addRow = [&](std::u16string_view key, CFlatEdit* edit) {
        edit->SetStarMask(true);
        edit->setMaxLength(kMaxPasswordLength);
        edit->setMinimumWidth(200);
        grid->addWidget(MakeSkinLabel(look, Text(key), this), row, 0);
        grid->addWidget(edit, row++, 1);
    };
    if (m_askOld)
        addRow(u"IDS_CT_OLDPASS", m_old);
    else
        m_old->hide();
    addRow(u"IDS_CT_LOGIN_PASSWORD", m_new);
    addRow(u"IDS_CT_NU_PASSCONFIRM", m_confirm);
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);
    m_ok->SetDefault(true);
    connect(m_ok, &QAbstractButton::clicked, this, &CDlgChangePasswd::accept);
    connect(m_cancel, &QAbstractButton::clicked, this, &CDlgChangePasswd::reject);
    (m_askOld ? m_old : m_new)->setFocus();
}

void CDlgChangePasswd::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    COwnerDrawDialog::keyPressEvent(event);
}

void CDlgChangePasswd::accept()
{
    const std::u16string password = FromQString(m_new->text()).substr(0, kMaxPasswordLength);
    if (m_new->text() != m_confirm->text()) {
        m_host.ShowMessage(u"IDS_ERR_PASSNOTMATCH", this, 0x10);
        m_new->setFocus();
        m_new->selectAll();
        return;
    }
    if (m_askOld) {
        CPump_TypingData& supplier = m_host.Supplier();
        supplier.SetErrorKey(u"IDS_ERR_CHANGEPASSWD");
        if (!supplier.ChangePassword(FromQString(m_old->text()), password))
            return;
    }
    m_host.UserOptions().SetPassword(password);
    COwnerDrawDialog::accept();
}

} // namespace kf
