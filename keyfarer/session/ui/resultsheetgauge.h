#pragma once

// CResultSheetGauge: a horizontal bar on the result page that shows how far the net speed
// reached towards the user's target speed, with a tick where the pass speed lies; the bar is
// full at the target and beyond.

#include "skin/controlaspect.h"

#include <QWidget>

namespace kf {

class CResultSheetGauge : public QWidget
{
    Q_OBJECT
public:
    explicit CResultSheetGauge(const CControlAspect* look, QWidget* parent = nullptr);

    // Speeds in one unit; labels for the pass tick and the target end.
    void SetValues(double speed, double pass, double target, const QString& passLabel,
                   const QString& targetLabel);
    // The part of the bar that is filled, 0 to 1.
    double Fill() const;
    // The tick's place on the bar, 0 to 1 (-1: no tick).
    double PassPlace() const;

    QSize sizeHint() const override { return {220, 40}; }
    QSize minimumSizeHint() const override { return {120, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CControlAspect* m_look;
    double m_speed = 0;
    double m_pass = 0;
    double m_target = 0;
    QString m_passLabel;
    QString m_targetLabel;
};

} // namespace kf
