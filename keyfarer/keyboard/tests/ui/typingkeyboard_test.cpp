// The desk's keyboard as the user sees it: the marked key and its Shift key, keys pressed on
// the real keyboard (by place, also on a German layout), keys struck in error, modifiers,
// clicks and dragging.

#include "keyboard/ui/handsview.h"
#include "keyboard/ui/typingkeyboard.h"

#include "content/layoutsource.h"
#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kf {
namespace {

int CountNear(const QImage& img, const QRect& rect, const QColor& c, int tolerance)
{
    int n = 0;
    const QRect r = rect.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                    std::abs(p.blue() - c.blue()) <=
                tolerance)
                ++n;
        }
    return n;
}

// The look of the staged tree when it is there (the keyboard draws plain keys otherwise).
const CTypingAspect& Look()
{
    static CTypingAspect look;
    static bool loaded = [] {
        look.Init(u"" KF_STAGE_DIR "/");
        return true;
    }();
    (void)loaded;
    return look;
}

bool LoadShipped(CKeyboardView& view, const std::string& name)
{
    std::ifstream in(std::string(KF_SOURCE_DIR) + "/datasrc/layouts/" + name + ".txt");
    std::stringstream text;
    text << in.rdbuf();
    Bytes image;
    std::string error;
    return CompileLayoutSource(text.str(), image, error) && view.LoadLayoutImage(image, true);
}

KeyRef MainKey(const CKeyboardModel& m, char16_t base)
{
    for (size_t i = 0; i < m.MainKeyCount(); ++i)
        if (m.MainKey(i)->Base() == base)
            return {false, static_cast<int>(i)};
    return {};
}

// A key event as the X11 platform delivers it: an XKB keycode (the evdev code + 8).
void Send(CTypingKeyboard& kb, QEvent::Type type, int key, quint32 evdev, const QString& text,
          Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent e(type, key, mods, evdev + 8, 0, 0, text);
    kb.ReflectKeyEvent(e);
}

class TypingKeyboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        keyboard.resize(keyboard.sizeHint());
        ASSERT_TRUE(LoadShipped(keyboard, "US"));
    }
    QImage Picture() { return keyboard.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect Rect(char16_t base) const { return keyboard.KeyRect(MainKey(keyboard.Model(), base)); }
    QColor Accent() const { return LookQColor(Look(), LookColor::KeyMarked); }

    CTypingKeyboard keyboard{&Look()};
};

TEST_F(TypingKeyboardTest, TheNextKeyAndItsShiftAreMarked)
{
    keyboard.MarkNextCharacters(u"F", 1);
    const QImage img = Picture();
    const QRect f = Rect(u'f');
    const QRect rshift = Rect(vk::RightShift);
    EXPECT_GT(CountNear(img, f, Accent(), 30), f.width() * f.height() / 3);
    EXPECT_GT(CountNear(img, rshift, Accent(), 30), rshift.width() * rshift.height() / 3);
    EXPECT_EQ(CountNear(img, Rect(u'j'), Accent(), 30), 0);
    EXPECT_EQ(CountNear(img, Rect(vk::LeftShift), Accent(), 30), 0);

    // A lower-case letter needs no Shift.
    keyboard.MarkNextCharacters(u"j", 1);
    const QImage next = Picture();
    EXPECT_EQ(CountNear(next, f, Accent(), 30), 0);
    EXPECT_EQ(CountNear(next, rshift, Accent(), 30), 0);
    EXPECT_GT(CountNear(next, Rect(u'j'), Accent(), 30), 100);
}

TEST_F(TypingKeyboardTest, APressedKeyIsDrawnPressedAndAWrongOneStruckOut)
{
    const QRect d = Rect(u'd');
    const QImage before = Picture();
    Send(keyboard, QEvent::KeyPress, Qt::Key_D, 32, "d");
    EXPECT_EQ(keyboard.Model().Record(MainKey(keyboard.Model(), u'd'))->DisplayState(),
              keystate::Pressed);
    EXPECT_NE(Picture().copy(d), before.copy(d));
    Send(keyboard, QEvent::KeyRelease, Qt::Key_D, 32, "d");
    EXPECT_EQ(Picture().copy(d), before.copy(d));

    // With J marked, pressing K strikes K out (red) until it is released.
    keyboard.MarkNextCharacters(u"j", 1);
    const QRect k = Rect(u'k');
    const QColor red(0xE5, 0x48, 0x4D);
    Send(keyboard, QEvent::KeyPress, Qt::Key_K, 37, "k");
    EXPECT_GT(CountNear(Picture(), k, red, 40), 20);
    Send(keyboard, QEvent::KeyRelease, Qt::Key_K, 37, "k");
    EXPECT_EQ(CountNear(Picture(), k, red, 40), 0);
    // Pressing the marked key takes its mark away.
    Send(keyboard, QEvent::KeyPress, Qt::Key_J, 36, "j");
    EXPECT_FALSE(keyboard.Model().IsMarked(MainKey(keyboard.Model(), u'j')));
    EXPECT_EQ(CountNear(Picture(), Rect(u'j'), red, 40), 0);
}

