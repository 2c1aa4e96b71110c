#pragma once

// CResultSheetGroup: a titled frame that gathers the controls of one topic on the result and
// review pages (the figures, the comment, the choices, the chart). The title sits on the
// frame's top edge in the look's bold dialog font; the frame is drawn in the look's control
// border colour on a slightly lighter field, so the groups stand out from the page.

#include "skin/controlaspect.h"

#include <QWidget>

namespace kf {

class CResultSheetGroup : public QWidget
{
    Q_OBJECT
public:
    CResultSheetGroup(const CControlAspect* look, const QString& title, QWidget* parent = nullptr);

    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpdateMargins();

    const CControlAspect* m_look;
    QString m_title;
};

} // namespace kf
