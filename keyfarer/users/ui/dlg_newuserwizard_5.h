#pragma once

// Wizard page 5, presentation: the window size ("ScreenSize" 0 to 2), the skin's hue shift
// and saturation change on two sliders or from the preset themes, and a live preview of the
// recoloured skin. The theme list ends with the custom entry; moving a slider selects the
// theme that matches both values, or the custom entry. Stores "ScreenSize", "Skin_Hue" and
// "Skin_Saturation".

#include "skin/skinpresets.h"
#include "users/ui/newuserwizardpage.h"

#include <vector>

class QLabel;

namespace kf {

class CKFCombox;
class CKFSliderCtrl;
class CSkinPreviewCtrl;

class CDlg_NewUserWizard_5 : public CNewUserWizardPage
{
    Q_OBJECT
public:
    static constexpr int kScreenSizes = 3;
    static constexpr int kHueSliderId = 1201;
    static constexpr int kSaturationSliderId = 1202;

    explicit CDlg_NewUserWizard_5(CDlg_Wizard& wizard);

    void OnSetActive() override;
    bool OnKillActive() override;

    CKFCombox* ScreenSizeList() const { return m_screenSize; }
    CKFCombox* ThemeList() const { return m_themes; }
    CKFSliderCtrl* HueSlider() const { return m_hue; }
    CKFSliderCtrl* SaturationSlider() const { return m_saturation; }
    CSkinPreviewCtrl* Preview() const { return m_preview; }
    int HueShift() const { return m_hueShift; }
    int SaturationChange() const { return m_saturationChange; }

private:
    void SliderMoved(int controlId, int position);
    void ThemeChosen(int index);
    void ShowValues();
    void SelectMatchingTheme();

    CKFCombox* m_screenSize;
    CKFCombox* m_themes;
    CKFSliderCtrl* m_hue;
    CKFSliderCtrl* m_saturation;
    QLabel* m_hueValue;
    QLabel* m_saturationValue;
    CSkinPreviewCtrl* m_preview;
    std::vector<SkinPreset> m_presets;
    int m_hueShift = 0;
    int m_saturationChange = 0;
    bool m_filled = false;
};

} // namespace kf
