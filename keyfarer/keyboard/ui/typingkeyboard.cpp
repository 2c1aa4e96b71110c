#include "keyboard/ui/typingkeyboard.h"

#include "keyboard/scancodes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace kf {
namespace {

bool IsModifierQtKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

// Set-1 scan codes with the extended prefix, as the Windows platform reports them.
uint32_t FromSet1(uint32_t scan)
{
    switch (scan) {
    case 0x11D:
        return scancode::kRightCtrl;
    case 0x138:
        return scancode::kRightAlt;
    case 0x11C:
        return scancode::kKeypadEnter;
    case 0x135:
        return scancode::kKeypadSlash;
    case 0x145:
        return scancode::kNumLock;
    default:
        return scan < 0x80 ? scan : 0;
    }
}

} // namespace

CTypingKeyboard::CTypingKeyboard(const CTypingAspect* look, QWidget* parent)
    : CKeyboardView(look, parent), m_blinkTimer(new QTimer(this))
{
    m_blinkTimer->setInterval(CKeyBlink::kTickMilliseconds);
    connect(m_blinkTimer, &QTimer::timeout, this, &CTypingKeyboard::OnBlinkTick);
}

CTypingKeyboard::~CTypingKeyboard()
{
    RemoveApplicationFilter();
}

void CTypingKeyboard::SetMarkingEnabled(bool on)
{
    MutableModel().SetMarkingEnabled(on);
    UpdateChangedKeys();
    if (on && m_active)
        m_blinkTimer->start();
    else
        m_blinkTimer->stop();
}

void CTypingKeyboard::StopTimers()
{
    m_active = false;
    m_blinkTimer->stop();
    // Keys released while the program is away never come back as releases.
    m_held.leftShift = m_held.rightShift = false;
    m_held.leftCtrl = m_held.rightCtrl = false;
    m_held.leftAlt = m_held.rightAlt = false;
    MutableModel().RefreshModifiers(m_held);
    MutableModel().ReleaseAll();
    UpdateChangedKeys();
}

void CTypingKeyboard::StartTimers()
{
    m_active = true;
    if (Model().MarkingEnabled())
        m_blinkTimer->start();
}

bool CTypingKeyboard::TimersRunning() const
{
    return m_blinkTimer->isActive();
}

void CTypingKeyboard::OnBlinkTick()
{
    if (MutableModel().BlinkTick())
        UpdateChangedKeys();
}

uint32_t CTypingKeyboard::PhysicalCode(const QKeyEvent& event)
{
    const quint32 native = event.nativeScanCode();
    if (QGuiApplication::platformName() == QLatin1String("windows"))
        return FromSet1(native);
    // X11 and Wayland report XKB keycodes (offscreen tests send them too).
    return scancode::FromXkbKeycode(native);
}

KeyRef CTypingKeyboard::KeyOfEvent(const QKeyEvent& event, uint32_t code) const
{
    if (code) {
        const KeyRef key = Model().KeyForScanCode(code);
        if (key.Valid())
            return key;
    }
    // No scan code (or one the layout lacks): by the key's meaning.
    switch (event.key()) {
    case Qt::Key_Shift:
        return Model().KeyForVirtualKey(vk::LeftShift);
    case Qt::Key_Control:
        return Model().KeyForVirtualKey(vk::LeftCtrl);
    case Qt::Key_Alt:
        return Model().KeyForVirtualKey(vk::LeftAlt);
    case Qt::Key_AltGr:
        return Model().KeyForVirtualKey(vk::RightAlt);
    case Qt::Key_CapsLock:
        return Model().KeyForVirtualKey(vk::CapsLock);
    case Qt::Key_NumLock:
        return Model().KeyForVirtualKey(vk::NumLock);
    case Qt::Key_Backspace:
        return Model().KeyForVirtualKey(vk::Backspace);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Model().KeyForVirtualKey(vk::Tab);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Model().KeyForVirtualKey(vk::Enter);
    case Qt::Key_Space:
        return Model().KeyForVirtualKey(vk::Space);
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() == 1)
        return Model().KeyForCharacter(text.at(0).unicode());
    return {};
}

