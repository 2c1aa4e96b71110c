// The main window offscreen, driven like a user would: clicks, keys, drops, menus, and a real
// conversion run with pdftotext.
#include "core/settingsfiles.h"
#include "helpers/qtsupport.h"
#include "helpers/testpdf.h"
#include "ui/frmmain.h"
#include "ui/frmoptions.h"
#include "ui/imagebutton.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace pw {
namespace {

using test::ReadFile;

class FrmMainTest : public ::testing::Test
{
protected:
    frmMain& Window()
    {
        if (!m_window) {
            m_window = std::make_unique<frmMain>(world.context);
            m_window->show();
            QTest::qWait(80); // shaped and centred
        }
        return *m_window;
    }

    template <typename T>
    T* Find(const char* name)
    {
        T* found = Window().findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    void Click(const char* name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }

    void ClickGridRow(int row)
    {
        auto* grid = Find<QTreeWidget>("LV2");
        const QRect cell = grid->visualItemRect(grid->topLevelItem(row));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void Drop(const QStringList& paths)
    {
        auto* list = Find<QTreeView>("LV");
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        const QPoint at = list->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(list->viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(list->viewport(), &drop);
    }

    std::vector<std::string> Queued()
    {
        std::vector<std::string> paths;
        for (int i = 0; i < Window().Queue().Count(); ++i)
            paths.push_back(Window().Queue().At(i).path);
        return paths;
    }

    std::string Pdf(const std::string& name, const std::vector<std::string>& pages)
    {
        const std::string path = world.work / name;
        test::MakeFolders(std::filesystem::path(path).parent_path());
        EXPECT_TRUE(test::WritePdf(path, pages));
        return path;
    }

    QString HintText() { return Find<QLabel>("lblText")->text(); }
    bool HintShown() { return !Find<QWidget>("picText")->isHidden(); }

    test::WindowWorld world;
    std::unique_ptr<frmMain> m_window;
};

TEST_F(FrmMainTest, StartsWithDefaults)
{
    frmMain& w = Window();
    EXPECT_EQ(w.OutputFolderText(), QString::fromStdString(world.program / "output"));
    EXPECT_EQ(Find<QLabel>("lblPB")->text(), "0%");
    EXPECT_TRUE(Find<QWidget>("imgPB")->isHidden());
    EXPECT_TRUE(HintShown());
    EXPECT_EQ(HintText(), "Drag & Drop Files Here");
    EXPECT_EQ(w.DropHintCaption(), "Drag && Drop Files Here");
    EXPECT_EQ(w.ReminderIndex(), 0);
    EXPECT_EQ(w.findChild<QLabel*>("lblFeed"), nullptr); // no feedback service configured
    auto* grid = Find<QTreeWidget>("LV2");
    ASSERT_EQ(grid->topLevelItemCount(), 4);
    EXPECT_EQ(grid->topLevelItem(1)->text(0), "Last Page to Convert");
    EXPECT_EQ(grid->topLevelItem(1)->text(1), "ALL PAGES");
    EXPECT_EQ(grid->headerItem()->text(1), "Value");
    EXPECT_TRUE(w.Placed());
    EXPECT_FALSE(w.mask().isEmpty()); // the corners are cut out of the window
    EXPECT_FALSE(w.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(w.mask().contains(QPoint(360, 260)));
}

TEST_F(FrmMainTest, RestoresSavedSettings)
{
    test::WriteFile(world.program / kSetupFileName, SetupFileContents("/srv/texts"));
    test::WriteFile(world.program / kOptionsFileName, "1\r\n");
    world.context.feedbackEndpoint = "http://127.0.0.1:9";
    EXPECT_EQ(Window().OutputFolderText(), "/srv/texts");
    EXPECT_EQ(Window().ReminderIndex(), 1);
    auto* feed = Find<QLabel>("lblFeed");
    EXPECT_EQ(feed->toolTip(), "Send us your suggestion or question");
    bool opened = false;
    test::Later(&Window(), 100, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        opened = modal && modal->objectName() == "frmSuggest";
        if (modal)
            modal->close();
    });
    QTest::mouseClick(feed, Qt::LeftButton);
    EXPECT_TRUE(opened);
}

TEST_F(FrmMainTest, EmptySavedFolderFallsBackToTheDefault)
{
    test::WriteFile(world.program / kSetupFileName, SetupFileContents(""));
    EXPECT_EQ(Window().OutputFolderText(), QString::fromStdString(world.program / "output"));
}

TEST_F(FrmMainTest, OptionGridEditors)
{
    frmMain& w = Window();
    auto* text = Find<QLineEdit>("txtValue");
    auto* choice = Find<QComboBox>("cmbYesNo");
    auto* grid = Find<QTreeWidget>("LV2");

    ClickGridRow(2);
    EXPECT_FALSE(choice->isHidden());
    EXPECT_TRUE(text->isHidden());
    EXPECT_EQ(choice->currentText(), "YES");
    choice->activated(1); // the user picks "NO"
    EXPECT_EQ(grid->topLevelItem(2)->text(1), "NO");

    ClickGridRow(0);
    EXPECT_TRUE(choice->isHidden());
    EXPECT_FALSE(text->isHidden());
    // The editor covers the value cell and ends where the grid ends.
    EXPECT_EQ(text->geometry().right(), grid->geometry().right());
    EXPECT_EQ(text->width(), grid->header()->sectionSize(1));
    EXPECT_EQ(text->text(), "1");
    QTest::keyClicks(text, "12"); // replaces the selected "1"
    EXPECT_EQ(grid->topLevelItem(0)->text(1), "12");
    QTest::keyClick(text, Qt::Key_Backspace);
    QTest::keyClicks(text, "x");
    EXPECT_EQ(text->text(), "1x");                   // the box keeps what was typed
    EXPECT_EQ(grid->topLevelItem(0)->text(1), "1"); // the cell is set back

    ClickGridRow(1);
    QTest::keyClicks(text, "abc");
    EXPECT_EQ(grid->topLevelItem(1)->text(1), "ALL PAGES");
    text->clear();
    EXPECT_EQ(grid->topLevelItem(1)->text(1), "");

    ClickGridRow(3);
    EXPECT_EQ(text->text(), ""); // the one-space default shows as empty
    QTest::keyClicks(text, "own er");
    EXPECT_EQ(w.Grid().Options().password, "own er");

    // A press on the background hides the editors; the values stay.
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(300, 505));
    EXPECT_TRUE(text->isHidden());
    EXPECT_TRUE(choice->isHidden());
    EXPECT_EQ(w.Grid().Options().pageBreaks, "NO");
}

TEST_F(FrmMainTest, FilesArriveThreeWaysAndLeave)
{
    const std::string single = Pdf("one.pdf", {"One"});
    const std::string tree = world.work / "tree";
    Pdf("tree/a.pdf", {"A"});
    test::WriteFile(tree + "/b.txt", "text");
    Pdf("tree/sub/c.PDF", {"C"});
    test::WriteFile(world.work / "notes.txt", "text");
    Pdf("dropped/d.pdf", {"D"});

    world.dialogs.files << QString::fromStdString(single);
    world.dialogs.folders << QString::fromStdString(tree);
    Click("imgToolbar0"); // "Add a PDF File"
    EXPECT_FALSE(HintShown());
    Click("imgToolbar6"); // "Add PDF Files from a Folder"
    Drop({QString::fromStdString(world.work / "notes.txt"), QString::fromStdString(world.work / "dropped")});

    EXPECT_EQ(world.dialogs.asked, (QStringList{"Open Files | PDF Files(*.pdf *.PDF)", "Please select a folder:"}));
    EXPECT_EQ(Queued(), (std::vector<std::string>{single, tree + "/a.pdf", tree + "/sub/c.PDF",
                                                  world.work / "notes.txt", world.work / "dropped/d.pdf"}));
    EXPECT_EQ(HintText(), "Drag & Drop Files Here");
    EXPECT_FALSE(HintShown());

    // The visible list shows the same entries at the same places.
    auto* list = Find<QTreeView>("LV");
    QAbstractItemModel* model = list->model();
    ASSERT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "FileName");
    EXPECT_EQ(model->data(model->index(3, 0)).toString(), QString::fromStdString(world.work / "notes.txt"));
    EXPECT_EQ(model->data(model->index(3, 1)).toString(), "TXT");
    EXPECT_EQ(model->data(model->index(2, 1)).toString(), "PDF");

    // Remove takes the selected entry from both.
    list->setCurrentIndex(model->index(1, 0));
    Click("imgRemove");
    EXPECT_EQ(Queued().size(), 4u);
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->data(model->index(1, 0)).toString(), QString::fromStdString(tree + "/sub/c.PDF"));

