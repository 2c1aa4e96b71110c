#include "ui/frmmain.h"

#include "core/commandlinebuilder.h"
#include "core/filesearch.h"
#include "core/settingsfiles.h"
#include "platform/filesystem.h"
#include "platform/qt/desktop.h"
#include "platform/qt/filedialogs.h"
#include "ui/filelistview.h"
#include "ui/frmmenu.h"
#include "ui/frmoptions.h"
#include "ui/frmsuggest.h"
#include "ui/imagebutton.h"
#include "ui/queuemodel.h"
#include "ui/skin.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pw {

namespace {

// Where the controls sit on the main window's picture (main_bg.svg), in pixels.
constexpr QRect kFileList(17, 133, 438, 260);
constexpr QRect kOptionGrid(477, 133, 226, 120);
constexpr QRect kOutputFolder(16, 418, 572, 32);
constexpr QPoint kBrowse(600, 417);
constexpr QPoint kConvert(490, 314);
constexpr QPoint kStart(16, 456);
constexpr QRect kProgressTrack(54, 464, 361, 14);
constexpr QRect kProgressCaption(424, 460, 180, 22);
constexpr QPoint kAdd(398, 104);
constexpr QPoint kRemove(428, 104);
constexpr QPoint kFeedback(18, 496);
constexpr int kToolbarTop = 58;
constexpr int kMenuTop = 13;

// The full width of the progress sweep, and how much it grows every 100 ms.
constexpr int kProgressWidth = 361;
constexpr int kProgressStep = 5;

// A caption as it shows: a doubled ampersand stands for one.
QString Shown(const QString& caption)
{
    return QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

struct ToolbarEntry
{
    int index;
    const char* picture;
    const char* tooltip;
    int left;
};

// Index order is the command order; the toolbar shows them grouped by what they do.
constexpr ToolbarEntry kToolbar[] = {
    {0, "tb_addfile", "Add a PDF File", 16},
    {6, "tb_addfolder", "Add PDF Files from a Folder", 60},
    {1, "tb_remove", "Remove File(s) from List", 104},
    {2, "tb_start", "Start Converting", 164},
    {3, "tb_settings", "Settings", 224},
    {4, "tb_help", "Help", 268},
    {5, "tb_exit", "Exit", 328},
};

struct MenuTitle
{
    const char* picture;
    const char* name;
    int left;
};

constexpr MenuTitle kMenuTitles[] = {
    {"menu_file", "File", 372},
    {"menu_options", "Options", 438},
    {"menu_about", "About", 504},
    {"menu_tools", "Tools", 570},
};

} // namespace

frmMain::frmMain(const AppContext& context, QWidget* parent)
    : SkinnedWindow(*context.skin, QStringLiteral("main_bg"), parent), m_context(context),
      m_objDOS(*context.messages, m_pump),
      m_converter(ToNative(context.programFolder), m_queue, m_objDOS, *context.messages, *this)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("pagewick"));
    setStyleSheet(Skin::StyleSheet());
    m_model = new QueueModel(m_queue, this);
    BuildControls();
    m_frmMenu = new frmMenu(m_txtAction, [this] { RemoveAll(); }, this);

    SetProgressWidth(0);
    m_grid.Fill();
    for (int row = 0; row < OptionGrid::kRows; ++row)
        RefreshGridRow(row);
    m_txtPath->setText(DefaultOutputFolder());
    RestoreSettings();
    SetHint(QString::fromLatin1(kDropCaption), true);
}

frmMain::~frmMain()
{
    // The list reads the queue while it is torn down: it must go before the queue does.
    delete m_LV;
    delete m_model;
}

