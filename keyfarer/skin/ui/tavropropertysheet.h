#pragma once

// A skinned dialog hosting pages behind a tab strip, or, in wizard mode, one page after the
// other with Back, Next (Finish on the last page) and Cancel.
//
// Buttons: by default OK ("IDS_CT_OK", result kIdOk) and Cancel ("IDS_CT_CANCEL", kIdCancel).
// OK leaves the current page (OnKillActive), calls OnOK on every page that was shown and
// closes with accept(); Cancel calls OnCancel and closes with reject(). Other buttons added
// with AddButton only emit buttonClicked(id); the owner decides what they do. Ctrl+Tab and
// Ctrl+Shift+Tab move between the tabs.

#include "skin/ui/ownerdrawdialog.h"

#include <vector>

class QHBoxLayout;
class QLabel;
class QStackedWidget;

namespace kf {

class CAniButton;
class CTavroPropertyPage;
class CTavroTabStrip;

class CTavroPropertySheet : public COwnerDrawDialog
{
    Q_OBJECT
public:
    CTavroPropertySheet(const CControlAspect* look, TextLookup texts, const QString& title,
                        QWidget* parent = nullptr);

    // The sheet takes ownership of the page.
    int AddPage(CTavroPropertyPage* page);
    int PageCount() const { return int(m_pages.size()); }
    CTavroPropertyPage* Page(int index) const;
    int ActiveIndex() const { return m_active; }
    // Moves to the page when the current one lets itself be left; false otherwise.
    bool SetActivePage(int index);

    // Removes every button (also OK and Cancel) so the owner can set its own.
    void ClearButtons();
    // Adds a button with the text of `textKey` at the right of the button row; the result
    // codes kIdOk and kIdCancel get the OK and Cancel behaviour.
    CAniButton* AddButton(std::u16string_view textKey, int id);
    CAniButton* Button(int id) const;

    // Wizard mode: no tabs but the page's title above it; Back ("IDS_WIZARD_PREV"), Next
    // ("IDS_WIZARD_NEXT", on the last page "IDS_WIZARD_FINISH") and Cancel. Next runs the page's
    // OnKillActive; Finish also its OnWizardFinish, then OnOK on every page and accept().
    void SetWizardMode(bool on);
    bool IsWizard() const { return m_wizard; }
    // Wizard navigation, as the buttons do it.
    bool WizardNext();
    void WizardBack();

    // Button ids of the wizard's own buttons.
    static constexpr int kIdWizardBack = 1001;
    static constexpr int kIdWizardNext = 1002;

signals:
    void buttonClicked(int id);
    void activePageChanged(int index);

public slots:
    void accept() override;
    void reject() override;

private:
    void Activate(int index);
    void UpdateWizardButtons();
    void OnButton(int id);

    CTavroTabStrip* m_tabs;
    QLabel* m_heading;
    QStackedWidget* m_stack;
    QHBoxLayout* m_buttonRow;
    std::vector<CTavroPropertyPage*> m_pages;
    std::vector<std::pair<int, CAniButton*>> m_buttons;
    int m_active = -1;
    bool m_wizard = false;
};

} // namespace kf
