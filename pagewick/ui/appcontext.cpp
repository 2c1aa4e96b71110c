#include "ui/appcontext.h"

#include <QFile>

namespace pw {

std::string ToNative(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FromNative(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace pw
