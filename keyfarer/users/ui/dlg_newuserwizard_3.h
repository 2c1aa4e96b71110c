#pragma once

// Wizard page 3, the keyboard: the installed keyboard layouts offered for the chosen hand,
// the hand list (both hands) and whether the on-screen keyboard shows every character of its
// keys. Stores "Keyboard_LayoutFile" (the layout's file name without extension),
// "Keyboard_AdvanceView" and "WhichHand".
//
// A profile that names no installed layout gets one chosen for the user: the US layout when
// installed, else the first.

#include "users/ui/newuserwizardpage.h"

namespace kf {

class CFlatListbox;
class CKFCheckBox;
class CKFCombox;

class CDlg_NewUserWizard_3 : public CNewUserWizardPage
{
    Q_OBJECT
public:
    explicit CDlg_NewUserWizard_3(CDlg_Wizard& wizard);

    void OnSetActive() override;
    bool OnKillActive() override;

    CFlatListbox* LayoutList() const { return m_layouts; }
    CKFCombox* HandList() const { return m_hand; }
    CKFCheckBox* AdvancedViewBox() const { return m_advanced; }

private:
    void FillLayouts(const QString& preferred);

    CFlatListbox* m_layouts;
    CKFCombox* m_hand;
    CKFCheckBox* m_advanced;
    bool m_filled = false;
};

} // namespace kf
