// keyfarer: the touch-typing tutor.
#include "app/traintypingapp.h"
#include "session/ui/appdeskenvironment.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Keyfarer"));
    // The login dialogs close before the main frame is shown; only the frame ends the program
    // (its exit command or an accepted close).
    QApplication::setQuitOnLastWindowClosed(false);
    kf::SetTypingDeskFactory(kf::MakeProgramDesk);
    kf::CTrainTypingApp app;
    if (!app.InitInstance()) {
        app.ExitInstance();
        return app.AnotherCopyRuns() ? 0 : 1;
    }
    QApplication::exec();
    return app.ExitInstance();
}
