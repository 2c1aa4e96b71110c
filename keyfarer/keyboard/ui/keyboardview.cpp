#include "keyboard/ui/keyboardview.h"

#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

namespace kf {
namespace {

// The key pictures leave their lowest pixels as the key's darker lip.
constexpr int kLip = 4;
// A key struck in error: the skin's error red.
const QColor kStrikeColor(0xE5, 0x48, 0x4D);

QRectF RectF(int l, int t, int w, int h)
{
    return QRectF(l, t, w, h);
}

// The outline of a key: a rounded rectangle, or for the two-row Enter keys the union of the
// part in each row and the bridge between them.
QPainterPath Outline(const KeyShape& s, const KeyboardGeometry& g)
{
    const qreal r = g.cornerRadius;
    QPainterPath path;
    if (!s.HasNotch()) {
        path.addRoundedRect(RectF(s.left, s.top, s.width, s.height), r, r);
        return path;
    }
    const int rowHeight = g.keyHeight;
    const bool upperNarrow = s.notchTop == s.top;
    const int upperLeft = upperNarrow ? s.notchLeft + s.notchWidth : s.left;
    const int lowerLeft = upperNarrow ? s.left : s.notchLeft + s.notchWidth;
    const int lowerTop = s.Bottom() - rowHeight;
    QPainterPath upper, lower, bridge;
    upper.addRoundedRect(RectF(upperLeft, s.top, s.Right() - upperLeft, rowHeight), r, r);
    lower.addRoundedRect(RectF(lowerLeft, lowerTop, s.Right() - lowerLeft, rowHeight), r, r);
    const int bridgeLeft = std::max(upperLeft, lowerLeft);
    bridge.addRect(RectF(bridgeLeft, s.top + rowHeight - int(r), s.Right() - bridgeLeft,
                         lowerTop - s.top - rowHeight + 2 * int(r)));
    return upper.united(lower).united(bridge).simplified();
}

// The part of a key in its own row, where its labels go.
QRect LabelRect(const KeyShape& s, const KeyboardGeometry& g)
{
    if (!s.HasNotch())
        return QRect(s.left, s.top, s.width, s.height - kLip);
    const int left = s.notchTop == s.top ? s.notchLeft + s.notchWidth : s.left;
    return QRect(left, s.top, s.Right() - left, g.keyHeight - kLip);
}

QString Text(const std::u16string& s)
{
    return ToQString(s);
}

} // namespace

CKeyboardView::CKeyboardView(const CTypingAspect* look, QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
    SetLook(look);
}

CKeyboardView::~CKeyboardView() = default;

void CKeyboardView::SetLook(const CTypingAspect* look)
{
    m_look = look;
    m_model.SetGeometry(look ? look->Keyboard() : KeyboardGeometry{});
    Redraw(true);
}

bool CKeyboardView::LoadLayoutImage(ByteSpan image, bool check)
{
    const bool ok = m_model.LoadLayoutImage(image, check);
    Redraw(false);
    return ok;
}

void CKeyboardView::ResetToDefaultLayout()
{
    m_model.ResetToDefaultLayout();
    Redraw(false);
}

bool CKeyboardView::ApplyInputMethod(const InputMethodKeyboard& ime)
{
    const bool ok = m_model.ApplyInputMethod(ime);
    Redraw(false);
    return ok;
}

void CKeyboardView::SetViewKind(KeyboardViewKind kind)
{
    m_model.SetViewKind(kind);
    updateGeometry();
    resize(sizeHint());
    Redraw(false);
}

void CKeyboardView::SetAdvancedView(bool on)
{
    m_model.SetAdvancedView(on);
    UpdateChangedKeys();
}

void CKeyboardView::MarkNextCharacters(const char16_t* chars, size_t count)
{
    m_model.MarkNextCharacters(chars, count);
    UpdateChangedKeys();
}

void CKeyboardView::ClearMarks()
{
    m_model.ClearMarks();
    UpdateChangedKeys();
}

bool CKeyboardView::RefreshModifiers(const ModifierState& state)
{
    const bool changed = m_model.RefreshModifiers(state);
    UpdateChangedKeys();
    return changed;
}

void CKeyboardView::Redraw(bool clearCache)
{
    if (clearCache) {
        m_faces.clear();
        m_pictureColours.clear();
    }
    DropKeyPictures();
    m_model.TakeChangedKeys();
    update();
}

void CKeyboardView::UpdateChangedKeys()
{
    const bool all = m_model.EverythingChanged();
    const std::vector<KeyRef> keys = m_model.TakeChangedKeys();
    if (all) {
        // The key pictures stay: what changes a key's look without a new layout (the label
        // view, the modifiers of the simple view) is part of their signature.
        update();
        return;
    }
    for (const KeyRef& key : keys)
        update(KeyRect(key));
}

KeyRef CKeyboardView::KeyAt(const QPoint& point) const
{
    return m_model.KeyAt(point.x(), point.y());
}

QRect CKeyboardView::KeyRect(KeyRef key) const
{
    const KeyShape& s = m_model.Shape(key);
    const int shadow = m_model.Geometry().shadowOffset;
    return QRect(s.left, s.top, s.width + shadow + 1, s.height + shadow + 1);
}

QSize CKeyboardView::sizeHint() const
{
    const int shadow = m_model.Geometry().shadowOffset;
    return QSize(m_model.BlockWidth() + shadow, m_model.BlockHeight());
}

QPixmap CKeyboardView::FacePixmap(int picture, bool pressed, int width, int height)
{
    const quint64 key = (quint64(picture) << 48) | (quint64(pressed) << 40) |
                        (quint64(width & 0xFFFFF) << 20) | quint64(height & 0xFFFFF);
    if (auto it = m_faces.constFind(key); it != m_faces.constEnd())
        return *it;
    QPixmap face;
    const QPixmap strip = m_look ? SkinPixmap(*m_look, skinbmp::kKeys) : QPixmap();
    if (!strip.isNull()) {
        face = QPixmap(width, height);
        face.fill(Qt::transparent);
        QPainter p(&face);
        const int cell = (picture * kKeyPictureStates + (pressed ? 1 : 0)) * kKeyPictureSize;
        const int corner = m_model.Geometry().cornerRadius;
        DrawNineSlice(p, strip, QRect(cell, 0, kKeyPictureSize, kKeyPictureSize),
                      QRect(0, 0, width, height), corner, corner, corner, corner);
    }
    m_faces.insert(key, face);
    return face;
}

std::pair<QColor, QColor> CKeyboardView::PictureColours(int picture, bool pressed)
{
    const int key = picture * 2 + (pressed ? 1 : 0);
    if (auto it = m_pictureColours.constFind(key); it != m_pictureColours.constEnd())
        return *it;
    QColor lip = m_look ? LookQColor(*m_look, LookColor::KeyShadow) : QColor(200, 205, 211);
    QColor top = m_look ? LookQColor(*m_look, pressed ? LookColor::KeyPressed : LookColor::KeyFace)
                        : QColor(Qt::white);
    const QPixmap strip = m_look ? SkinPixmap(*m_look, skinbmp::kKeys) : QPixmap();
    if (!strip.isNull()) {
        const QImage img = strip.toImage();
        const int cell = (picture * kKeyPictureStates + (pressed ? 1 : 0)) * kKeyPictureSize;
        lip = img.pixelColor(cell + kKeyPictureSize / 2, kKeyPictureSize - 3);
        top = img.pixelColor(cell + kKeyPictureSize / 2, kKeyPictureSize / 3);
    }
    m_pictureColours.insert(key, {top, lip});
    return {top, lip};
}

void CKeyboardView::DropKeyPictures()
{
    for (auto& pictures : m_keyPictures)
        pictures.clear();
}

QPixmap CKeyboardView::KeyPixmap(KeyRef key)
{
    const KeyRecord* rec = m_model.Record(key);
    const size_t slot = size_t(key.index) + (key.keypad ? CKeyboardLayout::kMainKeys : 0);
    if (!rec || slot >= m_keyPictures.size())
        return {};
    // What decides a key's look: its state and mark, and in the simple view the modifiers
    // that choose its character.
    const ModifierState& m = m_model.Modifiers();
    quint32 signature =
        rec->DisplayState() | (rec->HintMark() ? 4u : 0u) | (m_model.AdvancedView() ? 64u : 0u);
    if (!m_model.AdvancedView())
        signature |= (m.Shift() ? 8u : 0u) | (m.AltGr() ? 16u : 0u) | (m.capsLock ? 32u : 0u);
    if (auto it = m_keyPictures[slot].constFind(signature); it != m_keyPictures[slot].constEnd())
        return *it;
    const KeyShape& s = m_model.Shape(key);
    const int shadow = m_model.Geometry().shadowOffset;
    const qreal dpr = devicePixelRatioF();
    QPixmap pixmap(QSize(s.width + shadow + 1, s.height + shadow + 1) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.translate(-s.left, -s.top);
        PaintKey(p, key);
    }
    m_keyPictures[slot].insert(signature, pixmap);
    return pixmap;
}

void CKeyboardView::paintEvent(QPaintEvent* event)
{
    if (m_look && m_look->Generation() != m_lookGeneration) {
        m_lookGeneration = m_look->Generation();
        m_faces.clear();
        m_pictureColours.clear();
        DropKeyPictures();
    }
    QPainter p(this);
    for (const KeyRef& key : m_model.VisibleKeys()) {
        const QRect r = KeyRect(key);
        if (event->region().intersects(r))
            p.drawPixmap(r.topLeft(), KeyPixmap(key));
    }
}

void CKeyboardView::PaintKey(QPainter& p, KeyRef key)
{
    const KeyRecord* rec = m_model.Record(key);
    const KeyShape& s = m_model.Shape(key);
    if (!rec || s.width <= 0)
        return;
    const KeyboardGeometry& g = m_model.Geometry();
    const uint8_t state = rec->DisplayState();
    const bool pressed = state == keystate::Pressed || state == keystate::StruckOut;
    const bool marked = rec->HintMark() != 0;
    const QPainterPath outline = Outline(s, g);

    auto color = [&](LookColor c, QColor fallback) {
        return m_look ? LookQColor(*m_look, c) : fallback;
    };

    if (state != keystate::Disabled)
        p.fillPath(outline.translated(g.shadowOffset, g.shadowOffset),
                   color(LookColor::KeyShadow, QColor(200, 205, 211)));

    const int picture = KeyPictureForFinger(rec->Finger());
    QColor text = color(LookColor::KeyText, QColor(31, 41, 51));
    if (state == keystate::Disabled) {
        p.fillPath(outline, color(LookColor::KeyDisabled, QColor(228, 231, 235)));
        text = color(LookColor::DisabledText, QColor(150, 150, 150));
    } else if (marked) {
        const QColor accent = color(LookColor::KeyMarked, QColor(240, 154, 26));
        p.fillPath(outline, accent.darker(125));
        p.fillPath(outline.intersected(outline.translated(0, -kLip)),
                   pressed ? accent.darker(108) : accent);
        text = color(LookColor::KeyMarkedText, Qt::white);
    } else {
        const QPixmap face =
            s.HasNotch() ? QPixmap() : FacePixmap(picture, pressed, s.width, s.height);
        if (!face.isNull()) {
            p.drawPixmap(s.left, s.top, face);
        } else {
            // No picture (or an Enter key of two rows): the picture's own colours.
            auto [top, lip] = PictureColours(picture, pressed);
            p.fillPath(outline, lip);
            p.fillPath(outline.intersected(outline.translated(0, pressed ? -1 : -kLip)), top);
        }
    }

    // Labels.
    const KeyLabels labels = m_model.Labels(key);
    QRect area =
        LabelRect(s, g).adjusted(g.textInsetX, g.textInsetY, -g.textInsetX, -g.textInsetY + 1);
    if (pressed)
        area.translate(0, 2);
    const QFont small = m_look ? LookQFont(*m_look, LookFont::Small) : font();
    const QFont large = m_look ? LookQFont(*m_look, LookFont::KeyLarge) : font();
    p.setPen(text);
    if (!labels.name.empty()) {
        // A long name on a narrow key (the keypad's Enter) gets a smaller font, never cut.
        QFont f = small;
        const QString name = Text(labels.name);
        while (f.pointSizeF() > 5.5 &&
               QFontMetrics(f).boundingRect(area, Qt::AlignLeft | Qt::AlignTop, name).width() >
                   area.width())
            f.setPointSizeF(f.pointSizeF() - 0.5);
        p.setFont(f);
        p.drawText(area, Qt::AlignLeft | Qt::AlignTop, name);
    }
    if (!labels.bar.empty()) {
        p.setFont(small);
        p.setPen(marked ? text : color(LookColor::DeskTextDim, QColor(107, 123, 140)));
        p.drawText(area, Qt::AlignCenter, Text(labels.bar));
        p.setPen(text);
    }
    if (!labels.large.empty()) {
        p.setFont(large);
        // Beside a corner character the big one moves over to leave it room.
        const bool corner = !labels.bottomRight.empty() || !labels.topRight.empty();
        p.drawText(corner ? area.adjusted(-2, 0, -g.textInsetX - 4, 0) : area, Qt::AlignCenter,
                   Text(labels.large));
    }
    p.setFont(small);
    if (!labels.topLeft.empty())
        p.drawText(area, Qt::AlignLeft | Qt::AlignTop, Text(labels.topLeft));
    if (!labels.bottomLeft.empty())
        p.drawText(area, Qt::AlignLeft | Qt::AlignBottom, Text(labels.bottomLeft));
    QColor third = text;
    if (!marked)
        third.setAlpha(150); // the AltGr levels are quieter than the two everyday ones
    p.setPen(third);
    if (!labels.bottomRight.empty())
        p.drawText(area, Qt::AlignRight | Qt::AlignBottom, Text(labels.bottomRight));
    if (!labels.topRight.empty())
        p.drawText(area, Qt::AlignRight | Qt::AlignTop, Text(labels.topRight));

    if (state == keystate::StruckOut) {
        p.setPen(QPen(kStrikeColor, 2.5, Qt::SolidLine, Qt::RoundCap));
        const QRectF box = RectF(s.left, s.top, s.width, s.height).adjusted(5, 5, -5, -5);
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomLeft());
    }
}

} // namespace kf
