#include "session/ui/standview.h"

#include "platform/clock.h"
#include "platform/random.h"
#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QVarLengthArray>

#include <algorithm>
#include <unordered_map>

namespace kf {
namespace {

constexpr int kPointerFrameMs = 150;
constexpr int kTurnFrameMs = 8;
constexpr int kPointerSize = 13;

QColor FromColorWord(StandColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace

// The text font's measures for the layout, in whole pixels.
class CStandView::Metrics : public StandViewMetrics
{
public:
    Metrics(const QFont& text, const QFont& label) : m_text(text), m_label(label) {}
    int CharWidth(char16_t c) const override
    {
        if (c < 32)
            return 0;
        return qRound(m_text.horizontalAdvance(QChar(c)));
    }
    int LineHeight() const override { return qCeil(m_text.height()); }
    int AverageCharWidth() const override { return qRound(m_text.averageCharWidth()); }
    int LabelWidth(std::u16string_view label) const override
    {
        return qCeil(m_label.horizontalAdvance(ToQString(label)));
    }

private:
    QFontMetricsF m_text;
    QFontMetricsF m_label;
};

// Glyph indexes of the text font, looked up once per character.
class CStandView::GlyphCache
{
public:
    void Reset(const QRawFont& font)
    {
        m_font = font;
        m_low.fill(kUnknown);
        m_other.clear();
    }
    // 0 when the font has no glyph for c (it is then drawn through the font's fallbacks).
    quint32 Index(char16_t c)
    {
        quint32* slot = nullptr;
        if (c < m_low.size()) {
            slot = &m_low[c];
        } else {
            auto it = m_other.find(c);
            if (it != m_other.end())
                return it->second;
        }
        quint32 index = 0;
        if (m_font.isValid() && m_font.supportsCharacter(QChar(c))) {
            const QChar ch(c);
            int count = 1;
            m_font.glyphIndexesForChars(&ch, 1, &index, &count);
        }
        if (slot)
            *slot = index;
        else
            m_other.emplace(c, index);
        return index;
    }

private:
    static constexpr quint32 kUnknown = 0xFFFFFFFFu;
    QRawFont m_font;
    std::array<quint32, 512> m_low{};
    std::unordered_map<char16_t, quint32> m_other;
};

CStandView::CStandView(const CTypingAspect* look, QWidget* parent)
    : QWidget(parent), m_look(look), m_glyphs(std::make_unique<GlyphCache>()),
      m_turnTimer(new QTimer(this)), m_caretTimer(new QTimer(this))
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_turnTimer->setTimerType(Qt::PreciseTimer);
    m_turnTimer->setInterval(kTurnFrameMs);
    connect(m_turnTimer, &QTimer::timeout, this, &CStandView::OnTurnTick);
    connect(m_caretTimer, &QTimer::timeout, this, &CStandView::OnCaretTick);
    m_queue.SetBusy([this] { return IsTurningPage(); });
    // The page-turn effect is drawn at random; the generator starts from the time in seconds.
    ReseedFromClock();
    StandViewSettings defaults;
    defaults.font.face = u"Tahoma";
    ApplySettings(defaults);
}

CStandView::~CStandView() = default;

void CStandView::SetLook(const CTypingAspect* look)
{
    m_look = look;
    update();
}

// --- Text and caret -------------------------------------------------------------------------

void CStandView::SetText(const char16_t* sample, uint32_t sampleLength, const char16_t* typed,
                         uint32_t typedLength)
{
    const bool wasTurning = IsTurningPage();
    if (wasTurning) {
        m_turn.Finish();
        m_turnTimer->stop();
        m_oldPage = QImage();
    }
    SyncSize();
    m_layout.SetText(sample, sampleLength, typed, typedLength);
    m_page = 0;
    m_caret = 0;
    m_bufferValid = false;
    RestartCaretTimer();
    update();
    if (wasTurning) {
        emit pageTurnFinished();
        QMetaObject::invokeMethod(
            this, [this] { m_queue.Drain(); }, Qt::QueuedConnection);
    }
}

void CStandView::SetSampleLength(uint32_t n)
{
    m_layout.SetSampleLength(n);
    m_page = std::min(m_page, m_layout.PageCount() - 1);
    m_bufferValid = false;
    update();
}

void CStandView::SetCaretPosition(uint32_t offset)
{
    const uint32_t target = m_layout.PageOf(offset);
    if (target != m_page) {
        TurnToPage(target);
        m_caret = offset;
        return;
    }
    const QRect oldCaret = CaretRect();
    const uint32_t old = m_caret;
    m_caret = offset;
    RestartCaretTimer();
    if (!m_bufferValid) {
        update();
        return;
    }
    const int a = m_layout.LineOfOffset(m_page, std::min(old, offset));
    const int b = m_layout.LineOfOffset(m_page, std::max(old, offset));
    if (a < 0 || b < 0 || m_layout.CaretAtEnd()) {
        m_bufferValid = false;
        update();
        return;
    }
    RenderLines(a, b);
    for (int line = a; line <= b; ++line) {
        const StandRect band = m_layout.LineBand(line);
        update(QRect(band.left, band.top, band.width, band.height));
    }
    update(oldCaret);
    update(CaretRect());
}

void CStandView::Refresh()
{
    m_bufferValid = false;
    update();
}

// --- Pages ----------------------------------------------------------------------------------

void CStandView::TurnToPage(uint32_t page)
{
    page = std::min(page, m_layout.PageCount() - 1);
    if (page == m_page && m_bufferValid) {
        m_caret = m_layout.PageStart(page);
        update();
        return;
    }
    if (IsTurningPage()) {
        // A turn ordered during a turn: the first one ends where it is.
        m_turn.Finish();
        m_turnTimer->stop();
        m_oldPage = QImage();
    }
    const bool animate = m_animate && isVisible() && m_bufferValid && width() > 0 && height() > 0;
    if (animate)
        m_oldPage = m_buffer.copy();
    m_page = page;
    m_caret = m_layout.PageStart(page);
    EnsureBuffer();
    RenderPage(m_buffer, m_page);
    m_bufferValid = true;
    RestartCaretTimer();
    if (animate) {
        const PageTurnEffect effect =
            m_forcedEffect ? *m_forcedEffect
                           : static_cast<PageTurnEffect>(RandomBelow(kPageTurnEffects));
        m_turn.Start(effect, width(), height(), TickCount());
        m_turnTimer->start();
        emit pageTurnStarted();
    }
    update();
}

void CStandView::RelayoutFrom(int page)
{
    m_layout.RelayoutFrom(page);
    m_page = std::min(m_page, m_layout.PageCount() - 1);
    m_bufferValid = false;
    update();
}

void CStandView::OnTurnTick()
{
    if (m_turn.Advance(TickCount())) {
        update();
        return;
    }
    FinishPageTurn();
}

void CStandView::FinishPageTurn()
{
    if (!IsTurningPage())
        return;
    m_turn.Finish();
    m_turnTimer->stop();
    m_oldPage = QImage();
    update();
    emit pageTurnFinished();
    m_queue.Drain();
}

void CStandView::SetKeystrokeSink(KeystrokeSink sink)
{
    m_queue.SetSink(std::move(sink));
}

void CStandView::SubmitKeystroke(const TypedKeystroke& key)
{
    m_queue.Submit(key);
}

// --- Options --------------------------------------------------------------------------------

void CStandView::ApplyOptions(const StandViewOptions& options, const StandViewContext& context)
{
    m_layout.SetClientSize(width(), height());
    m_options = options;
    m_context = context;
    m_contextHasWidth = context.clientWidth > 0;
    StandViewContext c = context;
    if (!m_contextHasWidth)
        c.clientWidth = width();
    m_fontOverride = std::u16string(context.fontOverride);
    m_context.fontOverride = m_fontOverride;
    c.fontOverride = m_fontOverride;
    ApplySettings(ResolveStandViewSettings(options, c));
}

void CStandView::ApplySettings(const StandViewSettings& settings)
{
    const bool fontChanged = !m_metrics || !(settings.font == m_settings.font);
    m_settings = settings;
    if (fontChanged)
        Remeasure();
    m_layout.ApplySettings(settings);
    m_page = std::min(m_layout.PageOf(m_caret), m_layout.PageCount() - 1);
    m_bufferValid = false;
    RestartCaretTimer();
    update();
}

void CStandView::Remeasure()
{
    FontDesc desc;
    desc.face = m_settings.font.face;
    desc.pointSize = m_settings.font.pointSize;
    desc.weight = m_settings.font.weight;
    m_font = ToQFont(desc);
    m_font.setKerning(false);
    m_font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferQuality));
    m_labelFont = m_font;
    m_labelFont.setPointSizeF(std::max(6.0, m_font.pointSizeF() / 2));
    m_rawFont = QRawFont::fromFont(m_font);
    m_glyphs->Reset(m_rawFont);
    m_ascent = qCeil(QFontMetricsF(m_font).ascent());
    auto metrics = std::make_unique<Metrics>(m_font, m_labelFont);
    m_layout.SetMetrics(metrics.get());
    m_metrics = std::move(metrics);
}

