#include "users/ui/dlg_newuserwizard_3.h"

#include "skin/ui/flatlistbox.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/skinpixmaps.h"
#include "users/ui/dlg_wizard.h"
#include "users/userprofile.h"

#include <QGridLayout>

#include <string>

namespace kf {

namespace {

// Entries of the hand list ("IDS_WIZARD_3_WHICHHAND_%d"): both hands only; the one-handed
// courses are reached through the options.
constexpr int kHandEntries = 1;

} // namespace

CDlg_NewUserWizard_3::CDlg_NewUserWizard_3(CDlg_Wizard& wizard)
    : CNewUserWizardPage(wizard, 3), m_layouts(new CFlatListbox(Look(), this)),
      m_hand(new CKFCombox(Look(), this)),
      m_advanced(new CKFCheckBox(Look(), Text(u"IDS_WIZARD_3_SHOWSIMPLE"), this))
{
    AddTip(u"IDS_WIZARD_3_KEYBOARD");
    for (int i = 0; i < kHandEntries; ++i)
        m_hand->addItem(Text(u"IDS_WIZARD_3_WHICHHAND_" + std::u16string(1, char16_t(u'0' + i))));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    grid->addWidget(Caption(u"IDS_WIZARD_3_LIST"), 0, 0, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(m_layouts, 0, 1);
    grid->addWidget(Caption(u"IDS_WIZARD_3_COURSETYPE"), 1, 0);
    grid->addWidget(m_hand, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    Column()->addLayout(grid, 1);
    Column()->addWidget(m_advanced);
    connect(m_hand, &QComboBox::currentIndexChanged, this, [this] {
        const QListWidgetItem* item = m_layouts->currentItem();
        FillLayouts(item ? item->text() : QString());
    });
}

void CDlg_NewUserWizard_3::FillLayouts(const QString& preferred)
{
    const uint32_t hand = uint32_t(std::max(0, m_hand->currentIndex()));
    const QSignalBlocker block(m_layouts);
    m_layouts->clear();
    int chosen = -1;
    int us = -1;
    for (const LayoutListItem& item : Wizard().Layouts()) {
        if (!item.OfferedFor(hand))
            continue;
        const QString name = ToQString(item.DisplayName());
        if (name.isEmpty())
            continue;
        m_layouts->addItem(name);
        const int row = m_layouts->count() - 1;
        if (chosen < 0 && !preferred.isEmpty() && name.compare(preferred, Qt::CaseInsensitive) == 0)
            chosen = row;
        if (us < 0 && name.compare(QStringLiteral("US"), Qt::CaseInsensitive) == 0)
            us = row;
    }
    if (chosen < 0)
        chosen = us >= 0 ? us : (m_layouts->count() > 0 ? 0 : -1);
    m_layouts->setCurrentRow(chosen);
}

void CDlg_NewUserWizard_3::OnSetActive()
{
    if (m_filled)
        return;
    m_filled = true;
    {
        const QSignalBlocker block(m_hand);
        m_hand->setCurrentIndex(Profile().WhichHand() < kHandEntries ? Profile().WhichHand() : 0);
    }
    m_advanced->setChecked(Profile().KeyboardAdvanceView() != 0);
    FillLayouts(ToQString(Profile().KeyboardLayoutFile()));
}

bool CDlg_NewUserWizard_3::OnKillActive()
{
    const QListWidgetItem* item = m_layouts->currentItem();
    Profile().SetKeyboardLayoutFile(item ? FromQString(item->text()) : std::u16string());
    // A newly chosen layout drops the marker the previous format kept beside it.
    Profile().SetCarriedFlag206(0);
    Profile().SetKeyboardAdvanceView(m_advanced->isChecked() ? 1 : 0);
    Profile().SetWhichHand(uint8_t(std::max(0, m_hand->currentIndex())));
    return true;
}

} // namespace kf
