#include "session/ui/timerwnd.h"

#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QPainter>
#include <QTime>
#include <QtMath>

namespace kf {

CTimerWnd::CTimerWnd(const CTypingAspect* look, QWidget* parent) : QWidget(parent), m_look(look)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CTimerWnd::TickNow);
    m_timer.start();
}

void CTimerWnd::SetStyle(Style style)
{
    m_style = style;
    update();
}

void CTimerWnd::StartPausedCountdown(uint32_t limitSeconds)
{
    m_clock.Stop();
    m_clock.SetLimit(limitSeconds, true);
    m_clock.Start(true);
    TickNow();
}

void CTimerWnd::StartRunning(uint32_t limitSeconds)
{
    m_clock.Stop();
    m_clock.SetLimit(limitSeconds, limitSeconds != 0);
    m_clock.Start(false);
    TickNow();
}

void CTimerWnd::Stop()
{
    m_clock.Stop();
    update();
}

void CTimerWnd::TickNow()
{
    switch (m_clock.OnTimer(m_active)) {
    case ExerciseClock::TickResult::TimeOut:
        emit timeOut(m_clock.ElapsedMs(), m_clock.LimitSeconds());
        return;
    case ExerciseClock::TickResult::Tick:
        update();
        emit tick();
        return;
    case ExerciseClock::TickResult::Idle:
        update();
        return;
    }
}

void CTimerWnd::ShownTime(int& h, int& m, int& s) const
{
    if (m_clock.Running()) {
        const uint32_t secs = m_clock.ShownSeconds();
        h = int(secs / 3600);
        m = int(secs / 60 % 60);
        s = int(secs % 60);
        return;
    }
    const QTime now = QTime::currentTime();
    h = now.hour();
    m = now.minute();
    s = now.second();
}

QString CTimerWnd::DisplayText() const
{
    int h = 0, m = 0, s = 0;
    ShownTime(h, m, s);
    return QString::asprintf("%02d:%02d:%02d", h, m, s);
}

void CTimerWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = m_look ? LookQColor(*m_look, LookColor::ClockText) : QColor(Qt::white);
    if (m_style == Style::Digital) {
        if (m_look)
            p.setFont(LookQFont(*m_look, LookFont::Clock));
        p.setPen(ink);
        p.drawText(rect(), Qt::AlignCenter, DisplayText());
        return;
    }
    int h = 0, m = 0, s = 0;
    ShownTime(h, m, s);
    const qreal radius = std::min(width(), height()) / 2.0 - 1.5;
    const QPointF centre(width() / 2.0, height() / 2.0);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    // Angles in degrees clockwise from twelve o'clock.
    auto hand = [&](qreal degrees, qreal length, qreal width) {
        const qreal a = qDegreesToRadians(degrees);
        p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre, centre + QPointF(std::sin(a) * length, -std::cos(a) * length));
    };
    hand((h % 12) * 30.0 + m / 2.0, radius / 2.0, 2.0);
    hand(m * 6.0 + s / 10.0, radius / 1.5, 1.5);
    hand(s * 6.0, radius, 0.8);
}

} // namespace kf