void CStandView::SetColours(StandColor normal, StandColor correct, StandColor error,
                            StandColor back)
{
    m_settings.normalText = normal;
    m_settings.correctText = correct;
    m_settings.errorText = error;
    m_settings.background = back;
    Refresh();
}

void CStandView::SetTextFont(const StandFont& font)
{
    StandViewSettings s = m_settings;
    s.font = font;
    ApplySettings(s);
}

void CStandView::SetSpacing(int charSpacing, int rowSpacing)
{
    m_settings.charSpacing = charSpacing;
    m_settings.rowSpacing = rowSpacing;
    m_layout.SetSpacing(charSpacing, rowSpacing);
    Relayout();
}

void CStandView::SetBackground(const QPixmap& picture)
{
    m_background = picture;
    Refresh();
}

void CStandView::SetCaretStyle(CaretStyle style)
{
    m_settings.caretStyle = style;
    RestartCaretTimer();
    update();
}

void CStandView::SetLabels(std::u16string_view spaceLabel, std::u16string_view tabLabel)
{
    m_settings.spaceLabel = spaceLabel;
    m_settings.tabLabel = tabLabel;
    m_layout.SetLabels(spaceLabel, tabLabel);
    Relayout();
}

void CStandView::SetMargins(int left, int top, int right, int bottom)
{
    m_settings.marginLeft = left;
    m_settings.marginTop = top;
    m_settings.marginRight = right;
    m_settings.marginBottom = bottom;
    m_layout.SetMargins(left, top, right, bottom);
    Relayout();
}