    // Adding the same file again queues it twice; a cancelled dialog adds nothing.
    world.dialogs.files << QString::fromStdString(single);
    Click("imgAdd");
    Click("imgAdd");
    EXPECT_EQ(Queued().size(), 5u);
    EXPECT_EQ(Queued().front(), Queued().back());

    // Remove All, from the Remove popup, empties everything and brings the hint back.
    QMenu* removeMenu = Window().findChild<QMenu*>("menuRemove");
    ASSERT_TRUE(removeMenu);
    removeMenu->findChild<QAction*>("menuRemoveAll")->trigger();
    EXPECT_TRUE(Queued().empty());
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(HintShown());
    EXPECT_EQ(HintText(), "Drag & Drop Files Here");

    Click("imgConvert");
    ASSERT_EQ(world.messages.messages.size(), 1u);
    EXPECT_EQ(world.messages.messages[0].text, "Please add a file");
    EXPECT_EQ(world.messages.messages[0].title, "Add");
    EXPECT_TRUE(world.desktop.opened.isEmpty());
}

TEST_F(FrmMainTest, DropOfAFileManagersUriList)
{
    // What a file manager puts on a drop: text/uri-list, percent-encoded, lines ended by CR LF.
    const std::string spaced = Pdf("with space é.pdf", {"S"});
    auto* list = Find<QTreeView>("LV");
    QMimeData data;
    data.setData("text/uri-list",
                 "# dragged from the file manager\r\n" +
                     QUrl::fromLocalFile(QString::fromStdString(spaced)).toEncoded() +
                     "\r\nhttps://example.org/remote.pdf\r\n");
    const QPoint at = list->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list->viewport(), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction); // the file manager keeps its file
    EXPECT_EQ(Queued(), std::vector<std::string>{spaced});

