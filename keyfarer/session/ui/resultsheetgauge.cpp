#include "session/ui/resultsheetgauge.h"

#include "skin/ui/skinpixmaps.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kf {

CResultSheetGauge::CResultSheetGauge(const CControlAspect* look, QWidget* parent)
    : QWidget(parent), m_look(look)
{}

void CResultSheetGauge::SetValues(double speed, double pass, double target,
                                  const QString& passLabel, const QString& targetLabel)
{
    m_speed = speed;
    m_pass = pass;
    m_target = target;
    m_passLabel = passLabel;
    m_targetLabel = targetLabel;
    update();
}

double CResultSheetGauge::Fill() const
{
    if (m_target <= 0)
        return m_speed > 0 ? 1.0 : 0.0;
    return std::clamp(m_speed / m_target, 0.0, 1.0);
}

double CResultSheetGauge::PassPlace() const
{
    if (m_target <= 0 || m_pass <= 0 || m_pass >= m_target)
        return -1;
    return m_pass / m_target;
}

void CResultSheetGauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto color = [&](LookColor c, QColor fallback) {
        return m_look ? LookQColor(*m_look, c) : fallback;
    };
    const QFont small = m_look ? LookQFont(*m_look, LookFont::Small) : font();
    const QFontMetrics fm(small);
    const QRectF track(0.5, 2.5, width() - 1.0, 12);

    QPainterPath trackPath;
    trackPath.addRoundedRect(track, 6, 6);
    p.fillPath(trackPath, color(LookColor::InfoBarBack, QColor(225, 228, 232)));
    if (Fill() > 0) {
        QRectF filled = track;
        filled.setWidth(std::max(track.height(), track.width() * Fill()));
        QPainterPath fillPath;
        fillPath.addRoundedRect(filled, 6, 6);
        p.fillPath(fillPath, color(LookColor::Accent, QColor(230, 140, 30)));
    }
    p.setPen(QPen(color(LookColor::ControlBorder, QColor(160, 160, 160)), 1));
    p.drawPath(trackPath);

    p.setFont(small);
    p.setPen(color(LookColor::DialogText, QColor(40, 40, 40)));
    const int labelTop = int(track.bottom()) + 4;
    const double place = PassPlace();
    if (place > 0) {
        const double x = track.left() + track.width() * place;
        p.setPen(QPen(color(LookColor::DialogText, QColor(40, 40, 40)), 1.5));
        p.drawLine(QPointF(x, track.top() - 2), QPointF(x, track.bottom() + 2));
        const int w = fm.horizontalAdvance(m_passLabel);
        p.drawText(QRect(int(x) - w / 2, labelTop, w + 2, fm.height()), Qt::AlignCenter,
                   m_passLabel);
    }
    const int tw = fm.horizontalAdvance(m_targetLabel);
    p.drawText(QRect(width() - tw - 2, labelTop, tw + 2, fm.height()), Qt::AlignRight,
               m_targetLabel);
}

} // namespace kf