void CStandView::SetOverlay(bool on)
{
    m_settings.overlay = on;
    m_layout.SetOverlay(on);
    Relayout();
}

void CStandView::SetTypedPartOnly(bool on)
{
    m_settings.typedPartOnly = on;
    m_layout.SetTypedPartOnly(on);
    Refresh();
}

void CStandView::SetLessonText(bool on)
{
    m_settings.lessonText = on;
    m_layout.SetLessonText(on);
    Relayout();
}

void CStandView::SetCentre(bool on)
{
    m_layout.SetCentre(on);
    Relayout();
}

void CStandView::SetCaretAtEnd(bool on)
{
    m_settings.caretAtEnd = on;
    m_layout.SetCaretAtEnd(on);
    Refresh();
}

void CStandView::Relayout()
{
    m_page = std::min(m_layout.PageOf(m_caret), m_layout.PageCount() - 1);
    Refresh();
}

// --- Timers ---------------------------------------------------------------------------------

void CStandView::RestartCaretTimer()
{
    m_caretOn = true;
    m_caretTimer->stop();
    if (m_paused)
        return;
    m_caretTimer->setInterval(m_settings.caretStyle == CaretStyle::Pointer
                                  ? kPointerFrameMs
                                  : std::max(100, QApplication::cursorFlashTime() / 2));
    m_caretTimer->start();
}

