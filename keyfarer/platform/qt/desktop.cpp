#include "desktop.h"

#include "platform/path.h"
#include "platform/qt/qtext.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kf {

namespace {

class QtDesktopOpener : public DesktopOpener
{
public:
    bool OpenPath(std::u16string_view path) override
    {
        const QString native = QString::fromStdString(NativePath(path));
        return QDesktopServices::openUrl(QUrl::fromLocalFile(native));
    }
    bool OpenUrl(std::u16string_view url) override
    {
        return QDesktopServices::openUrl(QUrl(ToQString(url)));
    }
    bool StartProgram(std::u16string_view program, const QStringList& arguments) override
    {
        return QProcess::startDetached(QString::fromStdString(NativePath(program)), arguments);
    }
};

std::unique_ptr<DesktopOpener>& Current()
{
    static std::unique_ptr<DesktopOpener> opener = std::make_unique<QtDesktopOpener>();
    return opener;
}

} // namespace

DesktopOpener& Desktop()
{
    return *Current();
}

void SetDesktopOpener(std::unique_ptr<DesktopOpener> opener)
{
    Current() = opener ? std::move(opener) : std::make_unique<QtDesktopOpener>();
}

} // namespace kf
