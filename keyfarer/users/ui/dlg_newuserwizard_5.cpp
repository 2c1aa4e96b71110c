#include "users/ui/dlg_newuserwizard_5.h"

#include "skin/ui/kfcombox.h"
#include "skin/ui/kfsliderctrl.h"
#include "skin/ui/skinpixmaps.h"
#include "skin/ui/skinpreviewctrl.h"
#include "users/ui/dlg_wizard.h"
#include "users/ui/loginhost.h"
#include "users/ui/skinlabel.h"
#include "users/userprofile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <string>

namespace kf {

CDlg_NewUserWizard_5::CDlg_NewUserWizard_5(CDlg_Wizard& wizard)
    : CNewUserWizardPage(wizard, 5), m_screenSize(new CKFCombox(Look(), this)),
      m_themes(new CKFCombox(Look(), this)), m_hue(new CKFSliderCtrl(this)),
      m_saturation(new CKFSliderCtrl(this)), m_hueValue(MakeSkinLabel(LookRef(), {}, this)),
      m_saturationValue(MakeSkinLabel(LookRef(), {}, this)),
      m_preview(new CSkinPreviewCtrl(Look(), this))
{
    AddTip(u"IDS_WIZARD_5_TIPS");
    for (int i = 0; i < kScreenSizes; ++i)
        m_screenSize->addItem(
            Text(u"IDS_CT_SKIN_SCREENSIZE_" + std::u16string(1, char16_t(u'0' + i))));
    std::vector<std::u16string> names;
    LoadSkinPresets(Host().InstallFolder(), names, m_presets);
    for (const std::u16string& name : names)
        m_themes->addItem(ToQString(name));
    m_themes->addItem(Text(u"IDS_CT_SKIN_CUSTOMTHEME"));

    m_hue->Attach(kHueSliderId, Look());
    m_hue->SetRange(-180, 180);
    m_saturation->Attach(kSaturationSliderId, Look());
    m_saturation->SetRange(-100, 100);
    for (QLabel* value : {m_hueValue, m_saturationValue}) {
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-180")) + 6);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    int row = 0;
    grid->addWidget(Caption(u"IDS_CT_SKIN_SCREENSIZE"), row, 0);
    grid->addWidget(m_screenSize, row++, 1, 1, 2);
    grid->addWidget(Caption(u"IDS_WIZARD_5_PRESENT"), row, 0);
    grid->addWidget(m_themes, row++, 1, 1, 2);
    grid->addWidget(Caption(u"IDS_CT_SKIN_HUE"), row, 0);
    grid->addWidget(m_hue, row, 1);
    grid->addWidget(m_hueValue, row++, 2);
    grid->addWidget(Caption(u"IDS_CT_SKIN_SATURATION"), row, 0);
    grid->addWidget(m_saturation, row, 1);
    grid->addWidget(m_saturationValue, row++, 2);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    m_preview->setFixedSize(m_preview->sizeHint());
    auto* row2 = new QHBoxLayout;
    row2->setSpacing(18);
    row2->addLayout(grid, 1);
    row2->addWidget(m_preview, 0, Qt::AlignTop);
    Column()->addLayout(row2, 1);

    connect(m_hue, &CKFSliderCtrl::positionChanged, this, &CDlg_NewUserWizard_5::SliderMoved);
    connect(m_saturation, &CKFSliderCtrl::positionChanged, this,
            &CDlg_NewUserWizard_5::SliderMoved);
    connect(m_themes, &QComboBox::activated, this, &CDlg_NewUserWizard_5::ThemeChosen);
}

void CDlg_NewUserWizard_5::OnSetActive()
{
    if (m_filled)
        return;
    m_filled = true;
    const uint8_t screen = Profile().ScreenSize();
    m_screenSize->setCurrentIndex(screen < kScreenSizes ? screen : 1);
    m_hue->SetPos(Profile().SkinHue());
    m_saturation->SetPos(Profile().SkinSaturation());
    // Values outside the sliders' ranges come back clamped.
    m_hueShift = m_hue->GetPos();
    m_saturationChange = m_saturation->GetPos();
    ShowValues();
    SelectMatchingTheme();
    m_preview->RecolorPreview(m_hueShift, m_saturationChange, 0);
}

void CDlg_NewUserWizard_5::SliderMoved(int controlId, int position)
{
    if (controlId == kHueSliderId)
        m_hueShift = position;
    else
        m_saturationChange = position;
    ShowValues();
    m_preview->RecolorPreview(m_hue->GetPos(), m_saturation->GetPos(), 0);
    SelectMatchingTheme();
}

void CDlg_NewUserWizard_5::ThemeChosen(int index)
{
    if (index < 0 || index >= int(m_presets.size()))
        return; // the custom entry changes nothing
    m_hue->SetPos(m_presets[size_t(index)].hue);
    m_saturation->SetPos(m_presets[size_t(index)].saturation);
    m_hueShift = m_hue->GetPos();
    m_saturationChange = m_saturation->GetPos();
    ShowValues();
    m_preview->RecolorPreview(m_hueShift, m_saturationChange, 0);
}

void CDlg_NewUserWizard_5::ShowValues()
{
    m_hueValue->setText(QString::number(m_hueShift));
    m_saturationValue->setText(QString::number(m_saturationChange));
}

void CDlg_NewUserWizard_5::SelectMatchingTheme()
{
    const int found = FindSkinPreset(m_presets, m_hueShift, m_saturationChange, 0);
    m_themes->setCurrentIndex(found >= 0 ? found : m_themes->count() - 1);
}

bool CDlg_NewUserWizard_5::OnKillActive()
{
    Profile().SetScreenSize(uint8_t(std::max(0, m_screenSize->currentIndex())));
    Profile().SetSkinHue(m_hueShift);
    Profile().SetSkinSaturation(m_saturationChange);
    return true;
}

} // namespace kf
