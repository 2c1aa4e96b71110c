#include "skin/ui/tavropropertysheet.h"

#include "skin/viewmessage.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/skinpixmaps.h"
#include "skin/ui/tavropropertypage.h"
#include "skin/ui/tavrotabstrip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kf {

CTavroPropertySheet::CTavroPropertySheet(const CControlAspect* look, TextLookup texts,
                                         const QString& title, QWidget* parent)
    : COwnerDrawDialog(look, std::move(texts), parent), m_tabs(new CTavroTabStrip(look, this)),
      m_heading(new QLabel(this)), m_stack(new QStackedWidget(this)), m_buttonRow(new QHBoxLayout)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_heading);
    layout->addSpacing(12);
    m_heading->hide();
    if (look) {
        QFont heading = LookQFont(*look, LookFont::DialogBold);
        heading.setPointSize(heading.pointSize() + 3);
        m_heading->setFont(heading);
        QPalette pal = m_heading->palette();
        pal.setColor(QPalette::WindowText, LookQColor(*look, LookColor::NoticeTitle));
        m_heading->setPalette(pal);
    }
    auto* nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this, [this] {
        if (!m_wizard && PageCount() > 1)
            SetActivePage((m_active + 1) % PageCount());
    });
    auto* previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previousTab, &QShortcut::activated, this, [this] {
        if (!m_wizard && PageCount() > 1)
            SetActivePage((m_active + PageCount() - 1) % PageCount());
    });
    layout->addWidget(m_stack, 1);
    layout->addSpacing(14);
    m_buttonRow->setSpacing(10);
    m_buttonRow->addStretch(1);
    layout->addLayout(m_buttonRow);
    connect(m_tabs, &CTavroTabStrip::tabRequested, this,
            [this](int index) { SetActivePage(index); });
    AddButton(u"IDS_CT_OK", kIdOk);
    AddButton(u"IDS_CT_CANCEL", kIdCancel);
}

int CTavroPropertySheet::AddPage(CTavroPropertyPage* page)
{
    page->m_sheet = this;
    m_pages.push_back(page);
    m_stack->addWidget(page);
    const int index = m_tabs->AddTab(page->Title());
    connect(page, &CTavroPropertyPage::titleChanged, this, [this, index](const QString& t) {
        m_tabs->SetTabTitle(index, t);
        if (index == m_active)
            m_heading->setText(t);
    });
    if (m_active < 0)
        Activate(0);
    UpdateWizardButtons();
    return index;
}

CTavroPropertyPage* CTavroPropertySheet::Page(int index) const
{
    return index >= 0 && index < PageCount() ? m_pages[size_t(index)] : nullptr;
}

void CTavroPropertySheet::Activate(int index)
{
    m_active = index;
    m_stack->setCurrentIndex(index);
    m_tabs->SetCurrent(index);
    CTavroPropertyPage* page = m_pages[size_t(index)];
    page->m_activated = true;
    m_heading->setText(page->Title());
    page->OnSetActive();
    UpdateWizardButtons();
    emit activePageChanged(index);
}

bool CTavroPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= PageCount())
        return false;
    if (index == m_active)
        return true;
    if (m_active >= 0 && !m_pages[size_t(m_active)]->OnKillActive())
        return false;
    Activate(index);
    return true;
}

void CTavroPropertySheet::ClearButtons()
{
    for (auto& [id, button] : m_buttons)
        delete button;
    m_buttons.clear();
}

CAniButton* CTavroPropertySheet::AddButton(std::u16string_view textKey, int id)
{
    auto* button = new CAniButton(Look(), Text(textKey), this);
    m_buttonRow->addWidget(button);
    m_buttons.emplace_back(id, button);
    if (id == kIdOk || id == kIdWizardNext)
        button->SetDefault(true);
    connect(button, &QAbstractButton::clicked, this, [this, id] { OnButton(id); });
    return button;
}

CAniButton* CTavroPropertySheet::Button(int id) const
{
    for (const auto& [bid, button] : m_buttons)
        if (bid == id)
            return button;
    return nullptr;
}

void CTavroPropertySheet::OnButton(int id)
{
    emit buttonClicked(id);
    if (id == kIdOk)
        accept();
    else if (id == kIdCancel)
        reject();
    else if (id == kIdWizardNext)
        WizardNext();
    else if (id == kIdWizardBack)
        WizardBack();
}

void CTavroPropertySheet::SetWizardMode(bool on)
{
    m_wizard = on;
    m_tabs->setVisible(!on);
    m_heading->setVisible(on);
    ClearButtons();
    if (on) {
        AddButton(u"IDS_WIZARD_PREV", kIdWizardBack);
        AddButton(u"IDS_WIZARD_NEXT", kIdWizardNext);
        AddButton(u"IDS_CT_CANCEL", kIdCancel);
    } else {
        AddButton(u"IDS_CT_OK", kIdOk);
        AddButton(u"IDS_CT_CANCEL", kIdCancel);
    }
    UpdateWizardButtons();
}

void CTavroPropertySheet::UpdateWizardButtons()
{
    if (!m_wizard)
        return;
    if (CAniButton* back = Button(kIdWizardBack))
        back->setEnabled(m_active > 0);
    if (CAniButton* next = Button(kIdWizardNext))
        next->setText(
            Text(m_active + 1 >= PageCount() ? u"IDS_WIZARD_FINISH" : u"IDS_WIZARD_NEXT"));
}

bool CTavroPropertySheet::WizardNext()
{
    if (m_active < 0)
        return false;
    CTavroPropertyPage* page = m_pages[size_t(m_active)];
    if (!page->OnKillActive())
        return false;
    if (m_active + 1 < PageCount()) {
        Activate(m_active + 1);
        return true;
    }
    if (!page->OnWizardFinish())
        return false;
    for (CTavroPropertyPage* p : m_pages)
        if (p->WasActivated())
            p->OnOK();
    QDialog::accept();
    return true;
}

void CTavroPropertySheet::WizardBack()
{
    if (m_active > 0)
        Activate(m_active - 1);
}

void CTavroPropertySheet::accept()
{
    if (m_wizard) {
        WizardNext();
        return;
    }
    if (m_active >= 0 && !m_pages[size_t(m_active)]->OnKillActive())
        return;
    for (CTavroPropertyPage* p : m_pages)
        if (p->WasActivated())
            p->OnOK();
    QDialog::accept();
}

void CTavroPropertySheet::reject()
{
    for (CTavroPropertyPage* p : m_pages)
        if (p->WasActivated())
            p->OnCancel();
    QDialog::reject();
}

} // namespace kf