    // A drag that carries no local file is refused.
    QMimeData remote;
    remote.setData("text/uri-list", "https://example.org/remote.pdf\r\n");
    QDragEnterEvent refused(at, Qt::CopyAction, &remote, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list->viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(FrmMainTest, MenusPassTheirWordsThroughTheMailbox)
{
    frmMain& w = Window();
    auto* mailbox = Find<QLineEdit>("txtAction");
    const auto trigger = [&](const char* menu, const char* item) {
        QMenu* m = w.findChild<QMenu*>(menu);
        ASSERT_TRUE(m) << menu;
        QAction* a = m->findChild<QAction*>(item);
        ASSERT_TRUE(a) << item;
        a->trigger();
        EXPECT_EQ(mailbox->text(), "") << item; // emptied after every command
    };
    trigger("menuAbout", "menuA");
    trigger("menuAbout", "menuHelp");
    ASSERT_EQ(world.messages.messages.size(), 2u);
    EXPECT_EQ(world.messages.messages[0].title, "pagewick");
    EXPECT_EQ(world.messages.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(std::count(world.messages.messages[0].text.begin(), world.messages.messages[0].text.end(), '\n'), 2);

    Pdf("m/x.pdf", {"X"});
    world.dialogs.files << QString::fromStdString(world.work / "m/x.pdf");
    world.dialogs.folders << QString::fromStdString(world.work / "m");
    trigger("menuFile", "menuAddaFile");
    trigger("menuFile", "menuAddaFolder"); // the same as toolbar entry 6
    EXPECT_EQ(Queued(), (std::vector<std::string>{world.work / "m/x.pdf", world.work / "m/x.pdf"}));

    w.findChild<QTreeView*>("LV")->setCurrentIndex(w.findChild<QTreeView*>("LV")->model()->index(0, 0));
    trigger("menuRemove", "menuRemoveSelected");
    EXPECT_EQ(Queued().size(), 1u);

    mailbox->setText("no such word");
    EXPECT_EQ(mailbox->text(), "");
    EXPECT_EQ(Queued().size(), 1u);

    const QStringList captions = {"Add a File(&A)", "Add a Folder(&F)", "", "Exit(&E)"};
    QStringList shown;
    for (QAction* a : w.findChild<QMenu*>("menuFile")->actions())
        shown << a->text();
    EXPECT_EQ(shown, captions);
}

TEST_F(FrmMainTest, ConvertsTheQueueWithTheRealConverter)
{
    const std::string plain = Pdf("pages.pdf", {"Page one", "Page two", "Page three"});
    const std::string second = Pdf("two.d.pdf", {"Second"});
    Pdf("enc-source.pdf", {"Secret"});
    const std::string locked = world.work / "locked.pdf";
    ASSERT_EQ(std::system(("qpdf --encrypt 'us er' 'own er' 256 -- '" + world.work / "enc-source.pdf" +
                           "' '" + locked + "'").c_str()),
              0);
    Drop({QString::fromStdString(plain), QString::fromStdString(second), QString::fromStdString(locked)});

    frmMain& w = Window();
    ClickGridRow(1);
    QTest::keyClicks(Find<QLineEdit>("txtValue"), "2");
    ClickGridRow(3);
    QTest::keyClicks(Find<QLineEdit>("txtValue"), "own er");
    ClickGridRow(2);
    Find<QComboBox>("cmbYesNo")->activated(1);

    // What the user sees while the run goes on.
    bool disabled = false;
    QString caption;
    int widest = 0;
    const auto watch = [&] {
        disabled = !Find<QWidget>("imgStart")->isEnabled() && !Find<QWidget>("imgToolbar3")->isEnabled() &&
                   !Find<QWidget>("imgMenu0")->isEnabled() && !Find<QWidget>("imgBrowse")->isEnabled();
        caption = Find<QLabel>("lblPB")->text();
        widest = std::max(widest, Find<QWidget>("imgPB")->width());
    };
    for (int ms : {30, 130, 230})
        test::Later(&w, ms, watch);
    Click("imgConvert");

    EXPECT_TRUE(disabled);
    EXPECT_EQ(caption, "Please wait for few minutes...");
    EXPECT_GT(widest, 0);
    EXPECT_EQ(ReadFile(world.program / "output/pages.txt"), "Page one\n\nPage two\n\n");
    EXPECT_EQ(ReadFile(world.program / "output/two.txt"), "Second\n\n");
    EXPECT_EQ(ReadFile(world.program / "output/locked.txt"), "Secret\n\n");
    EXPECT_TRUE(Queued().empty());
    EXPECT_EQ(world.desktop.opened, QStringList{w.OutputFolderText()});
    EXPECT_EQ(world.desktop.beeps, 1);
    EXPECT_EQ(Find<QLabel>("lblPB")->text(), "Done.");
    EXPECT_TRUE(Find<QWidget>("imgPB")->isHidden());
    EXPECT_TRUE(Find<QWidget>("imgStart")->isEnabled());
    EXPECT_TRUE(HintShown());
    EXPECT_TRUE(world.messages.messages.empty());
}

TEST_F(FrmMainTest, WrongPasswordReportsCannotCreateAndSilentReminderDoesNotBeep)
{
    test::WriteFile(world.program / kOptionsFileName, "1\r\n");
    Pdf("enc-source.pdf", {"Secret"});
    const std::string locked = world.work / "report.final.pdf";
    ASSERT_EQ(std::system(("qpdf --encrypt 'u' 'right' 256 -- '" + world.work / "enc-source.pdf" + "' '" +
                           locked + "'").c_str()),
              0);
    Drop({QString::fromStdString(locked)});
    Click("imgToolbar2"); // "Start Converting"
    ASSERT_EQ(world.messages.messages.size(), 1u);
    EXPECT_EQ(world.messages.messages[0].title, "Cannot Create");
    EXPECT_EQ(world.messages.messages[0].text,
              "Cannot Read From File:\nreport.pdf\nPlease check the PDF Password.");
    EXPECT_EQ(world.desktop.beeps, 0);
    EXPECT_EQ(world.desktop.opened.size(), 1);
}

TEST_F(FrmMainTest, EmptiedOutputFolderConvertsIntoTheDefault)
{
    Drop({QString::fromStdString(Pdf("e.pdf", {"E"}))});
    Find<QLineEdit>("txtPath")->setText("  ");
    Click("imgConvert");
    EXPECT_EQ(Window().OutputFolderText(), QString::fromStdString(world.program / "output"));
    EXPECT_EQ(ReadFile(world.program / "output/e.txt"), "E\n\n\f");
    EXPECT_TRUE(world.messages.messages.empty());
}

TEST_F(FrmMainTest, OutputFolderChooser)
{
    world.dialogs.folders << "/srv/chosen";
    Click("imgBrowse");
    EXPECT_EQ(Window().OutputFolderText(), "/srv/chosen");
    Click("imgBrowse"); // cancelled: back to the default
    EXPECT_EQ(Window().OutputFolderText(), QString::fromStdString(world.program / "output"));
}

TEST_F(FrmMainTest, OnlyTheExitCommandSavesTheOutputFolder)
{
    frmMain& w = Window();
    Find<QLineEdit>("txtPath")->setText("/srv/typed");
    w.close(); // the window manager's close
    EXPECT_FALSE(std::filesystem::exists(world.program / kSetupFileName));
    w.show();
    Click("imgExit");
    EXPECT_EQ(ReadFile(world.program / kSetupFileName), "\"\"\r\n\"\"\r\n\"\"\r\n\"/srv/typed\"\r\n\"2\"\r\n");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(FrmMainTest, ExitDuringARunLeavesAtOnce)
{
    QStringList files;
    for (int i = 0; i < 6; ++i)
        files << QString::fromStdString(Pdf("run" + std::to_string(i) + ".pdf", {"Page"}));
    Drop(files);
    frmMain& w = Window();
    bool exitEnabled = false;
    test::Later(&w, 30, [&] {
        exitEnabled = Find<QWidget>("imgExit")->isEnabled();
        Click("imgExit");
    });
    Click("imgConvert");
    EXPECT_TRUE(exitEnabled); // the window's own Exit stays usable during a run
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Running());
    EXPECT_GT(w.Queue().Count(), 0);       // the rest of the queue is not converted
    EXPECT_TRUE(world.desktop.opened.isEmpty()); // and there is no finish step
    EXPECT_EQ(world.desktop.beeps, 0);
    EXPECT_EQ(ReadFile(world.program / kSetupFileName),
              SetupFileContents(w.OutputFolderText().toStdString()));
}

TEST_F(FrmMainTest, SettingsWindowFromTheToolbar)
{
    frmMain& w = Window();
    bool seen = false;
    test::Later(&w, 100, [&] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_TRUE(options);
        seen = true;
        auto* choice = options->findChild<QComboBox*>("cmbSR");
        EXPECT_EQ(choice->currentText(), "ON");
        choice->setCurrentIndex(1);
        QTest::mouseClick(options->findChild<QWidget*>("imgOK"), Qt::LeftButton);
    });
    Click("imgToolbar3");
    EXPECT_TRUE(seen);
    EXPECT_EQ(w.ReminderIndex(), 1);
    EXPECT_EQ(ReadFile(world.program / kOptionsFileName), "1\r\n");
}

TEST_F(FrmMainTest, ImageButtonsHighlightUnderTheMouse)
{
    auto* button = Find<ImageButton>("imgConvert");
    EXPECT_FALSE(button->Highlighted());
    QTest::mouseMove(button, button->rect().center());
    EXPECT_TRUE(button->Highlighted());
    QTest::mouseMove(&Window(), QPoint(300, 505));
    EXPECT_FALSE(button->Highlighted());
}

} // namespace
} // namespace pw