void CTypingKeyboard::TrackModifiers(const QKeyEvent& event, uint32_t code, bool down, KeyRef key)
{
    ModifierState& m = m_held;
    switch (code) {
    case scancode::kLeftShift:
        m.leftShift = down;
        break;
    case scancode::kRightShift:
        m.rightShift = down;
        break;
    case scancode::kLeftCtrl:
        m.leftCtrl = down;
        break;
    case scancode::kRightCtrl:
        m.rightCtrl = down;
        break;
    case scancode::kLeftAlt:
        m.leftAlt = down;
        break;
    case scancode::kRightAlt:
        m.rightAlt = down;
        break;
    case scancode::kCapsLock:
        if (down)
            m.capsLock = !m.capsLock;
        break;
    case scancode::kNumLock:
        if (down)
            m.numLock = !m.numLock;
        break;
    case 0:
        switch (event.key()) {
        case Qt::Key_Shift:
            m.leftShift = down;
            break;
        case Qt::Key_Control:
            m.leftCtrl = down;
            break;
        case Qt::Key_Alt:
            m.leftAlt = down;
            break;
        case Qt::Key_AltGr:
            m.rightAlt = down;
            break;
        case Qt::Key_CapsLock:
            if (down)
                m.capsLock = !m.capsLock;
            break;
        case Qt::Key_NumLock:
            if (down)
                m.numLock = !m.numLock;
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    if (IsModifierQtKey(event.key()))
        return;

    // An ordinary key tells the modifiers held with it: a Shift released while the window
    // was elsewhere is let go here.
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (!(mods & Qt::ShiftModifier))
        m.leftShift = m.rightShift = false;
    else if (!m.leftShift && !m.rightShift)
        m.leftShift = true;
    if (!(mods & Qt::ControlModifier))
        m.leftCtrl = m.rightCtrl = false;
    else if (!m.leftCtrl && !m.rightCtrl)
        m.leftCtrl = true;
    if (!(mods & Qt::AltModifier))
        m.leftAlt = false;

    // The lock states are not reported; a letter's case and a keypad digit tell them.
    const KeyRecord* rec = Model().Record(key);
    const QString text = event.text();
    if (!down || !rec || text.size() != 1)
        return;
    const char16_t t = text.at(0).unicode();
    if (rec->IsLetter() && !m.AltGr()) {
        if (t == rec->Shifted() && t != rec->Base())
            m.capsLock = !m.Shift();
        else if (t == rec->Base() && t != rec->Shifted())
            m.capsLock = m.Shift();
    } else if (key.keypad && rec->Base() >= u'0' && rec->Base() <= u'9') {
        m.numLock = t == rec->Base();
    }
}

void CTypingKeyboard::ReflectKeyEvent(const QKeyEvent& event)
{
    const int type = event.type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return;
    if (&event == m_lastEvent && event.timestamp() == m_lastTimestamp && type == m_lastType &&
        event.key() == m_lastKey)
        return;
    m_lastEvent = &event;
    m_lastTimestamp = event.timestamp();
    m_lastType = type;
    m_lastKey = event.key();
    if (event.isAutoRepeat())
        return;

    const bool down = type == QEvent::KeyPress;
    const uint32_t code = PhysicalCode(event);
    const KeyRef key = KeyOfEvent(event, code);
    TrackModifiers(event, code, down, key);
    MutableModel().RefreshModifiers(m_held);
    if (key.Valid()) {
        if (down)
            MutableModel().KeyDown(key);
        else
            MutableModel().KeyUp(key);
    }
    UpdateChangedKeys();
}

void CTypingKeyboard::InstallApplicationFilter()
{
    if (m_filterInstalled || !qApp)
        return;
    qApp->installEventFilter(this);
    m_filterInstalled = true;
}

void CTypingKeyboard::RemoveApplicationFilter()
{
    if (!m_filterInstalled || !qApp)
        return;
    qApp->removeEventFilter(this);
    m_filterInstalled = false;
}

bool CTypingKeyboard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        ReflectKeyEvent(*static_cast<QKeyEvent*>(event));
    return CKeyboardView::eventFilter(watched, event);
}

void CTypingKeyboard::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return CKeyboardView::mousePressEvent(event);
    raise();
    m_pressKey = KeyAt(event->position().toPoint());
    m_pressPos = event->globalPosition().toPoint();
    m_pressTopLeft = pos();
    m_dragging = false;
    event->accept();
}

void CTypingKeyboard::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_fixed)
        return CKeyboardView::mouseMoveEvent(event);
    const QPoint delta = event->globalPosition().toPoint() - m_pressPos;
    if (!m_dragging && delta.manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    QPoint target = m_pressTopLeft + delta;
    if (QWidget* parent = parentWidget()) {
        // Keep the whole keyboard inside the desk.
        target.setX(std::clamp(target.x(), 0, std::max(0, parent->width() - width())));
        target.setY(std::clamp(target.y(), 0, std::max(0, parent->height() - height())));
    }
    move(target);
    event->accept();
}

void CTypingKeyboard::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return CKeyboardView::mouseReleaseEvent(event);
    if (m_dragging) {
        m_dragging = false;
        emit moved(pos());
        return;
    }
    const KeyRef key = KeyAt(event->position().toPoint());
    if (!key.Valid() || !(key == m_pressKey))
        return;
    const KeyRecord* rec = Model().Record(key);
    if (!rec || rec->IsModifier())
        return;
    const char16_t base = rec->Base();
    if (base != 0)
        emit keyClicked(base);
}

} // namespace kf
