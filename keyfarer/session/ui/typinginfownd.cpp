#include "session/ui/typinginfownd.h"

#include "platform/textformat.h"
#include "session/typingfigures.h"
#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QPainter>

namespace kf {

QEvent::Type InfoTimerEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// The worker: wakes every 10 ms and lets the panel post what is due, until no timer is left.
class CTypingInfoWnd::TimerThread : public QThread
{
public:
    explicit TimerThread(CTypingInfoWnd* panel) : m_panel(panel) {}
    QElapsedTimer clock;

protected:
    void run() override
    {
        while (m_panel->CheckTimers())
            QThread::msleep(kCheckMs);
    }

private:
    CTypingInfoWnd* m_panel;
};

CTypingInfoWnd::CTypingInfoWnd(const CTypingAspect* look, TextLookup texts, QObject* notify,
                               QWidget* parent)
    : QWidget(parent), m_look(look), m_texts(std::move(texts)), m_notify(notify ? notify : this)
{
    m_thread = new TimerThread(this);
    static_cast<TimerThread*>(m_thread)->clock.start();
}

CTypingInfoWnd::~CTypingInfoWnd()
{
    {
        QMutexLocker lock(&m_timerLock);
        for (PanelTimer& t : m_timers)
            t = PanelTimer{};
    }
    m_thread->wait();
    delete m_thread;
}

bool CTypingInfoWnd::SetPanelTimer(int id, int periodMs)
{
    if (id <= 0)
        return false;
    bool start = false;
    {
        QMutexLocker lock(&m_timerLock);
        const uint32_t now = uint32_t(m_thread->clock.elapsed());
        PanelTimer* slot = nullptr;
        for (PanelTimer& t : m_timers)
            if (t.id == id)
                slot = &t;
        if (!slot)
            for (PanelTimer& t : m_timers)
                if (t.id == 0 && !slot)
                    slot = &t;
        if (!slot)
            return false;
        const bool wasNew = slot->id == 0;
        slot->id = id;
        slot->periodMs = std::max(periodMs, kCheckMs);
        if (wasNew) {
            slot->lastTick = now;
            slot->posted = false;
        }
        start = !m_threadAlive;
        m_threadAlive = true;
    }
    if (start) {
        m_thread->wait(); // a thread that has decided to end ends at once
        m_thread->start();
    }
    return true;
}

void CTypingInfoWnd::KillPanelTimer(int id)
{
    QMutexLocker lock(&m_timerLock);
    for (PanelTimer& t : m_timers)
        if (t.id == id)
            t = PanelTimer{};
}

bool CTypingInfoWnd::HasPanelTimer(int id) const
{
    QMutexLocker lock(&m_timerLock);
    for (const PanelTimer& t : m_timers)
        if (t.id == id)
            return true;
    return false;
}

bool CTypingInfoWnd::TimerThreadRunning() const
{
    QMutexLocker lock(&m_timerLock);
    return m_threadAlive;
}

bool CTypingInfoWnd::CheckTimers()
{
    QMutexLocker lock(&m_timerLock);
    const uint32_t now = uint32_t(m_thread->clock.elapsed());
    bool any = false;
    for (PanelTimer& t : m_timers) {
        if (t.id == 0)
            continue;
        any = true;
        if (t.posted || now - t.lastTick < uint32_t(t.periodMs))
            continue;
        t.lastTick = now;
        t.posted = true;
        QCoreApplication::postEvent(m_notify, new InfoTimerEvent(this, t.id));
    }
    if (!any)
        m_threadAlive = false;
    return any;
}

void CTypingInfoWnd::OnTimer(int id)
{
    {
        QMutexLocker lock(&m_timerLock);
        bool found = false;
        for (PanelTimer& t : m_timers)
            if (t.id == id) {
                t.posted = false;
                found = true;
            }
        if (!found)
            return;
    }
    if (id == kWinkTimer) {
        const int before = m_wink.Level();
        if (!m_wink.Tick(m_active))
            KillPanelTimer(kWinkTimer);
        if (m_wink.Level() != before)
            UpdateWinkBar();
    }
}

bool CTypingInfoWnd::event(QEvent* e)
{
    if (e->type() == InfoTimerEvent::EventType()) {
        auto* te = static_cast<InfoTimerEvent*>(e);
        if (te->Panel() == this)
            OnTimer(te->TimerId());
        return true;
    }
    return QWidget::event(e);
}

void CTypingInfoWnd::SetStatistics(const StatisticsBlock& block, int errorFactor)
{
    m_block = block;
    m_errorFactor = errorFactor;
    update();
}

void CTypingInfoWnd::ClearStatistics()
{
    m_block.reset();
    update();
}

void CTypingInfoWnd::FlashWink()
{
    const bool changed = m_wink.Level() != WinkLevel::kFull;
    m_wink.Flash();
    SetPanelTimer(kWinkTimer, WinkLevel::kTickMs);
    if (changed)
        UpdateWinkBar();
}

void CTypingInfoWnd::UpdateWinkBar()
{
    if (!m_look)
        return;
    const SkinRect& b = m_look->InfoLayout(InfoFigure::Wink).bar;
    if (!b.IsEmpty())
        update(Local(b.left, b.top, b.right, b.bottom));
}

QString CTypingInfoWnd::Pattern(std::u16string_view key) const
{
    return ToQString(LookupText(m_texts, key));
}

QString CTypingInfoWnd::SpeedText(int64_t value) const
{
    const SpeedUnit unit = m_block ? m_block->Unit() : SpeedUnit::CharactersPerMinute;
    const char16_t* key = unit == SpeedUnit::WordsPerMinute ? u"IDS_TYPINGINFO_SPUNITWPM"
                          : unit == SpeedUnit::ScriptCharactersPerMinute
                              ? u"IDS_TYPINGINFO_SPUNITCHC"
                              : u"IDS_TYPINGINFO_SPUNITCPM";
    return ToQString(FormatText(LookupText(m_texts, key), {FormatArg(int64_t(value))}));
}

namespace {

// The font made smaller, as far as 6 points, until the text fits the width: the three
// figures of the bottom row share one row of narrow columns.
QFont Fitted(QFont font, const QString& text, int width)
{
    while (font.pointSizeF() > 6.0 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

PanelFigures FiguresOf(const std::optional<StatisticsBlock>& block, int factor)
{
    return block ? ComputePanelFigures(*block, factor) : PanelFigures{};
}
} // namespace

QString CTypingInfoWnd::GrossText() const
{
    return SpeedText(FiguresOf(m_block, m_errorFactor).gross);
}

QString CTypingInfoWnd::NetText() const
{
    return SpeedText(FiguresOf(m_block, m_errorFactor).net);
}

QString CTypingInfoWnd::WinkText() const
{
    return SpeedText(FiguresOf(m_block, m_errorFactor).wink);
}

QString CTypingInfoWnd::AccuracyText() const
{
    const double a = FiguresOf(m_block, m_errorFactor).accuracy;
    return ToQString(
        FormatText(LookupText(m_texts, u"IDS_TYPINGINFO_ACCURACYVALUE"), {FormatArg(a)}));
}

QString CTypingInfoWnd::TotalHitsText() const
{
    return ToQString(FormatText(LookupText(m_texts, u"IDS_TYPINGINFO_TOTALHITUNIT"),
                                {FormatArg(int64_t(FiguresOf(m_block, m_errorFactor).totalHits))}));
}

QString CTypingInfoWnd::ErrorsText() const
{
    const ErrorFigures e = FiguresOf(m_block, m_errorFactor).errors;
    return ToQString(FormatText(LookupText(m_texts, u"IDS_TYPINGINFO_ERRORUNIT"),
                                {FormatArg(e.weighted), FormatArg(e.errors), FormatArg(e.factor)}));
}

QRect CTypingInfoWnd::Local(int left, int top, int right, int bottom) const
{
    const QPoint origin = pos();
    return QRect(QPoint(left, top) - origin, QPoint(right - 1, bottom - 1) - origin);
}

void CTypingInfoWnd::DrawBar(QPainter& p, const QRect& r, int row, double fill) const
{
    if (r.isEmpty())
        return;
    fill = std::clamp(fill, 0.0, 1.0);
    const int filled = int(r.width() * fill + 0.5);
    const QPixmap bars = m_look ? SkinPixmap(*m_look, skinbmp::kInfoBars) : QPixmap();
    if (bars.isNull() || bars.height() < 4) {
        p.fillRect(r, m_look ? LookQColor(*m_look, LookColor::InfoBarBack) : QColor(60, 60, 60));
        const LookColor c = row == 1   ? LookColor::InfoBarGross
                            : row == 2 ? LookColor::InfoBarNet
                                       : LookColor::InfoBarWink;
        p.fillRect(QRect(r.left(), r.top(), filled, r.height()),
                   m_look ? LookQColor(*m_look, c) : QColor(80, 160, 240));
        return;
    }
    const int rowHeight = bars.height() / 4;
    DrawThreeSlice(p, bars, QRect(0, 0, bars.width(), rowHeight), r, 3);
    if (filled <= 0)
        return;
    p.save();
    p.setClipRect(QRect(r.left(), r.top(), filled, r.height()));
    DrawThreeSlice(p, bars, QRect(0, row * rowHeight, bars.width(), rowHeight), r, 3);
    p.restore();
}

void CTypingInfoWnd::paintEvent(QPaintEvent*)
{
    if (!m_look)
        return;
    QPainter p(this);
    const PanelFigures f = FiguresOf(m_block, m_errorFactor);
    const QFont captionFont = LookQFont(*m_look, LookFont::InfoCaption);
    const QFont valueFont = LookQFont(*m_look, LookFont::InfoValue);
    const QColor captionInk = LookQColor(*m_look, LookColor::InfoCaption);
    const QColor valueInk = LookQColor(*m_look, LookColor::InfoValue);

    struct Row
    {
        InfoFigure figure;
        const char16_t* caption;
        QString value;
        int barRow;
        double fill;
    };
    const bool shown = m_block.has_value();
    const Row rows[] = {
        {InfoFigure::Gross, u"IDS_TYPINGINFO_GROSSSPEED", shown ? GrossText() : QString(), 1,
         f.grossBar},
        {InfoFigure::Net, u"IDS_TYPINGINFO_NETSPEED", shown ? NetText() : QString(), 2, f.netBar},
        {InfoFigure::Wink, u"IDS_TYPINGINFO_WINKSPEED", shown ? WinkText() : QString(), 3,
         m_wink.Level() / double(WinkLevel::kFull)},
        {InfoFigure::Accuracy, u"IDS_TYPINGINFO_ACCURACY", shown ? AccuracyText() : QString(), 0,
         0},
        {InfoFigure::TotalHits, u"IDS_TYPINGINFO_TOTALHITS", shown ? TotalHitsText() : QString(), 0,
         0},
        {InfoFigure::Errors, u"IDS_TYPINGINFO_ERROR", shown ? ErrorsText() : QString(), 0, 0},
    };
    for (const Row& row : rows) {
        const InfoFigureLayout& l = m_look->InfoLayout(row.figure);
        // Figures in columns narrower than the panel sit apart by a few pixels.
        const int gap = l.caption.Width() < 100 ? 4 : 0;
        if (!l.caption.IsEmpty()) {
            const QRect r =
                Local(l.caption.left, l.caption.top, l.caption.right - gap, l.caption.bottom);
            const QString text = Pattern(row.caption);
            p.setFont(Fitted(captionFont, text, r.width()));
            p.setPen(captionInk);
            p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        }
        if (!l.value.IsEmpty() && !row.value.isEmpty()) {
            const QRect r = Local(l.value.left, l.value.top, l.value.right - gap, l.value.bottom);
            p.setFont(Fitted(valueFont, row.value, r.width()));
            p.setPen(valueInk);
            p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, row.value);
        }
        if (!l.bar.IsEmpty() && row.barRow > 0)
            DrawBar(p, Local(l.bar.left, l.bar.top, l.bar.right, l.bar.bottom), row.barRow,
                    shown || row.figure == InfoFigure::Wink ? row.fill : 0);
    }
}

} // namespace kf
