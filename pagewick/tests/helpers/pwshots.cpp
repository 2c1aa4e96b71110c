// pwshots OUTDIR: shows every window of pagewick on the current display and saves what the
// screen shows (main window idle, with a queue, during a run, an editor open, each menu, the
// options and feedback windows, the About box). A developer's tool for looking at the look;
// run it under xvfb-run. It is not a test.
#include "core/feedbackaddress.h"
#include "platform/qt/qtmessagesink.h"
#include "qtsupport.h"
#include "testpdf.h"
#include "ui/frmmain.h"
#include "ui/frmmenu.h"
#include "ui/frmoptions.h"
#include "ui/frmsuggest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

using namespace pw;

namespace {

QString g_out;

void Shot(const char* name)
{
    QTest::qWait(150);
    const QString path = g_out + "/" + name + ".png";
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    test::App().setStyleSheet(Skin::StyleSheet());
    g_out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    test::WindowWorld world;
    world.context.feedbackEndpoint = QStringLiteral("http://127.0.0.1:9");
    QtMessageSink boxes;
    world.context.messages = &boxes;

    frmMain window(world.context);
    boxes.SetOwner(&window);
    window.show();
    Shot("01-main-empty");

    QStringList files;
    for (const char* name : {"annual-report.2024.pdf", "minutes.pdf", "thesis draft.pdf", "notes.txt"}) {
        const std::string path = world.work / name;
        test::WritePdf(path, {"Some text", "More text"});
        files << FromNative(path);
    }
    window.QueuePaths(files);
    auto* grid = window.findChild<QTreeWidget*>("LV2");
    const QRect cell = grid->visualItemRect(grid->topLevelItem(3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClicks(window.findChild<QLineEdit*>("txtValue"), "secret");
    Shot("02-main-queue-editor");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->topLevelItem(2)).center());
    Shot("03-main-choice");
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(300, 505));

    auto* menu = window.findChild<frmMenu*>();
    const char* menuShots[] = {"04-menu-file", "05-menu-options", "06-menu-about", "07-menu-tools"};
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("imgMenu%1").arg(i)), Qt::LeftButton);
        Shot(menuShots[i]);
        menu->Menu(frmMenu::Popup(i))->hide();
    }
    menu->PopupMenu(frmMenu::Remove, window.mapToGlobal(QPoint(104, 100)));
    Shot("08-menu-remove");
    menu->Menu(frmMenu::Remove)->hide();

    QTest::mouseMove(window.findChild<QWidget*>("imgConvert"));
    Shot("09-main-hover");

    // During a run: the converter is slowed by queueing many files.
    QStringList many;
    for (int i = 0; i < 12; ++i) {
        const std::string path = world.work / ("batch" + std::to_string(i) + ".pdf");
        test::WritePdf(path, {"Page"});
        many << FromNative(path);
    }
    window.findChild<QLineEdit*>("txtAction")->setText("RemoveSelected");
    window.QueuePaths(many);
    QTimer::singleShot(600, [] { Shot("10-main-running"); });
    window.Start();
    Shot("11-main-done");

    QTimer::singleShot(300, [] {
        Shot("12-options");
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    frmOptions options(world.context, 0, &window);
    options.exec();

    frmSuggest feedback(world.context, &window);
    feedback.findChild<QLineEdit*>("txtName")->setText("Ann Lee");
    feedback.findChild<QPlainTextEdit*>("txtComment")->setPlainText("Works well & fast.");
    QTimer::singleShot(300, [&] {
        feedback.Send();
        Shot("13-feedback");
        feedback.close();
    });
    feedback.exec();

    QTimer::singleShot(300, [] {
        Shot("14-about");
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    window.ShowAbout();
    return 0;
}