TEST_F(TypingKeyboardTest, KeysAreFoundByPlaceOnAGermanLayout)
{
    ASSERT_TRUE(LoadShipped(keyboard, "German"));
    // The key right of T: Y on a US machine, Z on the German layout.
    Send(keyboard, QEvent::KeyPress, Qt::Key_Y, 21, "y");
    const CKeyboardModel& m = keyboard.Model();
    EXPECT_EQ(m.Record(MainKey(m, u'z'))->DisplayState(), keystate::Pressed);
    EXPECT_EQ(m.Record(MainKey(m, u'y'))->DisplayState(), keystate::Normal);
    Send(keyboard, QEvent::KeyRelease, Qt::Key_Y, 21, "y");
    // The ISO key left of Y (no scan code on the US layout's rows).
    Send(keyboard, QEvent::KeyPress, Qt::Key_Less, 86, "<");
    EXPECT_EQ(m.Record(MainKey(m, u'<'))->DisplayState(), keystate::Pressed);
    // Without a scan code (as the offscreen platform sends them) the character finds it.
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Odiaeresis, Qt::NoModifier, QString(QChar(0xF6)));
    keyboard.ReflectKeyEvent(plain);
    EXPECT_EQ(m.Record(MainKey(m, u'\u00F6'))->DisplayState(), keystate::Pressed);
}

TEST_F(TypingKeyboardTest, ShiftAndCapsLockAreMirroredAndChangeTheSimpleLabels)
{
    keyboard.SetAdvancedView(false);
    const QRect a = Rect(u'a');
    const QImage plain = Picture();
    Send(keyboard, QEvent::KeyPress, Qt::Key_Shift, 42, QString(), Qt::ShiftModifier);
    const CKeyboardModel& m = keyboard.Model();
    EXPECT_EQ(m.Record(m.KeyForVirtualKey(vk::LeftShift))->DisplayState(), keystate::Pressed);
    EXPECT_EQ(m.Record(m.KeyForVirtualKey(vk::RightShift))->DisplayState(), keystate::Normal);
    EXPECT_EQ(m.CurrentCharacter(MainKey(m, u'a')), u'A');
    EXPECT_NE(Picture().copy(a), plain.copy(a));
    Send(keyboard, QEvent::KeyRelease, Qt::Key_Shift, 42, QString());
    EXPECT_EQ(Picture().copy(a), plain.copy(a));

    // Caps Lock lights up and stays drawn pressed; a capital typed without Shift confirms it.
    Send(keyboard, QEvent::KeyPress, Qt::Key_CapsLock, 58, QString());
    Send(keyboard, QEvent::KeyRelease, Qt::Key_CapsLock, 58, QString());
    EXPECT_TRUE(m.Modifiers().capsLock);
    EXPECT_EQ(m.Record(m.KeyForVirtualKey(vk::CapsLock))->DisplayState(), keystate::Pressed);
    // A small letter typed without Shift says Caps Lock is off after all (it was switched
    // off while the program was elsewhere).
    Send(keyboard, QEvent::KeyPress, Qt::Key_S, 31, "s");
    EXPECT_FALSE(m.Modifiers().capsLock);
    EXPECT_EQ(m.Record(m.KeyForVirtualKey(vk::CapsLock))->DisplayState(), keystate::Normal);
}

TEST_F(TypingKeyboardTest, AnEventSeenOnItsWayThroughTheParentsCountsOnce)
{
    QWidget parent;
    QWidget child(&parent); // ignores keys: the event goes on to the parent
    keyboard.InstallApplicationFilter();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier, 58 + 8, 0, 0, QString());
    QApplication::sendEvent(&child, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_CapsLock, Qt::NoModifier, 58 + 8, 0, 0,
                      QString());
    QApplication::sendEvent(&child, &release);
    EXPECT_TRUE(keyboard.Model().Modifiers().capsLock);
    keyboard.RemoveApplicationFilter();
}

