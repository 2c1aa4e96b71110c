#pragma once

#include <QString>
#include <QStringList>

namespace pw {

/// The files and folders named on the window program's command line (the arguments after the
/// program's name), made absolute against `currentFolder` so that they mean the same thing to
/// the copy that already runs. "--" ends the options; any other argument that starts with "-"
/// before it is an option this program does not know and goes to `ignored`.
QStringList StartupPaths(const QStringList& arguments, const QString& currentFolder,
                         QStringList* ignored = nullptr);

} // namespace pw
