#include "skin/ui/kfradiobutton.h"

namespace kf {

CKFRadioButton::CKFRadioButton(const CControlAspect* look, const QString& text, QWidget* parent)
    : CKFCheckBox(look, text, parent, skinbmp::kRadio)
{
    setAutoExclusive(true);
}

} // namespace kf
