#pragma once

#include "core/conversionqueue.h"
#include "core/converter.h"
#include "core/optiongrid.h"
#include "platform/dosoutputs.h"
#include "platform/qt/clswaitabletimer.h"
#include "ui/appcontext.h"
#include "ui/skinnedwindow.h"

#include <QStringList>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;

namespace pw {

class FileListView;
class ImageButton;
class QueueModel;
class frmMenu;

/// The main window: the queue of files with its drop hint, the output folder, the option grid,
/// the toolbar, the menu titles, the progress sweep, and the run that converts the queue.
///
/// Every control carries the object name it is known by ("LV", "LV2", "txtPath", "txtValue",
/// "cmbYesNo", "imgStart", "imgConvert", "imgBrowse", "imgAdd", "imgRemove", "imgMin", "imgExit",
/// "imgToolbar0" to "imgToolbar6", "imgMenu0" to "imgMenu3", "imgPB", "lblPB", "picText",
/// "lblText", "lblFeed", "txtAction").
class frmMain : public SkinnedWindow, private ConverterHost
{
    Q_OBJECT
public:
    /// The hint over the empty file list, and its text while a folder is searched.
    static constexpr const char* kDropCaption = "Drag && Drop Files Here";
    static constexpr const char* kSearchCaption = "Searching Files...";

    /// Builds the window, fills the option grid and restores the saved settings of
    /// `context.programFolder`. `context` must outlive the window.
    explicit frmMain(const AppContext& context, QWidget* parent = nullptr);
    ~frmMain() override;

    ConversionQueue& Queue() { return m_queue; }
    const OptionGrid& Grid() const { return m_grid; }
    int ReminderIndex() const { return m_reminderIndex; }
    /// The output folder as typed or chosen.
    QString OutputFolderText() const;
    QString DefaultOutputFolder() const;
    bool Running() const { return m_converter.Running(); }

    /// Queues `paths` as a drop does: a file as it is, a folder by searching it for PDF files
    /// like "Add a Folder". Used for drops, for the files named on the command line and for those
    /// a second start of the program hands over.
    void QueuePaths(const QStringList& paths);

    /// The caption shown in the drop hint, with "&&" as written (it shows as "&").
    QString DropHintCaption() const { return m_hintCaption; }

public slots:
    void Start();
    void AddFile();
    void AddFolderFiles();
    void RemoveSelected();
    void RemoveAll();
    void ChooseOutputFolder();
    void ShowSettings();
    void ShowAbout();
    void Help();
    void ShowFeedback();
    /// Saves "setup.ini" and closes the window, which ends the program; during a run the
    /// converter already started finishes on its own.
    void ExitProgram();

protected:
    void BackgroundPressed() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ConverterHost
    std::string OutputFolder() override;
    ConversionOptions Options() override { return m_grid.Options(); }
    void RunStarting() override;
    void FileStarting(const std::string& input) override;
    void RunFinished() override;

    void BuildControls();
    void BuildToolbar();
    void BuildGrid();
    void RestoreSettings();
    void ActionChanged(const QString& text);
    void OpenEditor(int row);
    void HideEditors();
    void ValueTextChanged(const QString& text);
    void ValueChosen(int index);
    void RefreshGridRow(int row);
    void SetProgressWidth(int pixels);
    void ProgressTick();
    void SetHint(const QString& caption, bool visible);
    void UpdateHint();
    void AddSearchResults(const QString& folder);
    void SetCommandsEnabled(bool enabled);
    void OpenMenuTitle(int index);
    void OpenRemoveMenu();

    const AppContext& m_context;
    ConversionQueue m_queue;
    OptionGrid m_grid;
    clsWaitableTimer m_pump;
    DOSOutputs m_objDOS;
    Converter m_converter;

    QueueModel* m_model = nullptr;
    FileListView* m_LV = nullptr;
    QTreeWidget* m_LV2 = nullptr;
    QLineEdit* m_txtValue = nullptr;
    QComboBox* m_cmbYesNo = nullptr;
    QLineEdit* m_txtPath = nullptr;
    QLineEdit* m_txtAction = nullptr;
    ImageButton* m_imgBrowse = nullptr;
    ImageButton* m_imgStart = nullptr;
    ImageButton* m_imgConvert = nullptr;
    ImageButton* m_imgAdd = nullptr;
    ImageButton* m_imgRemove = nullptr;
    ImageButton* m_imgMin = nullptr;
    ImageButton* m_imgExit = nullptr;
    std::array<ImageButton*, 7> m_imgToolbar = {};
    std::array<ImageButton*, 4> m_imgMenu = {};
    QLabel* m_imgPB = nullptr;
    QLabel* m_lblPB = nullptr;
    QWidget* m_picText = nullptr;
    QLabel* m_lblText = nullptr;
    QLabel* m_lblFeed = nullptr;
    QTimer* m_Timer2 = nullptr;
    frmMenu* m_frmMenu = nullptr;

    int m_progress = 0;
    int m_reminderIndex = 0;
    int m_editRow = -1;
    bool m_searching = false;
    QString m_hintCaption;
    QString m_lastFileFolder;
    std::vector<std::string> m_lstAddFolder;
};

} // namespace pw