void frmMain::BuildControls()
{
    const Skin& skin = WindowSkin();

    m_LV = new FileListView(this);
    m_LV->setObjectName(QStringLiteral("LV"));
    m_LV->setModel(m_model);
    m_LV->setGeometry(kFileList);
    m_LV->setRootIsDecorated(false);
    m_LV->setUniformRowHeights(true);
    m_LV->setSelectionMode(QAbstractItemView::SingleSelection);
    m_LV->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_LV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_LV->setFrameShape(QFrame::NoFrame);
    m_LV->header()->setStretchLastSection(false);
    m_LV->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_LV->header()->resizeSection(1, 64);
    connect(m_LV, &FileListView::PathsDropped, this, &frmMain::QueuePaths);

    // The drop hint lies over the list but lets every click and drop through to it.
    m_picText = new QWidget(this);
    m_picText->setObjectName(QStringLiteral("picText"));
    m_picText->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_picText->setGeometry(kFileList.adjusted(0, 40, 0, -20));
    auto* hintLayout = new QVBoxLayout(m_picText);
    hintLayout->setAlignment(Qt::AlignCenter);
    auto* hintPicture = new QLabel(m_picText);
    hintPicture->setPixmap(skin.Picture(QStringLiteral("drop_hint")));
    hintPicture->setAlignment(Qt::AlignCenter);
    m_lblText = new QLabel(m_picText);
    m_lblText->setObjectName(QStringLiteral("lblText"));
    m_lblText->setAlignment(Qt::AlignCenter);
    hintLayout->addWidget(hintPicture);
    hintLayout->addWidget(m_lblText);

    m_imgAdd = new ImageButton(skin, QStringLiteral("btn_add"), QStringLiteral("Add"), this);
    m_imgAdd->setObjectName(QStringLiteral("imgAdd"));
    m_imgAdd->setToolTip(QStringLiteral("Add a new file to file list"));
    m_imgAdd->move(kAdd);
    connect(m_imgAdd, &QAbstractButton::clicked, this, &frmMain::AddFile);
    m_imgRemove = new ImageButton(skin, QStringLiteral("btn_remove"), QStringLiteral("Remove"), this);
    m_imgRemove->setObjectName(QStringLiteral("imgRemove"));
    m_imgRemove->setToolTip(QStringLiteral("Remove a file from file list"));
    m_imgRemove->move(kRemove);
    connect(m_imgRemove, &QAbstractButton::clicked, this, &frmMain::RemoveSelected);

    BuildGrid();

    m_txtPath = new QLineEdit(this);
    m_txtPath->setObjectName(QStringLiteral("txtPath"));
    m_txtPath->setGeometry(kOutputFolder);
    m_imgBrowse = new ImageButton(skin, QStringLiteral("btn_browse"), QStringLiteral("Browse"), this);
    m_imgBrowse->setObjectName(QStringLiteral("imgBrowse"));
    m_imgBrowse->setToolTip(QStringLiteral("Choose the output folder"));
    m_imgBrowse->move(kBrowse);
    connect(m_imgBrowse, &QAbstractButton::clicked, this, &frmMain::ChooseOutputFolder);

    m_imgConvert = new ImageButton(skin, QStringLiteral("btn_convert"), QStringLiteral("Convert"), this);
    m_imgConvert->setObjectName(QStringLiteral("imgConvert"));
    m_imgConvert->setToolTip(QStringLiteral("Start Converting"));
    m_imgConvert->move(kConvert);
    connect(m_imgConvert, &QAbstractButton::clicked, this, &frmMain::Start);
    m_imgStart = new ImageButton(skin, QStringLiteral("btn_start"), QStringLiteral("Start"), this);
    m_imgStart->setObjectName(QStringLiteral("imgStart"));
    m_imgStart->setToolTip(QStringLiteral("Start Converting"));
    m_imgStart->move(kStart);
    connect(m_imgStart, &QAbstractButton::clicked, this, &frmMain::Start);

    m_imgPB = new QLabel(this);
    m_imgPB->setObjectName(QStringLiteral("imgPB"));
    m_imgPB->setPixmap(skin.Picture(QStringLiteral("progress_bar")));
    m_imgPB->setScaledContents(true);
    m_lblPB = new QLabel(QStringLiteral("0%"), this);
    m_lblPB->setObjectName(QStringLiteral("lblPB"));
    m_lblPB->setGeometry(kProgressCaption);
    m_Timer2 = new QTimer(this);
    m_Timer2->setInterval(100);
    connect(m_Timer2, &QTimer::timeout, this, &frmMain::ProgressTick);

    m_imgMin = new ImageButton(skin, QStringLiteral("btn_min"), QStringLiteral("Minimise"), this);
    m_imgMin->setObjectName(QStringLiteral("imgMin"));
    m_imgMin->setToolTip(QStringLiteral("Minimise"));
    m_imgMin->move(648, 12);
    connect(m_imgMin, &QAbstractButton::clicked, this, &QWidget::showMinimized);
    m_imgExit = new ImageButton(skin, QStringLiteral("btn_close"), QStringLiteral("Exit"), this);
    m_imgExit->setObjectName(QStringLiteral("imgExit"));
    m_imgExit->setToolTip(QStringLiteral("Exit"));
    m_imgExit->move(680, 12);
    connect(m_imgExit, &QAbstractButton::clicked, this, &frmMain::ExitProgram);

    BuildToolbar();

    if (!m_context.feedbackEndpoint.isEmpty()) {
        // A plain label that acts as a link, so that it can be greyed out during a run.
        m_lblFeed = new QLabel(QStringLiteral("<u>Feedback</u>"), this);
        m_lblFeed->setObjectName(QStringLiteral("lblFeed"));
        m_lblFeed->setToolTip(QStringLiteral("Send us your suggestion or question"));
        m_lblFeed->setCursor(Qt::PointingHandCursor);
        m_lblFeed->move(kFeedback);
        m_lblFeed->adjustSize();
        m_lblFeed->installEventFilter(this);
    }

    m_txtAction = new QLineEdit(this);
    m_txtAction->setObjectName(QStringLiteral("txtAction"));
    m_txtAction->hide();
    connect(m_txtAction, &QLineEdit::textChanged, this, &frmMain::ActionChanged);
}

