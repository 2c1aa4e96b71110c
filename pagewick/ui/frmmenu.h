#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QMenu;

namespace pw {

/// The invisible window that holds the popup menus. A chosen item writes its command word
/// into the main window's mailbox `txtAction`, which runs the command; "Remove All" alone acts
/// directly, through the callback it was given.
///
///   File     "Add a File(&A)" AddaFile, "Add a Folder(&F)" menuAddaFolder, "Exit(&E)" menuExit
///   Options  "Settings(&O)" menuOption
///   About    "Help(&H)" menuHelp, "About(&A)" A
///   Tools    "Convert(&C)" menuConvert
///   Remove   "Remove Selected" RemoveSelected, "Remove All"
class frmMenu : public QWidget
{
    Q_OBJECT
public:
    enum Popup { File = 0, Options = 1, About = 2, Tools = 3, Remove = 4 };

    frmMenu(QLineEdit* txtAction, std::function<void()> removeAll, QWidget* owner);

    /// Opens popup `which` with its top left corner at the screen point `where`.
    void PopupMenu(Popup which, const QPoint& where);

    /// The popup menu `which` (to look at, or to drive in tests).
    QMenu* Menu(Popup which) const;

private:
    QMenu* AddMenu(const QString& objectName, const QString& title);
    void AddItem(QMenu* menu, const QString& objectName, const QString& caption,
                 const QString& word);

    QLineEdit* m_txtAction;
    QMenu* m_menus[5] = {};
};

} // namespace pw
