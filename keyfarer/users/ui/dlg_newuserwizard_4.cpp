#include "users/ui/dlg_newuserwizard_4.h"

#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfcombox.h"
#include "users/ui/dlg_wizard.h"
#include "users/userprofile.h"

#include <QGridLayout>

#include <string>

namespace kf {

namespace {

std::u16string Numbered(std::u16string_view prefix, int i)
{
    return std::u16string(prefix) + std::u16string(1, char16_t(u'0' + i));
}

} // namespace

CDlg_NewUserWizard_4::CDlg_NewUserWizard_4(CDlg_Wizard& wizard)
    : CNewUserWizardPage(wizard, 4), m_displaySize(new CKFCombox(Look(), this)),
      m_contentSize(new CKFCombox(Look(), this)), m_practiceType(new CKFCombox(Look(), this)),
      m_twoSpace(new CKFCheckBox(Look(), Text(u"IDS_WIZARD_4_TWOSPACE"), this))
{
    AddTip(u"IDS_WIZARD_4_TIPS");
    for (int i = 0; i < kDisplaySizes; ++i)
        m_displaySize->addItem(Text(Numbered(u"IDS_TRAIN_STDDISPLAYSIZE_", i)));
    for (int i = 0; i < kContentSizes; ++i)
        m_contentSize->addItem(Text(Numbered(u"IDS_LESSONCONTENT_SIZE_", i)));
    for (int i = 0; i < kPracticeTypes; ++i)
        m_practiceType->addItem(Text(Numbered(u"IDS_TRAIN_PRACTICETYPE_", i)));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    grid->addWidget(Caption(u"IDS_WIZARD_4_PRACTICETYPE"), 0, 0);
    grid->addWidget(m_practiceType, 0, 1);
    grid->addWidget(Caption(u"IDS_WIZARD_4_CONTENTSIZE"), 1, 0);
    grid->addWidget(m_contentSize, 1, 1);
    grid->addWidget(Caption(u"IDS_WIZARD_4_DISPLAYSIZE"), 2, 0);
    grid->addWidget(m_displaySize, 2, 1);
    grid->setColumnStretch(1, 1);
    Column()->addLayout(grid);
    Column()->addSpacing(4);
    Column()->addWidget(m_twoSpace);
    Column()->addStretch(1);
}

void CDlg_NewUserWizard_4::OnSetActive()
{
    if (m_filled)
        return;
    m_filled = true;
    // As on the typing options page: a value that is no entry of its list shows the entry
    // the page would store for it.
    const uint32_t display = Profile().StdDisplaySize();
    m_displaySize->setCurrentIndex(display < uint32_t(kDisplaySizes) ? int(display) : 1);
    const uint32_t content = Profile().TrainGenerateSize();
    m_contentSize->setCurrentIndex(content < uint32_t(kContentSizes) ? int(content) : 0);
    const uint8_t practice = Profile().PracticeType();
    m_practiceType->setCurrentIndex(practice < kPracticeTypes ? practice : 0);
    m_twoSpace->setChecked(Profile().TwoSpaceSentence() != 0);
}

bool CDlg_NewUserWizard_4::OnKillActive()
{
    const int display = m_displaySize->currentIndex();
    const int content = m_contentSize->currentIndex();
    const int practice = m_practiceType->currentIndex();
    Profile().SetStdDisplaySize(display >= 0 ? uint32_t(display) : 1);
    Profile().SetTrainGenerateSize(content >= 0 ? uint32_t(content) : 0);
    Profile().SetPracticeType(practice >= 0 ? uint8_t(practice) : 0);
    Profile().SetTwoSpaceSentence(m_twoSpace->isChecked() ? 1 : 0);
    return true;
}

} // namespace kf