void frmMain::BuildToolbar()
{
    const Skin& skin = WindowSkin();
    for (const ToolbarEntry& entry : kToolbar) {
        auto* button = new ImageButton(skin, QString::fromLatin1(entry.picture),
                                       QString::fromLatin1(entry.tooltip), this);
        button->setObjectName(QStringLiteral("imgToolbar%1").arg(entry.index));
        button->setToolTip(QString::fromLatin1(entry.tooltip));
        button->move(entry.left, kToolbarTop);
        m_imgToolbar[std::size_t(entry.index)] = button;
    }
    connect(m_imgToolbar[0], &QAbstractButton::clicked, this, &frmMain::AddFile);
    connect(m_imgToolbar[1], &QAbstractButton::clicked, this, &frmMain::OpenRemoveMenu);
    connect(m_imgToolbar[2], &QAbstractButton::clicked, this, &frmMain::Start);
    connect(m_imgToolbar[3], &QAbstractButton::clicked, this, &frmMain::ShowSettings);
    connect(m_imgToolbar[4], &QAbstractButton::clicked, this, &frmMain::Help);
    connect(m_imgToolbar[5], &QAbstractButton::clicked, this, &frmMain::ExitProgram);
    connect(m_imgToolbar[6], &QAbstractButton::clicked, this, &frmMain::AddFolderFiles);

    for (int i = 0; i < 4; ++i) {
        const MenuTitle& title = kMenuTitles[i];
        auto* button = new ImageButton(skin, QString::fromLatin1(title.picture),
                                       QString::fromLatin1(title.name), this);
        button->setObjectName(QStringLiteral("imgMenu%1").arg(i));
        button->move(title.left, kMenuTop);
        connect(button, &QAbstractButton::clicked, this, [this, i] { OpenMenuTitle(i); });
        m_imgMenu[std::size_t(i)] = button;
    }
}