void CStandView::OnCaretTick()
{
    if (m_settings.caretStyle == CaretStyle::Pointer)
        m_caretFrame = (m_caretFrame + 1) % kCaretFrames;
    else
        m_caretOn = !m_caretOn;
    update(CaretRect());
}

void CStandView::Pause(bool paused)
{
    m_paused = paused;
    RestartCaretTimer();
    update(CaretRect());
}

void CStandView::Stop()
{
    m_caretTimer->stop();
    m_queue.Clear();
    // A running turn just ends: the exercise is over, so nothing waits for it.
    m_turn.Finish();
    m_turnTimer->stop();
    m_oldPage = QImage();
    update();
}

// --- Drawing --------------------------------------------------------------------------------

QColor CStandView::StateColor(StandCharState state) const
{
    switch (state) {
    case StandCharState::Correct:
        return FromColorWord(m_settings.correctText);
    case StandCharState::Wrong:
        return FromColorWord(m_settings.errorText);
    case StandCharState::Untyped:
    default:
        return FromColorWord(m_settings.normalText);
    }
}

StandCaret CStandView::CurrentCaret() const
{
    return m_layout.CaretAt(m_page, m_layout.CaretOffset(m_caret));
}

QRect CStandView::CaretRect() const
{
    if (!m_layout.Sample() && m_layout.SampleLength() == 0 && !m_layout.CaretAtEnd())
        return {};
    const StandCaret c = CurrentCaret();
    if (!c.visible)
        return {};
    if (m_settings.caretStyle == CaretStyle::Bar)
        return QRect(c.x - 1, c.y - 1, 2, c.height + 2);
    const int x = c.x + c.charWidth / 2 - kPointerSize / 2;
    if (m_layout.Overlay())
        return QRect(x, c.y + c.height, kPointerSize, kPointerSize);
    return QRect(x, std::max(0, c.y - kPointerSize), kPointerSize, kPointerSize);
}

void CStandView::EnsureBuffer()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (m_buffer.size() != pixels || m_buffer.devicePixelRatio() != dpr) {
        m_buffer = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        m_buffer.setDevicePixelRatio(dpr);
        m_bufferValid = false;
    }
}

void CStandView::RenderPage(QImage& target, uint32_t page)
{
    QPainter p(&target);
    const QRect all(0, 0, width(), height());
    if (!m_background.isNull())
        p.drawTiledPixmap(all, m_background);
    else
        p.fillRect(all, FromColorWord(m_settings.background));
    PaintItems(p, m_layout.PageItems(page));
}

void CStandView::RenderLines(int firstLine, int lastLine)
{
    QPainter p(&m_buffer);
    std::vector<StandDrawItem> items;
    for (int line = firstLine; line <= lastLine; ++line) {
        const StandRect band = m_layout.LineBand(line);
        const QRect rect(band.left, band.top, band.width, band.height);
        p.setClipRect(rect);
        if (!m_background.isNull())
            p.drawTiledPixmap(QRect(0, 0, width(), height()), m_background);
        else
            p.fillRect(rect, FromColorWord(m_settings.background));
        items.clear();
        m_layout.LineItems(m_page, line, items);
        PaintItems(p, items);
    }
}

