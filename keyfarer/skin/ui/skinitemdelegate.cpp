#include "skin/ui/skinitemdelegate.h"

#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

void CSkinItemDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    if (!m_look)
        return QStyledItemDelegate::paint(p, option, index);
    const bool selected = option.state & QStyle::State_Selected;
    const bool hot = option.state & QStyle::State_MouseOver;
    const QRect r = option.rect.adjusted(2, 1, -2, -1);
    if (selected) {
        const QPixmap pieces = SkinPixmap(*m_look, skinbmp::kListPieces);
        if (!pieces.isNull())
            DrawThreeSlice(*p, pieces,
                           QRect(0, pieces.height() / 2, pieces.width(), pieces.height() / 2), r,
                           6);
        else
            p->fillRect(r, LookQColor(*m_look, LookColor::Selection));
    } else if (hot) {
        p->fillRect(r, LookQColor(*m_look, LookColor::GridAltRow));
    }
    p->setFont(option.font);
    p->setPen(selected ? LookQColor(*m_look, LookColor::SelectionText)
              : (option.state & QStyle::State_Enabled)
                  ? LookQColor(*m_look, LookColor::ControlText)
                  : LookQColor(*m_look, LookColor::DisabledText));
    const QString text = index.data(Qt::DisplayRole).toString();
    p->drawText(r.adjusted(8, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                option.fontMetrics.elidedText(text, Qt::ElideRight, r.width() - 12));
}

QSize CSkinItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    return QSize(base.width() + 16, std::max(base.height() + 6, 24));
}

} // namespace kf
