#include "users/ui/dlglogin.h"

#include "content/locallayouts.h"
#include "content/privileges.h"
#include "platform/clock.h"
#include "platform/utf.h"
#include "skin/typingaspect.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/skinpixmaps.h"
#include "users/accountlistentry.h"
#include "users/accountname.h"
#include "users/pump_typingdata.h"
#include "users/ui/dlg_wizard.h"
#include "users/ui/loginhost.h"
#include "users/ui/skinlabel.h"
#include "users/userprofile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace kf {

namespace {

// The store's reasons for a user file it cannot read (LocalUserStore::OpenUserFile).
constexpr uint32_t kErrFileVersion = 11;
constexpr uint32_t kErrFileFormat = 12;

// The look's lesson icon, the program's emblem on the login dialog.
QPixmap Emblem(const CControlAspect& look)
{
    const QPixmap icons = SkinPixmap(look, skinbmp::kDeskIcons);
    if (icons.isNull())
        return {};
    return icons.copy(kIconFrameNormal * kIconSize, int(DeskIcon::Train) * kIconSize, kIconSize,
                      kIconSize);
}

std::vector<CAccountListEntry> AccountEntries(ByteSpan answer)
{
    std::vector<CAccountListEntry> entries;
    for (size_t at = 0; at + CAccountListEntry::kSize <= answer.size();
         at += CAccountListEntry::kSize) {
        CAccountListEntry e;
        e.Assign(answer.subspan(at, CAccountListEntry::kSize));
        entries.push_back(e);
    }
    return entries;
}

} // namespace

CDlgLogin::CDlgLogin(LoginHost& host, bool switchUser, QWidget* parent)
    : COwnerDrawDialog(&host.Look(), host.Texts(), parent), m_host(host), m_switchUser(switchUser),
      m_name(new CKFCombox(&host.Look(), this)),
      m_straight(new CKFCheckBox(&host.Look(), Text(u"IDS_CT_LOGIN_STRAIGHT"), this)),
      m_enter(new CAniButton(&host.Look(), Text(u"IDS_CT_LOGIN_ENTER"), this)),
      m_newUser(new CAniButton(&host.Look(), Text(u"IDS_CT_LOGIN_NEWUSER"), this)),
      m_quit(new CAniButton(&host.Look(),
                            Text(switchUser ? u"IDS_CT_CANCEL" : u"IDS_CT_LOGIN_QUIT"), this))
{
    const CControlAspect& look = host.Look();
    setWindowTitle(Text(switchUser ? u"IDS_WT_SWITCHUSER" : u"IDS_WT_LOGIN"));
    SetContentPadding(20);

    auto* column = new QVBoxLayout(this);
    column->setSpacing(12);

    auto* head = new QHBoxLayout;
    head->setSpacing(14);
    auto* emblem = new QLabel(this);
    emblem->setPixmap(Emblem(look));
    emblem->setFixedSize(kIconSize, kIconSize);
    head->addWidget(emblem, 0, Qt::AlignTop);
    auto* headText = new QVBoxLayout;
    headText->setSpacing(4);
    headText->addWidget(
        MakeSkinLabel(look, Text(u"IDS_CT_LOGIN_WELCOME"), this, LabelKind::Heading));
    headText->addWidget(MakeSkinLabel(look, Text(u"IDS_CT_LOGIN_TIPS"), this, LabelKind::Tip));
    head->addLayout(headText, 1);
    column->addLayout(head);
    column->addSpacing(4);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(MakeSkinLabel(look, Text(u"IDS_CT_LOGIN_USERNAME"), this), 0, 0);
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->lineEdit()->setMaxLength(int(kMaxAccountNameLength));
    m_name->setMinimumWidth(230);
    grid->addWidget(m_name, 0, 1);
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    column->addWidget(m_straight);
    column->addSpacing(8);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(m_newUser);
    buttons->addStretch(1);
    buttons->addWidget(m_enter);
    buttons->addWidget(m_quit);
    column->addLayout(buttons);
    m_enter->SetDefault(true);

    m_newUser->setEnabled(AllowNewUsers());
    m_straight->setChecked(!host.StraightLoginId().empty());
    if (host.Privileges().ShowAccountList())
        m_name->addItem(Text(u"IDS_CT_LISTUSERS"));
    m_name->setEditText(ToQString(host.LastUserId()));

    connect(m_enter, &QAbstractButton::clicked, this, &CDlgLogin::OnEnter);
    connect(m_newUser, &QAbstractButton::clicked, this, &CDlgLogin::OnNewUser);
    connect(m_quit, &QAbstractButton::clicked, this, &CDlgLogin::reject);
    connect(m_name, &QComboBox::activated, this, &CDlgLogin::OnNameChosen);

    setFixedWidth(std::max(440, sizeHint().width()));
}

