// kf_typing_views_gallery STAGE_DIR OUT_DIR: pictures of the standard typing view and the
// on-screen keyboard as the desk shows them, placed on the desk picture: a lesson in progress
// (errors in red, the caret, the next key and its Shift key marked, a struck-out key), a test
// in two-row mode, free typing, and the keyboards of the shipped US and German layouts in
// both label views. The layouts are compiled from their readable sources.

#include "content/layoutsource.h"
#include "platform/clock.h"
#include "keyboard/ui/handsview.h"
#include "keyboard/ui/typingkeyboard.h"
#include "session/exercisekind.h"
#include "session/ui/standview.h"
#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>

#include <cstdio>
#include <string>

using namespace kf;

namespace {

bool LoadLayout(CKeyboardView& view, const std::string& name)
{
    QFile file(QString::fromUtf8(KF_SOURCE_DIR) + "/datasrc/layouts/" +
               QString::fromStdString(name) + ".txt");
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    Bytes image;
    std::string error;
    if (!CompileLayoutSource(std::string_view(text.constData(), size_t(text.size())), image,
                             error)) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return false;
    }
    return view.LoadLayoutImage(image, true);
}

QRect ToQRect(const SkinRect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// The exercise of a shot: the sample and what was typed so far (the engine's buffers).
struct Exercise
{
    std::u16string sample;
    std::u16string typed;
};

Exercise MakeExercise(const std::u16string& sample, const std::u16string& typed)
{
    Exercise e;
    e.sample = sample;
    e.typed = typed;
    e.typed.resize(sample.size() + 1, u'\0');
    return e;
}

QImage Desk(const CTypingAspect& look, CStandView& view, CTypingKeyboard* keyboard,
            CHandsView* hands)
{
    QImage desk = SkinPixmap(look, skinbmp::kDesk).toImage().convertToFormat(QImage::Format_ARGB32);
    QPainter p(&desk);
    // Drawn as children of the desk draw: over the desk picture, without a background of
    // their own.
    auto place = [&](QWidget& w, const SkinRect& r) {
        w.render(&p, ToQRect(r).topLeft(), QRegion(), QWidget::DrawChildren);
    };
    place(view, look.TextViewRect());
    if (keyboard)
        place(*keyboard, look.KeyboardRect());
    if (hands)
        place(*hands, look.HandsRect());
    return desk;
}

void Press(CTypingKeyboard& keyboard, int qtKey, quint32 xkbCode, const QString& text,
           Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, xkbCode, 0, 0, text);
    keyboard.ReflectKeyEvent(press);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: kf_typing_views_gallery STAGE_DIR OUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    CTypingAspect look;
    if (!look.Init(FromQString(QString::fromLocal8Bit(argv[1]) + "/")))
        for (const std::string& e : look.LoadErrors())
            std::fprintf(stderr, "look: %s\n", e.c_str());

    const QRect textRect = ToQRect(look.TextViewRect());
    StandViewOptions options;

    // A lesson in progress: the key-group phase of a home-row lesson with two errors.
    {
        CStandView view(&look);
        view.resize(textRect.size());
        view.SetPageTurnAnimation(false);
        StandViewContext context;
        context.deskMode = desk_mode::kLesson;
        context.kind = kind::kLesson;
        view.ApplyOptions(options, context);
        Exercise e = MakeExercise(u"fff jjj fjf jfj ddd kkk dkd kdk fdf jkj Fjd Kfj",
                                  u"fff jjj fjf jdj ddd k");
        view.SetText(e.sample.data(), uint32_t(e.sample.size()), e.typed.data(),
                     uint32_t(e.sample.size()));
        view.SetCaretPosition(21);
        view.grab().save(out + "/standview_lesson.png");

        for (const char* layout : {"US", "German"}) {
            CTypingKeyboard keyboard(&look);
            if (!LoadLayout(keyboard, layout))
                std::fprintf(stderr, "layout %s not loaded\n", layout);
            keyboard.resize(keyboard.sizeHint());
            keyboard.MarkNextCharacters(u"K", 1); // right hand: the left Shift is marked
            // The user holds a wrong key: it is struck out while held.
            Press(keyboard, Qt::Key_L, 46, "l");
            const QString name = QString("/desk_lesson_%1.png").arg(QString(layout).toLower());
            Desk(look, view, &keyboard, nullptr).save(out + name);
            keyboard.grab().save(
                out + QString("/keyboard_%1_advanced.png").arg(QString(layout).toLower()));
            keyboard.SetAdvancedView(false);
            Press(keyboard, Qt::Key_Shift, 50, QString()); // left Shift held
            keyboard.grab().save(
                out + QString("/keyboard_%1_simple_shift.png").arg(QString(layout).toLower()));
        }
        // The hands picture with the finger for K (right middle finger).
        CTypingKeyboard keyboard(&look);
        LoadLayout(keyboard, "US");
        CHandsView hands(&look);
        hands.resize(hands.sizeHint());
        hands.SetHint(keyboard.NextFinger(u'k'));
        Desk(look, view, nullptr, &hands).save(out + "/desk_lesson_hands.png");
    }

    // The numeric keypad with Num Lock lit and the 5 marked.
    {
        CTypingKeyboard keypad(&look);
        LoadLayout(keypad, "US");
        keypad.SetViewKind(KeyboardViewKind::Keypad);
        keypad.resize(keypad.sizeHint());
        ModifierState locks;
        locks.numLock = true;
        keypad.RefreshModifiers(locks);
        keypad.MarkNextCharacters(u"5", 1);
        keypad.grab().save(out + "/keyboard_keypad.png");
    }

    // A test in two-row mode, with errors.
    {
        CStandView view(&look);
        view.resize(textRect.size());
        view.SetPageTurnAnimation(false);
        StandViewOptions o = options;
        o.doubleLineView = true;
        StandViewContext context;
        context.deskMode = desk_mode::kTest;
        context.kind = kind::kTest;
        view.ApplyOptions(o, context);
        Exercise e = MakeExercise(
            u"The quick brown fox jumps over the lazy dog. Pack my box with five dozen "
            u"liquor jugs. How vexingly quick daft zebras jump!",
            u"The quick brwon fox jumps ovr the");
        view.SetText(e.sample.data(), uint32_t(e.sample.size()), e.typed.data(),
                     uint32_t(e.sample.size()));
        view.SetCaretPosition(33);
        CTypingKeyboard keyboard(&look);
        LoadLayout(keyboard, "US");
        keyboard.resize(keyboard.sizeHint());
        Desk(look, view, &keyboard, nullptr).save(out + "/desk_test_tworow.png");
        view.grab().save(out + "/standview_test_tworow.png");

        o.doubleLineView = false;
        view.ApplyOptions(o, context);
        view.grab().save(out + "/standview_test_overlay.png");
    }

    // The three page-turn effects, a third of the way through.
    {
        uint32_t now = 0;
        SetTickSourceForTesting([&] { return now; });
        std::u16string text;
        for (int i = 0; i < 60; ++i)
            text += i < 20 ? u"leaving this page " : u"ARRIVING NEXT ";
        Exercise e = MakeExercise(text, u"");
        const char* names[] = {"slide", "push", "wipe"};
        for (int effect = 0; effect < kPageTurnEffects; ++effect) {
            CStandView view(&look);
            view.resize(textRect.size());
            StandViewContext context;
            context.deskMode = desk_mode::kTest;
            context.kind = kind::kTest;
            view.ApplyOptions(options, context);
            view.SetText(e.sample.data(), uint32_t(e.sample.size()), e.typed.data(),
                         uint32_t(e.sample.size()));
            view.show();
            QApplication::processEvents();
            view.SetPageTurnEffect(static_cast<PageTurnEffect>(effect));
            view.TurnToPage(view.PageOf(uint32_t(text.find(u"ARRIVING"))) + 1);
            now += effect == 2 ? textRect.width() / 3 / 5 * 2 : textRect.height() / 3 / 5 * 2;
            view.grab().save(out + QString("/standview_pageturn_%1.png").arg(names[effect]));
            view.FinishPageTurn();
        }
        SetTickSourceForTesting({});
    }

    // Free typing: the typed text in the normal colour, the bar caret at its end.
    {
        CStandView view(&look);
        view.resize(textRect.size());
        StandViewContext context;
        context.deskMode = desk_mode::kTest;
        context.kind = kind::kFreeTyping;
        view.ApplyOptions(options, context);
        std::u16string buffer(2000, u'\0');
        const std::u16string text = u"Free typing shows what you type, as you type it.";
        std::copy(text.begin(), text.end(), buffer.begin());
        view.SetText(buffer.data(), 0, nullptr, 0);
        view.SetSampleLength(uint32_t(text.size()));
        view.SetCaretPosition(uint32_t(text.size()) - 1);
        view.grab().save(out + "/standview_freetyping.png");
    }
    std::printf("pictures written to %s\n", qPrintable(out));
    return 0;
}
