#pragma once

// Base of every options, statistics and wizard page. A page is shown by its sheet
// (CTavroPropertySheet); the sheet calls the hooks below as pages are entered and left.

#include "skin/controlaspect.h"
#include "skin/textlookup.h"

#include <QWidget>

namespace kf {

class CTavroPropertySheet;

class CTavroPropertyPage : public QWidget
{
    Q_OBJECT
public:
    CTavroPropertyPage(const CControlAspect* look, TextLookup texts, const QString& title,
                       QWidget* parent = nullptr);

    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);
    const CControlAspect* Look() const { return m_look; }
    QString Text(std::u16string_view key) const;
    // The sheet showing the page, or null.
    CTavroPropertySheet* Sheet() const { return m_sheet; }

    // The page becomes the visible one (first time and every time after).
    virtual void OnSetActive() {}
    // The page is about to be left (another tab, OK, or "next" in a wizard). False keeps the
    // page; the page shows its own message and puts the focus where the fault is.
    virtual bool OnKillActive() { return true; }
    // OK of the sheet: store the page's values. Called on every page that was shown.
    virtual void OnOK() {}
    // Cancel of the sheet.
    virtual void OnCancel() {}
    // Finish on the last page of a wizard; false keeps the wizard open.
    virtual bool OnWizardFinish() { return true; }

    // True once the page has been shown by its sheet.
    bool WasActivated() const { return m_activated; }

signals:
    void titleChanged(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class CTavroPropertySheet;
    const CControlAspect* m_look;
    TextLookup m_texts;
    QString m_title;
    CTavroPropertySheet* m_sheet = nullptr;
    bool m_activated = false;
};

} // namespace kf