bool CDlgLogin::AllowNewUsers() const
{
    return m_host.Privileges().AllowNewUsers();
}

void CDlgLogin::FocusName()
{
    m_name->setFocus();
    m_name->lineEdit()->selectAll();
}

void CDlgLogin::showEvent(QShowEvent* event)
{
    COwnerDrawDialog::showEvent(event);
    FocusName();
    if (m_offered || !m_offerWizard || m_switchUser || !AllowNewUsers())
        return;
    m_offered = true;
    if (NoAccountYet())
        QTimer::singleShot(0, this, &CDlgLogin::OnNewUser);
}

void CDlgLogin::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnEnter();
        return;
    }
    COwnerDrawDialog::keyPressEvent(event);
}

bool CDlgLogin::NoAccountYet()
{
    CPump_TypingData& supplier = m_host.Supplier();
    supplier.SetErrorKey(u"IDS_ERR_LISTUSER");
    if (!supplier.ListAccounts())
        return false;
    return supplier.GetResultLength() < CAccountListEntry::kSize;
}

bool CDlgLogin::FillAccountList()
{
    const QString typed = m_name->currentText();
    m_host.BeginBusy(u"IDS_MES_LISTUSER");
    CPump_TypingData& supplier = m_host.Supplier();
    supplier.SetErrorKey(u"IDS_ERR_LISTUSER");
    const bool ok = supplier.ListAccounts();
    m_host.EndBusy();
    if (!ok) {
        m_name->setEditText(typed);
        return false;
    }
    const std::vector<CAccountListEntry> entries = AccountEntries(supplier.Result());
    const QSignalBlocker block(m_name);
    while (m_name->count() > 1)
        m_name->removeItem(m_name->count() - 1);
    const std::u16string last = m_host.LastUserId();
    int select = -1;
    for (const CAccountListEntry& e : entries) {
        const std::u16string name = e.AccountName();
        m_name->addItem(ToQString(name));
        if (select < 0 && !last.empty() && EqualsNoCase(name, last))
            select = m_name->count() - 1;
    }
    if (select < 0)
        select = m_name->count() > 1 ? 1 : -1;
    if (select >= 0)
        m_name->setCurrentIndex(select);
    else
        m_name->setEditText(QString());
    return true;
}

void CDlgLogin::OnNameChosen(int index)
{
    if (index == 0 && m_host.Privileges().ShowAccountList()) {
        FillAccountList();
        FocusName();
    }
}

void CDlgLogin::OnEnter()
{
    // Enter reaches the dialog once more after the login it started has closed it.
    if (m_working || result() == QDialog::Accepted)
        return;
    m_working = true;
    struct Done
    {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_working};
    // Choosing the list entry leaves its text in the field; it is no name to log in with.
    if (m_host.Privileges().ShowAccountList() && m_name->count() > 0 &&
        m_name->currentText() == m_name->itemText(0)) {
        FillAccountList();
        FocusName();
        return;
    }
    LoginAccount(FromQString(m_name->currentText()), m_straight->isChecked());
}

void CDlgLogin::OnNewUser()
{
    if (!AllowNewUsers() || m_working || result() == QDialog::Accepted)
        return;
    m_working = true;
    struct Done
    {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_working};
    std::u16string account;
    if (CreateAccountWithWizard({}, false, account))
        LoginAccount(account, m_straight->isChecked());
    else
        FocusName();
}

