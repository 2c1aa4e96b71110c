#pragma once

// The skinned list box: a flat field with rows of the dialog font, the look's selection bar
// under the chosen row and the skinned scroll bar.

#include "skin/controlaspect.h"

#include <QListWidget>
#include <QStyledItemDelegate>

namespace kf {

// Paints list rows with the look's selection bar; shared by the list box and the combo box.
class CSkinItemDelegate : public QStyledItemDelegate
{
public:
    explicit CSkinItemDelegate(const CControlAspect* look, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), m_look(look) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const CControlAspect* m_look;
};

class CFlatListbox : public QListWidget
{
    Q_OBJECT
public:
    explicit CFlatListbox(const CControlAspect* look, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    const CControlAspect* m_look;
};

} // namespace kf