void frmMain::BuildGrid()
{
    m_LV2 = new QTreeWidget(this);
    m_LV2->setObjectName(QStringLiteral("LV2"));
    m_LV2->setGeometry(kOptionGrid);
    m_LV2->setColumnCount(2);
    m_LV2->setHeaderLabels({QStringLiteral("Option"), QStringLiteral("Value")});
    m_LV2->setRootIsDecorated(false);
    m_LV2->setUniformRowHeights(true);
    m_LV2->setFrameShape(QFrame::NoFrame);
    m_LV2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_LV2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_LV2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_LV2->header()->setSectionsMovable(false);
    // The value column takes exactly what the option column leaves, so that the cells and
    // the editors over them end at the grid's edge.
    m_LV2->header()->setStretchLastSection(false);
    m_LV2->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_LV2->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_LV2->header()->resizeSection(0, 142);
    for (int row = 0; row < OptionGrid::kRows; ++row)
        new QTreeWidgetItem(m_LV2, {QString::fromStdString(OptionGrid::Label(row)), QString()});
    connect(m_LV2, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        OpenEditor(m_LV2->indexOfTopLevelItem(item));
    });

    m_txtValue = new QLineEdit(this);
    m_txtValue->setObjectName(QStringLiteral("txtValue"));
    m_txtValue->hide();
    connect(m_txtValue, &QLineEdit::textChanged, this, &frmMain::ValueTextChanged);

    m_cmbYesNo = new QComboBox(this);
    m_cmbYesNo->setObjectName(QStringLiteral("cmbYesNo"));
    for (const std::string& choice : OptionGrid::Choices())
        m_cmbYesNo->addItem(QString::fromStdString(choice));
    m_cmbYesNo->hide();
    connect(m_cmbYesNo, &QComboBox::activated, this, &frmMain::ValueChosen);
}

void frmMain::RestoreSettings()
{
    const std::string folder = ToNative(m_context.programFolder);
    if (const auto saved = ReadSetupFile(JoinPath(folder, kSetupFileName)); saved && !saved->empty())
        m_txtPath->setText(FromNative(*saved));
    if (m_txtPath->text().isEmpty())
        m_txtPath->setText(DefaultOutputFolder());
    m_reminderIndex = ReadOptionsFile(JoinPath(folder, kOptionsFileName)).value_or(0);
}

QString frmMain::OutputFolderText() const
{
    return m_txtPath->text();
}

QString frmMain::DefaultOutputFolder() const
{
    return FromNative(JoinPath(ToNative(m_context.programFolder), "output"));
}

std::string frmMain::OutputFolder()
{
    return ToNative(m_txtPath->text());
}

// ---- the option grid ------------------------------------------------------------------------

void frmMain::RefreshGridRow(int row)
{
    if (QTreeWidgetItem* item = m_LV2->topLevelItem(row))
        item->setText(1, QString::fromStdString(m_grid.Value(row)));
}

void frmMain::OpenEditor(int row)
{
    if (row < 0 || row >= OptionGrid::kRows)
        return;
    m_editRow = row;
    QTreeWidgetItem* item = m_LV2->topLevelItem(row);
    const QRect cell = m_LV2->visualItemRect(item);
    const int left = m_LV2->header()->sectionPosition(1);
    const QPoint topLeft = m_LV2->viewport()->mapTo(this, QPoint(left, cell.top()));
    const QRect area(topLeft.x(), topLeft.y() - 1, m_LV2->header()->sectionSize(1),
                     cell.height() + 2);
    if (OptionGrid::EditorFor(row) == OptionGrid::Editor::Choice) {
        m_txtValue->hide();
        m_cmbYesNo->setGeometry(area);
        m_cmbYesNo->setCurrentText(QString::fromStdString(m_grid.Value(row)));
        m_cmbYesNo->show();
        m_cmbYesNo->raise();
        m_cmbYesNo->setFocus();
        return;
    }
    m_cmbYesNo->hide();
    m_txtValue->setGeometry(area);
    m_txtValue->show();
    m_txtValue->raise();
    m_txtValue->setText(QString::fromStdString(m_grid.EditorText(row)));
    // setText above reports no change when the text box already held that text.
    ValueTextChanged(m_txtValue->text());
    m_txtValue->setFocus();
    m_txtValue->selectAll();
}

void frmMain::HideEditors()
{
    m_txtValue->hide();
    m_cmbYesNo->hide();
}

void frmMain::ValueTextChanged(const QString& text)
{
    if (m_txtValue->isHidden() || m_editRow < 0)
        return;
    m_grid.TextChanged(m_editRow, text.toStdString());
    RefreshGridRow(m_editRow);
}

void frmMain::ValueChosen(int index)
{
    if (m_editRow < 0)
        return;
    m_grid.Choose(m_editRow, m_cmbYesNo->itemText(index).toStdString());
    RefreshGridRow(m_editRow);
}

void frmMain::BackgroundPressed()
{
    HideEditors();
}

// ---- the drop hint and the queue ------------------------------------------------------------

