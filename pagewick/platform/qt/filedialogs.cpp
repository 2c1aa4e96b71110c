#include "platform/qt/filedialogs.h"

#include <QFileDialog>

namespace pw {

QString SystemFileDialogs::OpenFile(QWidget* owner, const QString& title, const QString& filter,
                                    const QString& startFolder)
{
    return QFileDialog::getOpenFileName(owner, title, startFolder, filter, nullptr,
                                        QFileDialog::DontResolveSymlinks);
}

QString SystemFileDialogs::ChooseFolder(QWidget* owner, const QString& title,
                                        const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(owner, title, startFolder, QFileDialog::ShowDirsOnly);
}

} // namespace pw
