#include "users/ui/dlgkeydelaychart.h"

#include "skin/ui/skinpixmaps.h"

#include <QFontMetrics>
#include <algorithm>
#include <QPainter>
#include <QPainterPath>

namespace kf {

namespace {

QFont ChartFont(int points)
{
    FontDesc desc;
    desc.face = u"Tahoma";
    desc.pointSize = points;
    return ToQFont(desc);
}

} // namespace

CDlgKeyDelayChart::CDlgKeyDelayChart(const CControlAspect* look, QWidget* parent)
    : QWidget(parent), m_look(look)
{
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void CDlgKeyDelayChart::SetPage(const KeyDelayPage* page)
{
    m_page = page;
    update();
}

void CDlgKeyDelayChart::SetBandLabels(const QString& bad, const QString& pass, const QString& good)
{
    m_bad = bad;
    m_pass = pass;
    m_good = good;
    update();
}

void CDlgKeyDelayChart::SetViewStrings(std::u16string_view tab, std::u16string_view space)
{
    if (!tab.empty())
        m_tab = ToQString(tab);
    if (!space.empty())
        m_space = ToQString(space);
    update();
}

QImage CDlgKeyDelayChart::Render() const
{
    QImage image(size(), QImage::Format_RGB32);
    QPainter p(&image);
    Draw(p, size());
    return image;
}

void CDlgKeyDelayChart::paintEvent(QPaintEvent*)
{
    // Drawn off-screen first, so a page turn never shows a half-drawn chart.
    const QImage image = Render();
    QPainter p(this);
    p.drawImage(0, 0, image);
}

void CDlgKeyDelayChart::Draw(QPainter& p, const QSize& size) const
{
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    KeyDelayPage empty;
    const KeyDelayPage& page = m_page ? *m_page : empty;
    const KeyDelayChart chart = page.Layout(size.width(), size.height());

    const QColor frame =
        m_look ? LookQColor(*m_look, LookColor::ControlBorder) : QColor(128, 128, 128);
    const QColor text = m_look ? LookQColor(*m_look, LookColor::DialogText) : QColor(0, 0, 0);
    const int right = KeyDelayChart::kMargin + int(KeyDelayPage::kPerRow) * chart.slotWidth;

    for (const KeyDelayChartRow& row : chart.rows) {
        if (row.height <= 0)
            continue;
        QPen dotted(QColor::fromRgb(kBandLineColor), 1, Qt::DotLine);
        p.setPen(dotted);
        p.drawLine(KeyDelayChart::kMargin, row.badLine, right, row.badLine);
        p.drawLine(KeyDelayChart::kMargin, row.goodLine, right, row.goodLine);

        p.setFont(ChartFont(9));
        p.setPen(text);
        const int w = KeyDelayChart::kMargin - 6;
        p.drawText(QRect(0, row.top, w, row.badLine - row.top), Qt::AlignCenter, m_bad);
        p.drawText(QRect(0, row.badLine, w, row.goodLine - row.badLine), Qt::AlignCenter, m_pass);
        p.drawText(QRect(0, row.goodLine, w, row.baseline - row.goodLine), Qt::AlignCenter, m_good);

        p.setPen(QPen(frame, 1));
        p.drawLine(KeyDelayChart::kMargin, row.top, KeyDelayChart::kMargin, row.baseline);
        p.drawLine(KeyDelayChart::kMargin, row.baseline, right, row.baseline);
    }

    for (const KeyDelayBar& bar : chart.bars) {
        const QRect r(QPoint(bar.left, bar.top), QPoint(bar.right - 1, bar.bottom - 1));
        p.fillRect(r, QColor::fromRgb(kBarColor));
        DrawLabel(p, bar);
    }
}

void CDlgKeyDelayChart::DrawLabel(QPainter& p, const KeyDelayBar& bar) const
{
    const int lineTop = bar.bottom + 1;
    const QChar ch(bar.entry.ch);
    if (ch == u'\r' || ch == u'\n') {
        // A return arrow: down the right side, then left to an arrow head.
        const int x = bar.left + 5;
        const int y = bar.bottom + 5;
        const int s = KeyDelayChart::kLabelHeight;
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(0, 0, 0), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF corner(x + s - 3, y + s / 2.0);
        p.drawLine(QPointF(x + s - 3, y), corner);
        p.drawLine(corner, QPointF(x + 2, y + s / 2.0));
        QPainterPath head;
        head.moveTo(x, y + s / 2.0);
        head.lineTo(x + 5, y + s / 2.0 - 3.5);
        head.lineTo(x + 5, y + s / 2.0 + 3.5);
        head.closeSubpath();
        p.fillPath(head, QColor(0, 0, 0));
        p.restore();
        return;
    }
    if (ch == u'\t' || ch == u' ') {
        const QString label = ch == u'\t' ? m_tab : m_space;
        const QFont small = ChartFont(8);
        const QFontMetrics fm(small);
        const int width = fm.horizontalAdvance(label) + 4; // two pixels on either side
        const int left = bar.left + std::max(0, (bar.right - bar.left - width) / 2);
        const QRect box(left, lineTop, width, KeyDelayChart::kLabelHeight);
        p.setFont(small);
        p.setPen(QColor::fromRgb(kMarkColor));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.drawText(box, Qt::AlignCenter, label);
        return;
    }
    p.setFont(ChartFont(9));
    p.setPen(QColor(0, 0, 0));
    // Centred under the bar, which puts it near the bar's left + 8 on a chart of the usual
    // width and keeps it under its bar on a wider one.
    p.drawText(QRect(bar.left, lineTop, bar.right - bar.left, KeyDelayChart::kLabelHeight),
               Qt::AlignHCenter | Qt::AlignVCenter, QString(ch));
}

} // namespace kf
