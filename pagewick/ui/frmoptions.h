#pragma once

#include "ui/appcontext.h"
#include "ui/skinnedwindow.h"

class QComboBox;

namespace pw {

class ImageButton;

/// The settings window: the completion reminder, "ON" (beep when a run has finished) or "OFF".
/// OK (the button, or Enter) keeps the choice and writes "options.ini"; Back, Escape and the
/// close button leave without saving.
class frmOptions : public SkinnedWindow
{
    Q_OBJECT
public:
    frmOptions(const AppContext& context, int reminderIndex, QWidget* parent);

    /// The reminder choice: the one given, or the one chosen when OK was pressed.
    int ReminderIndex() const { return m_reminderIndex; }

public slots:
    void OK();

private:
    const AppContext& m_context;
    int m_reminderIndex;
    QComboBox* m_cmbSR;
};

} // namespace pw
