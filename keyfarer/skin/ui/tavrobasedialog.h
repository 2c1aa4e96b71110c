#pragma once

// Base of every dialog of the program: the look's dialog font and colours, interface texts by
// key, and the modal observer through which the desk shows its picture dimmed while any
// skinned modal dialog is open.

#include "skin/controlaspect.h"
#include "skin/textlookup.h"

#include <QDialog>

#include <functional>

namespace kf {

class CTavroBaseDialog : public QDialog
{
    Q_OBJECT
public:
    CTavroBaseDialog(const CControlAspect* look, TextLookup texts, QWidget* parent = nullptr);

    const CControlAspect* Look() const { return m_look; }
    const TextLookup& Texts() const { return m_texts; }
    // The interface text of a key (the key itself when the lookup finds nothing).
    QString Text(std::u16string_view key) const;

    // Runs the dialog modally, telling the modal observer before and after.
    int exec() override;

    // Called with true when the first skinned modal dialog opens and with false when the last
    // one closes. The desk dims its picture in between.
    static void SetModalObserver(std::function<void(bool anyOpen)> observer);
    static int OpenModalCount();

    // Counts a modal window that is not a skinned dialog (a file or print dialog) for the
    // observer while the scope lives.
    class ModalScope
    {
    public:
        ModalScope();
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;
    };

protected:
    // Re-applies the look's font and colours (after a skin change).
    void ApplyLook();

private:
    const CControlAspect* m_look;
    TextLookup m_texts;
};

} // namespace kf