void frmMain::SetHint(const QString& caption, bool visible)
{
    m_hintCaption = caption;
    m_lblText->setText(Shown(caption));
    m_picText->setVisible(visible);
}

void frmMain::UpdateHint()
{
    m_picText->setVisible(m_queue.Empty());
}

void frmMain::AddSearchResults(const QString& folder)
{
    SearchFiles(ToNative(folder), m_lstAddFolder, [this] { m_pump.DispatchPending(); });
    for (const std::string& path : m_lstAddFolder)
        if (FormatOf(path) == "PDF")
            m_queue.Append(path);
    m_lstAddFolder.clear();
}

void frmMain::QueuePaths(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir()) {
            // A dropped folder means its PDF files, searched like "Add a Folder".
            SetHint(QString::fromLatin1(kSearchCaption), true);
            AddSearchResults(path);
            SetHint(QString::fromLatin1(kDropCaption), m_queue.Empty());
        } else {
            m_queue.Append(ToNative(path));
        }
    }
    if (!m_queue.Empty()) {
        m_pump.DispatchPending();
        m_picText->hide();
    }
}

void frmMain::AddFile()
{
    const QString file = m_context.dialogs->OpenFile(this, QStringLiteral("Open Files"),
                                                     QStringLiteral("PDF Files(*.pdf *.PDF)"),
                                                     m_lastFileFolder);
    if (!file.isEmpty()) {
        m_queue.Append(ToNative(file));
        m_lastFileFolder = QFileInfo(file).absolutePath();
    }
    UpdateHint();
}

void frmMain::AddFolderFiles()
{
    if (m_searching)
        return;
    const QString folder = m_context.dialogs->ChooseFolder(
        this, QStringLiteral("Please select a folder:"), m_lastFileFolder);
    m_searching = true;
    SetHint(QString::fromLatin1(kSearchCaption), true);
    if (!folder.isEmpty())
        AddSearchResults(folder);
    SetHint(QString::fromLatin1(kDropCaption), m_queue.Empty());
    m_searching = false;
}

void frmMain::RemoveSelected()
{
    if (!m_queue.Empty()) {
        const QModelIndex current = m_LV->currentIndex();
        if (current.isValid() && m_LV->selectionModel()->isSelected(current))
            m_queue.RemoveAt(current.row());
        if (m_queue.Empty())
            SetHint(QString::fromLatin1(kDropCaption), true);
    }
    m_lstAddFolder.clear();
}

void frmMain::RemoveAll()
{
    m_queue.Clear();
    SetHint(QString::fromLatin1(kDropCaption), true);
    m_lstAddFolder.clear();
}

// ---- commands ---------------------------------------------------------------------------------

void frmMain::ActionChanged(const QString& text)
{
    if (text == QLatin1String("RemoveSelected"))
        RemoveSelected();
    if (text == QLatin1String("A"))
        ShowAbout();
    if (text == QLatin1String("AddaFile"))
        AddFile();
    if (text == QLatin1String("menuAddaFolder"))
        AddFolderFiles();
    if (text == QLatin1String("menuExit"))
        ExitProgram();
    if (text == QLatin1String("menuHelp"))
        Help();
    if (text == QLatin1String("menuOption"))
        ShowSettings();
    if (text == QLatin1String("menuConvert"))
        Start();
    if (!text.isEmpty())
        m_txtAction->setText(QString());
}

void frmMain::OpenMenuTitle(int index)
{
    const ImageButton* title = m_imgMenu[std::size_t(index)];
    m_frmMenu->PopupMenu(frmMenu::Popup(index), mapToGlobal(title->geometry().bottomLeft() + QPoint(0, 1)));
}

void frmMain::OpenRemoveMenu()
{
    m_frmMenu->PopupMenu(frmMenu::Remove, QCursor::pos());
}

void frmMain::ChooseOutputFolder()
{
    const QString folder = m_context.dialogs->ChooseFolder(
        this, QStringLiteral("Please select a folder:"), m_txtPath->text());
    m_txtPath->setText(folder.isEmpty() ? DefaultOutputFolder() : folder);
}

void frmMain::ShowSettings()
{
    frmOptions options(m_context, m_reminderIndex, this);
    if (options.exec() == QDialog::Accepted)
        m_reminderIndex = options.ReminderIndex();
}

