#include "skin/ui/flatlistbox.h"

#include "skin/ui/flatedit.h"
#include "skin/ui/flatscrollbar.h"
#include "skin/ui/skinitemdelegate.h"
#include "skin/ui/skinpixmaps.h"

#include <QEvent>
#include <QPainter>

namespace kf {

CFlatListbox::CFlatListbox(const CControlAspect* look, QWidget* parent)
    : QListWidget(parent), m_look(look)
{
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(1, 1, 1, 1);
    setMouseTracking(true);
    setItemDelegate(new CSkinItemDelegate(look, this));
    setVerticalScrollBar(new CFlatScrollBar(look, Qt::Vertical, this));
    setHorizontalScrollBar(new CFlatScrollBar(look, Qt::Horizontal, this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (m_look) {
        setFont(LookQFont(*m_look, LookFont::Dialog));
        ApplyFieldPalette(this, *m_look, false);
        ApplyFieldPalette(viewport(), *m_look, false);
    }
}

bool CFlatListbox::event(QEvent* event)
{
    // The list's own paint event draws only its frame: the skinned field instead.
    if (event->type() == QEvent::Paint && m_look) {
        QPainter p(this);
        PaintFlatField(p, rect(), *m_look, hasFocus(), isEnabled());
        return true;
    }
    return QListWidget::event(event);
}

} // namespace kf
