#include "users/ui/dlg_newuserwizard_2.h"

#include "skin/ui/flatedit.h"
#include "skin/ui/flatlistbox.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/skinpixmaps.h"
#include "users/ui/dlg_wizard.h"
#include "users/userprofile.h"

#include <QGridLayout>
#include <QIntValidator>

#include <string>

namespace kf {

CDlg_NewUserWizard_2::CDlg_NewUserWizard_2(CDlg_Wizard& wizard)
    : CNewUserWizardPage(wizard, 2), m_target(new CFlatListbox(Look(), this)),
      m_unit(new CKFCombox(Look(), this)), m_speed(new CFlatEdit(Look(), this))
{
    AddTip(u"IDS_WIZARD_2_TIPS");
    for (int i = 1; i <= kTargetCount; ++i)
        m_target->addItem(Text(u"IDS_WIZARD_2_TARGET_" + std::u16string(1, char16_t(u'0' + i))));
    const int rowHeight = m_target->sizeHintForRow(0) > 0 ? m_target->sizeHintForRow(0) : 22;
    m_target->setFixedHeight(rowHeight * kTargetCount + 10);
    Column()->addWidget(m_target);
    Column()->addSpacing(4);

    m_unit->addItem(Text(u"IDS_CT_CFG_SPEEDWPM"));
    m_unit->addItem(Text(u"IDS_CT_CFG_SPEEDCPM"));
    m_speed->setValidator(new QIntValidator(0, 9999, m_speed));
    m_speed->setMaxLength(4);
    m_speed->setFixedWidth(90);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    grid->addWidget(Caption(u"IDS_WIZARD_2_WPM"), 0, 0);
    grid->addWidget(m_speed, 0, 1, Qt::AlignLeft);
    grid->addWidget(Caption(u"IDS_WIZARD_2_UNIT"), 1, 0);
    grid->addWidget(m_unit, 1, 1);
    grid->setColumnStretch(1, 1);
    Column()->addLayout(grid);
    Column()->addStretch(1);

    connect(m_target, &QListWidget::currentRowChanged, this, &CDlg_NewUserWizard_2::TargetChosen);
    connect(m_unit, &QComboBox::currentIndexChanged, this, &CDlg_NewUserWizard_2::UnitChosen);
}

void CDlg_NewUserWizard_2::OnSetActive()
{
    if (m_filled)
        return;
    m_filled = true;
    const uint32_t fullmark = Profile().SingleFullmark();
    const uint32_t wpm = fullmark / 5;
    int target = kTargetCount - 1;
    for (int i = 0; i < kTargetCount - 1; ++i)
        if (wpm == uint32_t(kTargetWpm[i]))
            target = i;
    m_shownUnit = Profile().SpeedUnitWpm() ? kUnitWpm : kUnitCpm;
    {
        const QSignalBlocker block(m_unit);
        m_unit->setCurrentIndex(m_shownUnit);
    }
    m_speed->setText(QString::number(m_shownUnit == kUnitWpm ? wpm : fullmark));
    {
        const QSignalBlocker block(m_target);
        m_target->setCurrentRow(target);
    }
    m_speed->setEnabled(target == kTargetCount - 1);
}

void CDlg_NewUserWizard_2::TargetChosen(int index)
{
    const bool own = index == kTargetCount - 1;
    m_speed->setEnabled(own);
    if (index >= 0 && !own) {
        const int wpm = kTargetWpm[index];
        m_speed->setText(QString::number(m_shownUnit == kUnitWpm ? wpm : wpm * 5));
    }
    if (own) {
        m_speed->setFocus();
        m_speed->selectAll();
    }
}

void CDlg_NewUserWizard_2::UnitChosen(int index)
{
    if (index < 0 || index == m_shownUnit)
        return;
    bool ok = false;
    const int value = m_speed->text().toInt(&ok);
    if (ok)
        m_speed->setText(QString::number(index == kUnitWpm ? value / 5 : value * 5));
    m_shownUnit = index;
}

bool CDlg_NewUserWizard_2::OnKillActive()
{
    const int target = m_target->currentRow();
    int wpm = 0;
    if (target >= 0 && target < kTargetCount - 1) {
        wpm = kTargetWpm[target];
    } else {
        // The field holds the value in the unit shown; the check and the stored speeds are
        // in words per minute.
        const int value = m_speed->text().toInt();
        wpm = m_shownUnit == kUnitWpm ? value : value / 5;
        if (wpm < kMinWpm || wpm > kMaxWpm) {
            ShowError(u"IDS_ERR_WPMVALUE");
            m_target->setCurrentRow(kTargetCount - 1);
            m_speed->setFocus();
            m_speed->selectAll();
            return false;
        }
    }
    Profile().SetSingleFullmark(uint32_t(wpm) * 5);
    Profile().SetSinglePass(uint32_t(wpm) * 3);
    Profile().SetSpeedUnitWpm(m_unit->currentIndex() == kUnitWpm ? 1 : 0);
    return true;
}

} // namespace kf
