#pragma once

// Wizard page 2, the target speed: 30, 45 or 60 words per minute or the user's own value, and
// the unit the program shows speeds in. The full-mark speed becomes the target × 5 characters
// per minute and the pass speed the target × 3.
//
// The speed field shows the target in the chosen unit; switching the unit converts it (× 5
// to characters, ÷ 5 to words). An own value is read in that unit and must come to 6 to 299
// words per minute.

#include "users/ui/newuserwizardpage.h"

namespace kf {

class CFlatEdit;
class CFlatListbox;
class CKFCombox;

class CDlg_NewUserWizard_2 : public CNewUserWizardPage
{
    Q_OBJECT
public:
    static constexpr int kTargetCount = 4; // the fourth entry is the own value
    static constexpr int kTargetWpm[] = {30, 45, 60};
    static constexpr int kUnitWpm = 0; // entries of the unit list
    static constexpr int kUnitCpm = 1;
    static constexpr int kMinWpm = 6;
    static constexpr int kMaxWpm = 299;

    explicit CDlg_NewUserWizard_2(CDlg_Wizard& wizard);

    void OnSetActive() override;
    bool OnKillActive() override;

    CFlatListbox* TargetList() const { return m_target; }
    CKFCombox* UnitList() const { return m_unit; }
    CFlatEdit* SpeedEdit() const { return m_speed; }

private:
    void TargetChosen(int index);
    void UnitChosen(int index);

    CFlatListbox* m_target;
    CKFCombox* m_unit;
    CFlatEdit* m_speed;
    int m_shownUnit = kUnitCpm;
    bool m_filled = false;
};

} // namespace kf
