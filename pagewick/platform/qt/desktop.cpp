#include "platform/qt/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace pw {

bool SystemDesktop::OpenFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void SystemDesktop::Beep()
{
    QApplication::beep();
}

} // namespace pw
