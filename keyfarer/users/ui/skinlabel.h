#pragma once

// Labels of the login dialogs and the wizard in the look's dialog font and colours.

#include "skin/controlaspect.h"

#include <QLabel>

namespace kf {

enum class LabelKind {
    Plain,   // a control's caption
    Tip,     // a paragraph of explanation, wrapped
    Heading, // the bold line above a group
    Value,   // a value shown in the dialog font, bold (the wizard's summary)
};

QLabel* MakeSkinLabel(const CControlAspect& look, const QString& text, QWidget* parent,
                      LabelKind kind = LabelKind::Plain);

} // namespace kf
