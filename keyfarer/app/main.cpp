// keyfarer: the touch-typing tutor.
#include "app/traintypingapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Keyfarer"));
    kf::CTrainTypingApp app;
    if (!app.InitInstance()) {
        app.ExitInstance();
        return app.AnotherCopyRuns() ? 0 : 1;
    }
    QObject::connect(&qt, &QApplication::lastWindowClosed, &qt, &QApplication::quit);
    QApplication::exec();
    return app.ExitInstance();
}
