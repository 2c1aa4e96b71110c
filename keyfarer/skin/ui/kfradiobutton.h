#pragma once

// The skinned radio button: the check box drawn from the look's radio strip, exclusive among
// the radio buttons of its parent.

#include "skin/ui/kfcheckbox.h"

namespace kf {

class CKFRadioButton : public CKFCheckBox
{
    Q_OBJECT
public:
    explicit CKFRadioButton(const CControlAspect* look, const QString& text = {},
                            QWidget* parent = nullptr);
};

} // namespace kf
