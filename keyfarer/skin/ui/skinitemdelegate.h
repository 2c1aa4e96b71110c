#pragma once

#include "skin/controlaspect.h"

#include <QStyledItemDelegate>

namespace kf {

// Paints list rows with the look's selection bar; shared by the list box and the combo box.
class CSkinItemDelegate : public QStyledItemDelegate
{
public:
    explicit CSkinItemDelegate(const CControlAspect* look, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), m_look(look)
    {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const CControlAspect* m_look;
};

} // namespace kf