void frmMain::ShowAbout()
{
    m_context.messages->Show(MessageIcon::None, kProgramTitle,
                             "pagewick 1.0, made by the pagewick team\n"
                             "Copyright (C) 2025 the pagewick team. Free to use and share.\n"
                             "Text by pdftotext: https://poppler.freedesktop.org");
}

void frmMain::Help()
{
    m_context.messages->Show(
        MessageIcon::Information, kProgramTitle,
        "1. Queue PDF files: Add a PDF File, Add PDF Files from a Folder, or drop them on the list.\n"
        "2. Pick the output folder and the options (pages, page breaks, owner password).\n"
        "3. Press Convert. Each file becomes a .txt file named after it; the folder opens at the end.\n\n"
        "Without a window: pagewick --batch --output DIR [--first N] [--last N|ALL]\n"
        "[--no-page-breaks] [--password PW] PATH...");
}

void frmMain::ShowFeedback()
{
    if (m_context.feedbackEndpoint.isEmpty())
        return;
    frmSuggest feedback(m_context, this);
    feedback.exec();
}

void frmMain::ExitProgram()
{
    WriteSetupFile(JoinPath(ToNative(m_context.programFolder), kSetupFileName),
                   ToNative(m_txtPath->text()));
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A run in progress is left: the converter already started finishes on its own.
    if (m_converter.Running())
        m_pump.Abandon();
    HideEditors();
    SkinnedWindow::closeEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lblFeed && event->type() == QEvent::MouseButtonRelease &&
        m_lblFeed->isEnabled() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ShowFeedback();
        return true;
    }
    return SkinnedWindow::eventFilter(watched, event);
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Escape closes dialogs, not the program.
    if (event->key() == Qt::Key_Escape) {
        HideEditors();
        event->accept();
        return;
    }
    SkinnedWindow::keyPressEvent(event);
}

// ---- the run ----------------------------------------------------------------------------------

void frmMain::Start()
{
    // An emptied output folder would put the text files into the root folder: the default
    // takes its place, as it does for an empty saved folder.
    if (!m_converter.Running() && m_txtPath->text().trimmed().isEmpty())
        m_txtPath->setText(DefaultOutputFolder());
    m_converter.Start();
}

void frmMain::SetCommandsEnabled(bool enabled)
{
    for (QWidget* w : {static_cast<QWidget*>(m_imgAdd), static_cast<QWidget*>(m_imgRemove),
                       static_cast<QWidget*>(m_imgStart), static_cast<QWidget*>(m_imgBrowse),
                       static_cast<QWidget*>(m_imgConvert)})
        w->setEnabled(enabled);
    for (ImageButton* button : m_imgToolbar)
        button->setEnabled(enabled);
    for (ImageButton* button : m_imgMenu)
        button->setEnabled(enabled);
    if (m_lblFeed)
        m_lblFeed->setEnabled(enabled);
}

void frmMain::RunStarting()
{
    HideEditors();
    SetCommandsEnabled(false);
}

void frmMain::FileStarting(const std::string&)
{
    m_lblPB->setText(QStringLiteral("Please wait for few minutes..."));
    if (!m_Timer2->isActive())
        m_Timer2->start();
}

void frmMain::RunFinished()
{
    m_context.desktop->OpenFolder(m_txtPath->text());
    if (m_reminderIndex == 0)
        m_context.desktop->Beep();
    m_progress = 0;
    m_Timer2->stop();
    SetProgressWidth(0);
    m_lblPB->setText(QStringLiteral("Done."));
    SetCommandsEnabled(true);
    UpdateHint();
}

void frmMain::SetProgressWidth(int pixels)
{
    m_imgPB->setGeometry(kProgressTrack.x(), kProgressTrack.y(), pixels, kProgressTrack.height());
    m_imgPB->setVisible(pixels > 0);
}

void frmMain::ProgressTick()
{
    m_progress += kProgressStep;
    if (m_progress < 100) {
        SetProgressWidth(kProgressWidth * m_progress / 100);
    } else {
        SetProgressWidth(kProgressWidth);
        m_progress = 0;
    }
}

} // namespace pw