bool CDlgLogin::LoginAccount(std::u16string_view typed, bool remember)
{
    const std::u16string name(TrimBlanks(typed));
    if (name.empty()) {
        m_host.ShowMessage(u"IDS_ERR_NOUSERNAME", this, 0x10);
        FocusName();
        return false;
    }
    if (!IsValidAccountName(name)) {
        m_host.ShowMessage(u"IDS_ERR_INVALIDUSERNAME", this, 0x10);
        FocusName();
        return false;
    }
    CPump_TypingData& supplier = m_host.Supplier();
    const std::u16string path = supplier.Store().UserFilePath(name);
    CUserProfile profile;
    uint32_t error = 0;
    const int opened = supplier.OpenUserFile(path, name, profile, error);
    if (opened != CPump_TypingData::kOpenOk) {
        if (opened == CPump_TypingData::kOpenNotFound) {
            // Only a name without an account leads to the wizard: a damaged or locked file
            // must never be replaced by a new account of the same name.
            std::u16string created;
            if (AllowNewUsers() && CreateAccountWithWizard(name, true, created))
                return LoginAccount(created, remember);
        } else if (error == kErrFileVersion) {
            m_host.ShowMessage(u"IDS_ERR_FILEVERSION", this, 0x10);
        } else if (error == kErrFileFormat) {
            m_host.ShowMessage(u"IDS_ERR_FILEFORMAT", this, 0x10);
        } else {
            m_host.ShowErrorWithSystemText(error, {}, this);
        }
        FocusName();
        return false;
    }
    m_host.UserOptions() = profile;
    if (remember) {
        m_host.SetStraightLoginId(name);
        m_host.SetLastUserId(name);
    } else {
        m_host.SetStraightLoginId({});
        m_host.SetLastUserId({});
    }
    m_account = name;
    m_userFile = path;
    accept();
    return true;
}

bool CDlgLogin::CreateAccountWithWizard(std::u16string_view proposed, bool askFirst,
                                        std::u16string& account)
{
    CPump_TypingData& supplier = m_host.Supplier();
    CUserProfile profile;
    supplier.SetErrorKey(u"IDS_ERR_LOADDEFAULTPROP");
    if (!supplier.LoadDefaultProfile(profile))
        return false;
    if (askFirst) {
        const std::u16string name(TrimBlanks(proposed));
        if (name.empty()) {
            m_host.ShowMessage(u"IDS_ERR_NOINPUTUSERNAME", this, 0x10);
            return false;
        }
        if (m_host.ShowMessage(u"IDS_QUERY_CREATENEWUSER", this, 0x24, {FormatArg(name)}) != 6)
            return false;
        profile.SetAccountName(name.substr(0, kMaxAccountNameLength));
        profile.SetFullName(name.substr(0, kMaxAccountNameLength));
        profile.SetPassword({});
    }
    profile.SetAccountCreated(uint32_t(SecondsSince1970()));

    // The keyboard page needs the installed layouts before the wizard can start.
    supplier.SetErrorKey(u"IDS_ERR_LISTKBLAYOUT");
    if (!supplier.ListKeyboardLayouts())
        return false;
    std::vector<LayoutListItem> layouts;
    const ByteSpan answer = supplier.Result();
    for (size_t at = 0; at + LayoutListItem::kSize <= answer.size(); at += LayoutListItem::kSize) {
        LayoutListItem item;
        item.Assign(answer.subspan(at, LayoutListItem::kSize));
        layouts.push_back(item);
    }

    CDlg_Wizard wizard(m_host, profile, std::move(layouts), this);
    if (wizard.exec() != QDialog::Accepted || wizard.CreatedAccount().empty())
        return false;
    account = wizard.CreatedAccount();
    m_proposedAccount = wizard.CreatedAccount();
    m_proposedPassword = wizard.CreatedPassword();
    m_name->setEditText(ToQString(account));
    return true;
}

} // namespace kf
