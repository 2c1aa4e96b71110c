#pragma once

// The program's message box: the skinned frame, an icon quarter of the look's message icon
// strip (style bits 4..7), the text (at most 1024 characters, shown as plain text), and the
// buttons of the style's low four bits centred below it, 20 pixels apart. It ends with the
// platform's result codes (OK 1 ... no 7); Escape and the close button give CloseResult.

#include "skin/viewmessage.h"
#include "skin/ui/ownerdrawdialog.h"

#include <vector>

namespace kf {

class CAniButton;

class CDlgViewMes : public COwnerDrawDialog, public CViewMessage
{
    Q_OBJECT
public:
    CDlgViewMes(const CControlAspect* look, TextLookup texts, std::u16string_view text,
                unsigned style, QWidget* parent = nullptr, const QString& title = {});

    // Shows the box modally and returns its result.
    static int Show(const CControlAspect* look, const TextLookup& texts, std::u16string_view text,
                    unsigned style, QWidget* parent = nullptr, const QString& title = {});

    // The buttons left to right, each with its result code.
    const std::vector<std::pair<CAniButton*, int>>& ButtonWidgets() const { return m_buttons; }

public slots:
    void reject() override;

private:
    std::vector<std::pair<CAniButton*, int>> m_buttons;
};

} // namespace kf
