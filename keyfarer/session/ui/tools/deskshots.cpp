// kf_desk_shots: pictures of the typing desk as a user sees it — the idle desk, a lesson in
// progress (the keyboard's marks, errors in red, the panel's figures), a test in two-row
// mode, free typing and the two choosers — drawn on a copy of an installation tree.
//
//   kf_desk_shots INSTALL_DIR OUT_DIR [LAYOUT]
//
// Run it under a display (xvfb-run) or offscreen; every picture is a PNG in OUT_DIR.

#include "content/ui/choosercontext.h"
#include "content/ui/dlg_chooselesson.h"
#include "content/ui/dlg_choosetest.h"
#include "content/ui/supplierchooserdata.h"
#include "content/layoutkeyreferences.h"
#include "platform/clock.h"
#include "session/paradigmpump.h"
#include "session/ui/localdeskenvironment.h"
#include "session/ui/standview.h"
#include "session/ui/timerwnd.h"
#include "session/ui/typingdeskwnd.h"
#include "skin/ui/skinpixmaps.h"
#include "testsupport/tempdir.h"
#include "users/userprofile.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

using namespace kf;

namespace {

uint32_t g_now = 1000000;

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

void Save(QWidget* w, const QString& path)
{
    Settle();
    if (!w->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

char16_t Expected(CParadigmPump& pump)
{
    char16_t ch = 0;
    pump.ExpectedCharacter(ch);
    return ch;
}

// Types n characters of the sample at 5 keys a second, every ninth one wrong.
void Type(CTypingDeskWnd& desk, CParadigmPump& pump, int n)
{
    for (int i = 1; i <= n; ++i) {
        g_now += 200;
        const char16_t ch = Expected(pump);
        desk.OnTypedKey(i % 9 == 0 ? (ch == u'x' ? u'q' : u'x') : ch);
        if (i % 5 == 0)
            desk.Clock()->TickNow(); // the clock's second
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: kf_desk_shots INSTALL_DIR OUT_DIR [LAYOUT]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const QString layout = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("US");
    test::TempDir dir;
    if (!test::CopyStagedTree(argv[1], dir.path())) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return 1;
    }
    SetTickSourceForTesting([] { return g_now; });
    LocalDeskEnvironment env(dir.Folder());
    if (!env.Ready()) {
        std::fprintf(stderr, "no string table in %s\n", argv[1]);
        return 1;
    }
    env.LoadKeyboardLayout(FromQString(layout));
    CUserProfile& o = env.UserOptions();
    o.SetKeyboardLayoutFile(FromQString(layout));
    o.SetFullName(u"Ada Lovelace");
    o.SetLastCourse(u"Touch Typing: English (US)");
    o.SetLastLesson(u"Review: the home row");
    o.SetLastTestCategory(u"Everyday Prose");
    o.SetLastTestText(u"The Corner Bakery");

    CTypingDeskWnd desk(env);
    desk.StandView()->SetPageTurnAnimation(false);
    desk.show();
    desk.KeyboardLayoutChanged();
    Save(&desk, out + "/desk_idle.png");

    desk.StartLesson(false);
    Save(&desk, out + "/desk_lesson_notice.png");
    desk.OnTypedKey(13);
    Type(desk, env.Pump(), 34);
    Save(&desk, out + "/desk_lesson.png");
    desk.ReturnToIdleDesk();

    o.SetDoubleLineView(1);
    o.SetDataGenerateType(0);
    desk.StartTest(false);
    Type(desk, env.Pump(), 60);
    Save(&desk, out + "/desk_test_tworows.png");
    desk.ReturnToIdleDesk();
    o.SetDoubleLineView(0);

    desk.StartFreeTyping();
    for (char16_t ch : std::u16string(u"Free typing: whatever comes to mind, as fast as it comes."))
        desk.OnTypedKey(ch);
    Save(&desk, out + "/desk_freetyping.png");
    desk.ReturnToIdleDesk();

    SupplierChooserData data(env.Supplier());
    ChooserContext ctx;
    ctx.look = &env.Look();
    ctx.texts = env.Texts();
    ctx.data = &data;
    LayoutKeyReferences keys(env.KeyboardLayout());
    CDlg_ChooseLesson::Request req;
    req.course = o.LastCourse();
    req.lesson = o.LastLesson();
    req.keys = &keys;
    req.layoutType = env.KeyboardLayout().LayoutType();
    req.whichHand = 0;
    req.views = {{0, ToQString(env.Text(u"IDS_VIEWNAME_STAND"))}};
    CDlg_ChooseLesson lessons(ctx, req);
    lessons.show();
    Save(&lessons, out + "/choose_course.png");
    lessons.OnOk();
    Save(&lessons, out + "/choose_lesson.png");
    lessons.hide();

    CDlg_ChooseTest::Request treq;
    treq.category = o.LastTestCategory();
    treq.text = o.LastTestText();
    CDlg_ChooseTest tests(ctx, treq);
    tests.show();
    Save(&tests, out + "/choose_test_category.png");
    tests.OnOk();
    Save(&tests, out + "/choose_test_text.png");
    SetTickSourceForTesting({});
    return 0;
}
