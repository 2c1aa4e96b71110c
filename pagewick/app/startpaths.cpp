#include "app/startpaths.h"

#include <QDir>

namespace pw {

QStringList StartupPaths(const QStringList& arguments, const QString& currentFolder,
                         QStringList* ignored)
{
    QStringList paths;
    bool optionsEnded = false;
    const QDir current(currentFolder);
    for (const QString& arg : arguments) {
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            if (ignored)
                *ignored << arg;
        } else if (!arg.isEmpty()) {
            paths << QDir::cleanPath(current.absoluteFilePath(arg));
        }
    }
    return paths;
}

} // namespace pw