TEST_F(TypingKeyboardTest, ClicksTypeAndDragsMove)
{
    QWidget desk;
    desk.resize(900, 400);
    keyboard.setParent(&desk);
    keyboard.move(100, 100);
    desk.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&desk));
    QSignalSpy typed(&keyboard, &CTypingKeyboard::keyClicked);
    QTest::mouseClick(&keyboard, Qt::LeftButton, Qt::NoModifier, Rect(u'g').center());
    ASSERT_EQ(typed.count(), 1);
    EXPECT_EQ(typed.at(0).at(0).value<char16_t>(), u'g');
    QTest::mouseClick(&keyboard, Qt::LeftButton, Qt::NoModifier, Rect(vk::Space).center());
    EXPECT_EQ(typed.at(1).at(0).value<char16_t>(), u' ');
    QTest::mouseClick(&keyboard, Qt::LeftButton, Qt::NoModifier, Rect(vk::LeftShift).center());
    EXPECT_EQ(typed.count(), 2); // a modifier types nothing

    QSignalSpy moved(&keyboard, &CTypingKeyboard::moved);
    const QPoint start = Rect(u'g').center();
    QTest::mousePress(&keyboard, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(&keyboard, start + QPoint(30, 20));
    QTest::mouseMove(&keyboard, start + QPoint(60, 40));
    QTest::mouseRelease(&keyboard, Qt::LeftButton, Qt::NoModifier, start + QPoint(60, 40));
    EXPECT_EQ(moved.count(), 1);
    EXPECT_NE(keyboard.pos(), QPoint(100, 100));
    EXPECT_EQ(typed.count(), 2); // a drag is no click

    keyboard.SetFixedInPlace(true);
    const QPoint at = keyboard.pos();
    QTest::mousePress(&keyboard, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(&keyboard, start + QPoint(60, 40));
    QTest::mouseRelease(&keyboard, Qt::LeftButton, Qt::NoModifier, start + QPoint(60, 40));
    EXPECT_EQ(keyboard.pos(), at);
    keyboard.setParent(nullptr);
}

TEST_F(TypingKeyboardTest, LeavingTheProgramStopsBlinkingAndLetsGoOfKeys)
{
    keyboard.MarkNextCharacters(u"a", 1);
    keyboard.SetMarkingEnabled(true);
    EXPECT_TRUE(keyboard.TimersRunning());
    Send(keyboard, QEvent::KeyPress, Qt::Key_Shift, 54, QString(), Qt::ShiftModifier);
    Send(keyboard, QEvent::KeyPress, Qt::Key_Q, 16, "Q", Qt::ShiftModifier);
    keyboard.StopTimers();
    EXPECT_FALSE(keyboard.TimersRunning());
    const CKeyboardModel& m = keyboard.Model();
    EXPECT_EQ(m.Record(MainKey(m, u'q'))->DisplayState(), keystate::Normal);
    EXPECT_EQ(m.Record(m.KeyForVirtualKey(vk::RightShift))->DisplayState(), keystate::Normal);
    keyboard.StartTimers();
    EXPECT_TRUE(keyboard.TimersRunning());
    keyboard.SetMarkingEnabled(false);
    EXPECT_FALSE(keyboard.TimersRunning());
}

TEST(HandsViewTest, MarksTheFingerOfTheNextCharacter)
{
    CTypingKeyboard keyboard(&Look());
    ASSERT_TRUE(LoadShipped(keyboard, "US"));
    CHandsView hands(&Look());
    hands.resize(hands.sizeHint());
    const QColor accent = LookQColor(Look(), LookColor::Accent);
    hands.SetHint(keyboard.NextFinger(u'k')); // right middle finger
    const FingerSpot spot = Look().HandFingerSpot(1, 2);
    const QImage img = hands.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(CountNear(img, QRect(spot.x - 4, spot.y - 4, 8, 8), accent, 30), 40);
    const FingerSpot other = Look().HandFingerSpot(0, 2);
    EXPECT_EQ(CountNear(img, QRect(other.x - 4, other.y - 4, 8, 8), accent, 30), 0);
    hands.SetHint(keyboard.NextFinger(u'\u4E2D')); // on no key: no finger
    EXPECT_TRUE(hands.MarkedSpot().isEmpty());
}

} // namespace
} // namespace kf
