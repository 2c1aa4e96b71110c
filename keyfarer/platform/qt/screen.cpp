#include "screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace kf {

ScreenDescription ReadPrimaryScreen()
{
    ScreenDescription d;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        d.depth = s->depth();
        d.width = s->geometry().width();
        d.height = s->geometry().height();
    }
    return d;
}

} // namespace kf
