#include "ui/frmmenu.h"

#include "ui/skin.h"

#include <QLineEdit>
#include <QMenu>

namespace pw {

frmMenu::frmMenu(QLineEdit* txtAction, std::function<void()> removeAll, QWidget* owner)
    : QWidget(owner, Qt::Window), m_txtAction(txtAction)
{
    setObjectName(QStringLiteral("frmMenu"));
    setStyleSheet(Skin::StyleSheet());
    hide();

    QMenu* file = AddMenu(QStringLiteral("menuFile"), QStringLiteral("File"));
    AddItem(file, QStringLiteral("menuAddaFile"), QStringLiteral("Add a File(&A)"),
            QStringLiteral("AddaFile"));
    AddItem(file, QStringLiteral("menuAddaFolder"), QStringLiteral("Add a Folder(&F)"),
            QStringLiteral("menuAddaFolder"));
    file->addSeparator()->setObjectName(QStringLiteral("menuS"));
    AddItem(file, QStringLiteral("menuExit"), QStringLiteral("Exit(&E)"), QStringLiteral("menuExit"));
    m_menus[File] = file;

    QMenu* options = AddMenu(QStringLiteral("menuOptions"), QStringLiteral("Options"));
    AddItem(options, QStringLiteral("menuOption"), QStringLiteral("Settings(&O)"),
            QStringLiteral("menuOption"));
    m_menus[Options] = options;

    QMenu* about = AddMenu(QStringLiteral("menuAbout"), QStringLiteral("About"));
    AddItem(about, QStringLiteral("menuHelp"), QStringLiteral("Help(&H)"), QStringLiteral("menuHelp"));
    AddItem(about, QStringLiteral("menuA"), QStringLiteral("About(&A)"), QStringLiteral("A"));
    m_menus[About] = about;

    QMenu* tools = AddMenu(QStringLiteral("menuTools"), QStringLiteral("Tools(&T)"));
    AddItem(tools, QStringLiteral("menuConvert"), QStringLiteral("Convert(&C)"),
            QStringLiteral("menuConvert"));
    m_menus[Tools] = tools;

    QMenu* remove = AddMenu(QStringLiteral("menuRemove"), QStringLiteral("Remove"));
    AddItem(remove, QStringLiteral("menuRemoveSelected"), QStringLiteral("Remove Selected"),
            QStringLiteral("RemoveSelected"));
    QAction* all = remove->addAction(QStringLiteral("Remove All"));
    all->setObjectName(QStringLiteral("menuRemoveAll"));
    connect(all, &QAction::triggered, this, [removeAll] {
        if (removeAll)
            removeAll();
    });
    m_menus[Remove] = remove;
}

QMenu* frmMenu::AddMenu(const QString& objectName, const QString& title)
{
    auto* menu = new QMenu(title, this);
    menu->setObjectName(objectName);
    return menu;
}

void frmMenu::AddItem(QMenu* menu, const QString& objectName, const QString& caption,
                      const QString& word)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, [this, word] { m_txtAction->setText(word); });
}

void frmMenu::PopupMenu(Popup which, const QPoint& where)
{
    if (QMenu* menu = Menu(which))
        menu->popup(where);
}

QMenu* frmMenu::Menu(Popup which) const
{
    return which >= File && which <= Remove ? m_menus[which] : nullptr;
}

} // namespace pw
