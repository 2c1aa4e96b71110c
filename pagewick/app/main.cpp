// pagewick: converts queued PDF files to plain text with poppler's pdftotext.
//
//   pagewick [PATH...]          the window; files and folders named are queued at start-up
//   pagewick --batch ...        no window (see --batch --help)

#include "app/batchmode.h"
#include "app/instancechannel.h"
#include "app/startpaths.h"
#include "core/batcharguments.h"
#include "core/feedbackaddress.h"
#include "platform/filesystem.h"
#include "platform/qt/desktop.h"
#include "platform/qt/filedialogs.h"
#include "platform/qt/qtmessagesink.h"
#include "platform/singleinstance.h"
#include "ui/frmmain.h"
#include "ui/skin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "usage: pagewick [PATH...]\n"
    "Opens the converter's window; the files named are queued, a folder's PDF files with them.\n"
    "A second start hands its files to the window already open.\n\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--batch") == 0)
        return pw::RunBatch(argc, argv);
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("%s%s", kUsage, pw::kBatchUsage);
        return 0;
    }

    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("pagewick"));
    app.setStyleSheet(pw::Skin::StyleSheet()); // message boxes and menus look like the windows
    const QString programFolder = QCoreApplication::applicationDirPath();

    QStringList ignored;
    const QStringList paths = pw::StartupPaths(app.arguments().mid(1), QDir::currentPath(), &ignored);
    for (const QString& option : ignored)
        std::fprintf(stderr, "pagewick: ignoring unknown option %s\n", qPrintable(option));

    // One copy per installation: a second start hands its files to the first and ends.
    const std::string key = pw::SingleInstance::KeyFor(pw::ToNative(programFolder));
    pw::SingleInstance instance;
    if (!instance.Acquire(key)) {
        if (!paths.isEmpty() && !pw::InstanceChannel::Send(QString::fromStdString(key), paths)) {
            std::fprintf(stderr, "pagewick: the window already open did not take the files:\n");
            for (const QString& path : paths)
                std::fprintf(stderr, "  %s\n", qPrintable(path));
            return 1;
        }
        return 0;
    }

    const pw::Skin skin(programFolder + QStringLiteral("/skin"));
    pw::QtMessageSink messages;
    pw::SystemDesktop desktop;
    pw::SystemFileDialogs dialogs;
    pw::AppContext context;
    context.programFolder = programFolder;
    context.skin = &skin;
    context.messages = &messages;
    context.desktop = &desktop;
    context.dialogs = &dialogs;
    context.feedbackEndpoint = QString::fromStdString(pw::ReadFeedbackEndpoint(
        pw::JoinPath(pw::ToNative(programFolder), pw::kFeedbackFileName)));
    app.setWindowIcon(QIcon(programFolder + QStringLiteral("/pagewick.svg")));

    pw::frmMain window(context);
    messages.SetOwner(&window);
    pw::InstanceChannel channel(QString::fromStdString(key));
    QObject::connect(&channel, &pw::InstanceChannel::PathsReceived, &window,
                     [&window](const QStringList& received) {
                         window.QueuePaths(received);
                         window.raise();
                         window.activateWindow();
                     });
    channel.Listen();
    window.show();
    if (!paths.isEmpty())
        window.QueuePaths(paths);
    return app.exec();
}
