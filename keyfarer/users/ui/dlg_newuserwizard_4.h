#pragma once

// Wizard page 4, practice: the width of the lesson text, the length of a lesson's practice
// text, the practice plan and whether a sentence ends with two spaces. Stores
// "StdDisplaySize" (1 when nothing is chosen), "GenerateSize" of the lessons (the list
// index, 0 when nothing is chosen), "PracticeType" (0 when nothing is chosen) and
// "TwoSpaceSentence".

#include "users/ui/newuserwizardpage.h"

namespace kf {

class CKFCheckBox;
class CKFCombox;

class CDlg_NewUserWizard_4 : public CNewUserWizardPage
{
    Q_OBJECT
public:
    static constexpr int kDisplaySizes = 5;
    static constexpr int kContentSizes = 3;
    static constexpr int kPracticeTypes = 2;

    explicit CDlg_NewUserWizard_4(CDlg_Wizard& wizard);

    void OnSetActive() override;
    bool OnKillActive() override;

    CKFCombox* DisplaySizeList() const { return m_displaySize; }
    CKFCombox* ContentSizeList() const { return m_contentSize; }
    CKFCombox* PracticeTypeList() const { return m_practiceType; }
    CKFCheckBox* TwoSpaceBox() const { return m_twoSpace; }

private:
    CKFCombox* m_displaySize;
    CKFCombox* m_contentSize;
    CKFCombox* m_practiceType;
    CKFCheckBox* m_twoSpace;
    bool m_filled = false;
};

} // namespace kf
