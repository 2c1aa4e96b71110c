#include "skin/ui/kfcombox.h"

#include "skin/ui/flatedit.h"
#include "skin/ui/skinitemdelegate.h"
#include "skin/ui/flatscrollbar.h"
#include "skin/ui/skinpixmaps.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListView>
#include <QPainter>

namespace kf {

CKFCombox::CKFCombox(const CControlAspect* look, QWidget* parent) : QComboBox(parent), m_look(look)
{
    auto* view = new QListView(this);
    view->setItemDelegate(new CSkinItemDelegate(look, view));
    view->setVerticalScrollBar(new CFlatScrollBar(look, Qt::Vertical, view));
    view->setMouseTracking(true);
    setView(view);
    setItemDelegate(view->itemDelegate());
    if (m_look) {
        setFont(LookQFont(*m_look, LookFont::Dialog));
        ApplyFieldPalette(this, *m_look, false);
        ApplyFieldPalette(view, *m_look, false);
    }
}

QSize CKFCombox::sizeHint() const
{
    const QSize base = QComboBox::sizeHint();
    return QSize(base.width() + 8, std::max(base.height(), 28));
}

void CKFCombox::showPopup()
{
    emit popupShown();
    QComboBox::showPopup();
}

void CKFCombox::enterEvent(QEnterEvent* event)
{
    m_hot = true;
    update();
    QComboBox::enterEvent(event);
}

void CKFCombox::leaveEvent(QEvent* event)
{
    m_hot = false;
    update();
    QComboBox::leaveEvent(event);
}

void CKFCombox::paintEvent(QPaintEvent* event)
{
    if (!m_look)
        return QComboBox::paintEvent(event);
    if (isEditable() && lineEdit() && lineEdit()->hasFrame()) {
        lineEdit()->setFrame(false);
        ApplyFieldPalette(lineEdit(), *m_look, true);
    }
    QPainter p(this);
    PaintFlatField(p, rect(), *m_look, m_hot || hasFocus(), isEnabled());
    const QPixmap arrows = SkinPixmap(*m_look, skinbmp::kCombo);
    const int cell = arrows.isNull() ? 20 : arrows.width() / kComboStates;
    const int state = !isEnabled() ? 3 : view()->isVisible() ? 2 : m_hot ? 1 : 0;
    const QRect arrowRect(width() - cell - 4, (height() - arrows.height()) / 2, cell,
                          arrows.height());
    if (!arrows.isNull())
        p.drawPixmap(arrowRect.topLeft(), arrows, QRect(state * cell, 0, cell, arrows.height()));
    if (!isEditable()) {
        p.setFont(font());
        p.setPen(isEnabled() ? LookQColor(*m_look, LookColor::ControlText)
                             : LookQColor(*m_look, LookColor::DisabledText));
        const QRect textRect = rect().adjusted(8, 0, -cell - 8, 0);
        p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(currentText(), Qt::ElideRight, textRect.width()));
    }
}

} // namespace kf
