#pragma once

// The tab row of a property sheet: one tab per page from the look's tab picture (normal,
// hover, selected). A click or the arrow keys ask for another tab with tabRequested; the
// sheet decides (a page may refuse to be left) and calls SetCurrent.

#include "skin/controlaspect.h"

#include <QWidget>

namespace kf {

class CTavroTabStrip : public QWidget
{
    Q_OBJECT
public:
    explicit CTavroTabStrip(const CControlAspect* look, QWidget* parent = nullptr);

    int AddTab(const QString& title);
    void SetTabTitle(int index, const QString& title);
    int Count() const { return int(m_titles.size()); }
    int Current() const { return m_current; }
    void SetCurrent(int index);
    // The tab's rectangle in the strip.
    QRect TabRect(int index) const;

    QSize sizeHint() const override;

signals:
    void tabRequested(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const CControlAspect* m_look;
    QStringList m_titles;
    int m_current = -1;
    int m_hover = -1;
};

} // namespace kf