void CStandView::PaintItems(QPainter& p, const std::vector<StandDrawItem>& items)
{
    if (items.empty())
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    GlyphCache& glyphs = *m_glyphs;
    const char16_t* sample = m_layout.Sample();
    const char16_t* typed = m_layout.TypedBuffer();
    const int spacing = m_layout.CharSpacing();
    const int lineHeight = m_layout.LineHeight();
    const qreal stroke = std::max(1.2, lineHeight / 22.0);

    QVarLengthArray<quint32, 256> indexes;
    QVarLengthArray<QPointF, 256> positions;
    for (const StandDrawItem& item : items) {
        const QColor colour = StateColor(item.state);
        switch (item.kind) {
        case StandItemKind::Text: {
            const char16_t* buffer = item.row == StandRow::Sample ? sample : typed;
            if (!buffer)
                break;
            indexes.clear();
            positions.clear();
            const qreal baseline = item.y + m_ascent;
            int x = item.x;
            p.setPen(colour);
            for (uint32_t i = item.first; i < item.end; ++i) {
                const char16_t c = buffer[i];
                if (const quint32 g = glyphs.Index(c)) {
                    indexes.append(g);
                    positions.append(QPointF(x, baseline));
                } else if (c >= 32) {
                    // Not in the font: the font's fallbacks draw it.
                    p.setFont(m_font);
                    p.drawText(QPointF(x, baseline), QString(QChar(c)));
                }
                x += m_layout.Advance(sample[i]) + spacing;
            }
            if (!indexes.isEmpty()) {
                QGlyphRun run;
                run.setRawFont(m_rawFont);
                run.setGlyphIndexes(QList<quint32>(indexes.begin(), indexes.end()));
                run.setPositions(QList<QPointF>(positions.begin(), positions.end()));
                p.drawGlyphRun(QPointF(0, 0), run);
            }
            break;
        }
        case StandItemKind::TabBox:
        case StandItemKind::SpaceBox: {
            const QString label = ToQString(
                item.kind == StandItemKind::TabBox ? m_layout.TabLabel() : m_layout.SpaceLabel());
            const qreal boxHeight = std::max(10.0, lineHeight * 0.46);
            const QRectF box(item.x + 1.5,
                             item.y + (lineHeight - boxHeight) / 2 + lineHeight * 0.06,
                             std::max(4, item.width - 3), boxHeight);
            QColor frame = colour;
            frame.setAlphaF(item.state == StandCharState::Untyped ? 0.35 : 0.6);
            p.setPen(QPen(frame, 1));
            QColor fill = colour;
            fill.setAlphaF(item.state == StandCharState::Wrong ? 0.14 : 0.05);
            p.setBrush(fill);
            p.drawRoundedRect(box, 3, 3);
            p.setBrush(Qt::NoBrush);
            QColor text = colour;
            text.setAlphaF(item.state == StandCharState::Untyped ? 0.6 : 1.0);
            p.setPen(text);
            p.setFont(m_labelFont);
            p.drawText(box, Qt::AlignCenter, label);
            break;
        }
        case StandItemKind::ErrorBox: {
            const qreal boxHeight = std::max(10.0, lineHeight * 0.46);
            const QRectF box(item.x + 1, item.y + (lineHeight - boxHeight) / 2 + lineHeight * 0.06,
                             std::max(4, item.width - 2), boxHeight);
            QColor fill = colour;
            fill.setAlphaF(0.18);
            p.setPen(QPen(colour, 1.2));
            p.setBrush(fill);
            p.drawRoundedRect(box, 2, 2);
            p.setBrush(Qt::NoBrush);
            break;
        }
        case StandItemKind::EnterMark: {
            // A return arrow: down the right side, then left to an arrow head.
            QColor c = colour;
            if (item.state == StandCharState::Untyped)
                c.setAlphaF(0.55);
            const qreal w = std::max(6, item.width);
            const qreal right = item.x + w * 0.82, left = item.x + w * 0.12;
            const qreal top = item.y + lineHeight * 0.30, mid = item.y + lineHeight * 0.62;
            const qreal head = std::max(3.0, lineHeight * 0.12);
            QPainterPath path;
            path.moveTo(right, top);
            path.lineTo(right, mid);
            path.lineTo(left, mid);
            path.moveTo(left + head, mid - head);
            path.lineTo(left, mid);
            path.lineTo(left + head, mid + head);
            p.setPen(QPen(c, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
            break;
        }
        }
    }
}

void CStandView::PaintCaret(QPainter& p)
{
    const QRect r = CaretRect();
    if (r.isEmpty())
        return;
    if (m_settings.caretStyle == CaretStyle::Bar) {
        if (m_caretOn || m_paused)
            p.fillRect(r, FromColorWord(m_settings.normalText));
        return;
    }
    const QPixmap picture = m_look ? SkinPixmap(*m_look, skinbmp::kCaret) : QPixmap();
    const bool above = !m_layout.Overlay();
    if (!picture.isNull()) {
        const int frameWidth = picture.width() / kCaretFrames;
        const QRect source(m_caretFrame * frameWidth, 0, frameWidth, picture.height());
        if (above) {
            // Above the character the pointer points down.
            p.save();
            p.translate(r.left(), r.bottom() + 1);
            p.scale(1, -1);
            p.drawPixmap(QRect(0, 0, r.width(), r.height()), picture, source);
            p.restore();
        } else {
            p.drawPixmap(r, picture, source);
        }
        return;
    }
    // No picture: a 9-pixel red triangle moving in four steps.
    const qreal step = m_caretFrame * 1.3;
    const qreal x = r.left() + 2;
    QPainterPath tri;
    if (above) {
        const qreal y = r.top() + 3 - step + 3.9;
        tri.moveTo(x, y);
        tri.lineTo(x + 9, y);
        tri.lineTo(x + 4.5, y + 8);
    } else {
        const qreal y = r.top() + 1 + step;
        tri.moveTo(x + 4.5, y);
        tri.lineTo(x + 9, y + 8);
        tri.lineTo(x, y + 8);
    }
    tri.closeSubpath();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(tri, QColor(0xE5, 0x48, 0x4D));
}

void CStandView::paintEvent(QPaintEvent* event)
{
    SyncSize();
    EnsureBuffer();
    if (!m_bufferValid) {
        RenderPage(m_buffer, m_page);
        m_bufferValid = true;
    }
    QPainter p(this);
    const qreal dpr = m_buffer.devicePixelRatio();
    auto blit = [&](const QImage& image, const StandRect& src, const StandRect& dst) {
        if (src.width <= 0 || src.height <= 0)
            return;
        p.drawImage(QRectF(dst.left, dst.top, dst.width, dst.height), image,
                    QRectF(src.left * dpr, src.top * dpr, src.width * dpr, src.height * dpr));
    };
    if (!m_oldPage.isNull()) {
        // The frame of this moment (the turn's timer ends the turn itself).
        m_turn.Advance(TickCount());
        const PageTurnFrame f = m_turn.Frame();
        blit(m_oldPage, f.oldSrc, f.oldDst);
        blit(m_buffer, f.newSrc, f.newDst);
        return;
    }
    const QRect r = event->rect();
    p.drawImage(QRectF(r), m_buffer,
                QRectF(r.left() * dpr, r.top() * dpr, r.width() * dpr, r.height() * dpr));
    if (CaretRect().intersects(r))
        PaintCaret(p);
}

bool CStandView::SyncSize()
{
    if (m_layout.ClientWidth() == width() && m_layout.ClientHeight() == height())
        return false;
    m_layout.SetClientSize(width(), height());
    if (m_options && !m_contextHasWidth) {
        // Lesson margins are a share of the width.
        StandViewContext c = m_context;
        c.clientWidth = width();
        StandViewSettings s = ResolveStandViewSettings(*m_options, c);
        if (!(s == m_settings)) {
            ApplySettings(s);
            return true;
        }
    }
    Relayout();
    return true;
}

void CStandView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SyncSize();
}

void CStandView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_bufferValid = false;
}

} // namespace kf
