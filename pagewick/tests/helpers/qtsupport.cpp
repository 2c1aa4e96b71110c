#include "qtsupport.h"

#include <QTimer>

namespace pw::test {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "pagewick-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void Later(QObject* context, int ms, std::function<void()> check)
{
    QTimer::singleShot(ms, context, std::move(check));
}

WindowWorld::WindowWorld() : skin(QStringLiteral(PW_STAGE_DIR "/skin"))
{
    App();
    MakeProgramFolder(program.Path());
    context.programFolder = FromNative(program.Path());
    context.skin = &skin;
    context.messages = &messages;
    context.desktop = &desktop;
    context.dialogs = &dialogs;
}

} // namespace pw::test
