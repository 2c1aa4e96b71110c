#include "content/ui/chooserlist.h"

#include "skin/ui/skinpixmaps.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

namespace kf {
namespace {

class ChooserItemDelegate : public QStyledItemDelegate
{
public:
    ChooserItemDelegate(const CControlAspect* look, QObject* parent)
        : QStyledItemDelegate(parent), m_look(look)
    {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        const QColor line =
            m_look ? LookQColor(*m_look, LookColor::GridLine) : QColor(200, 200, 200);
        if (index.data(CChooserList::kSeparatorRole).toBool()) {
            const int y = option.rect.center().y();
            p->setPen(QPen(line, 1));
            p->drawLine(option.rect.left() + 10, y, option.rect.right() - 10, y);
            p->restore();
            return;
        }
        const bool selected = option.state & QStyle::State_Selected;
        const bool hot = option.state & QStyle::State_MouseOver;
        const QRect r = option.rect.adjusted(2, 1, -2, -1);
        if (selected) {
            const QPixmap pieces = m_look ? SkinPixmap(*m_look, skinbmp::kListPieces) : QPixmap();
            if (!pieces.isNull())
                DrawThreeSlice(*p, pieces,
                               QRect(0, pieces.height() / 2, pieces.width(), pieces.height() / 2),
                               r, 6);
            else
                p->fillRect(r,
                            m_look ? LookQColor(*m_look, LookColor::Selection) : QColor(Qt::blue));
        } else if (hot && m_look) {
            p->fillRect(r, LookQColor(*m_look, LookColor::GridAltRow));
        }
        const QColor ink = !m_look    ? QColor(Qt::black)
                           : selected ? LookQColor(*m_look, LookColor::SelectionText)
                                      : LookQColor(*m_look, LookColor::ControlText);
        const QColor dim = !m_look    ? QColor(Qt::darkGray)
                           : selected ? LookQColor(*m_look, LookColor::SelectionText)
                                      : LookQColor(*m_look, LookColor::DisabledText);
        const QColor accent =
            m_look ? LookQColor(*m_look, LookColor::Accent) : QColor(Qt::darkBlue);

        // The style mark: a key cap, a keypad of four, a slide, a folder or a pen.
        const int style = index.data(CChooserList::kStyleRole).toInt();
        const QRect mark(r.left() + 8, r.top() + (r.height() - 16) / 2, 16, 16);
        p->setPen(QPen(selected ? ink : accent, 1.4));
        p->setBrush(Qt::NoBrush);
        switch (style) {
        case CChooserList::Keypad:
            for (int i = 0; i < 4; ++i)
                p->drawRoundedRect(QRectF(mark.left() + (i % 2) * 8 + 0.5,
                                          mark.top() + (i / 2) * 8 + 0.5, 6.5, 6.5),
                                   1.5, 1.5);
            break;
        case CChooserList::Slides:
            p->drawRect(QRectF(mark).adjusted(0.5, 2.5, -0.5, -2.5));
            p->drawLine(mark.left() + 4, mark.center().y(), mark.right() - 4, mark.center().y());
            break;
        case CChooserList::Folder: {
            QPainterPath path;
            path.moveTo(mark.left() + 0.5, mark.top() + 3.5);
            path.lineTo(mark.left() + 6.5, mark.top() + 3.5);
            path.lineTo(mark.left() + 8.5, mark.top() + 5.5);
            path.lineTo(mark.right() + 0.5, mark.top() + 5.5);
            path.lineTo(mark.right() + 0.5, mark.bottom() - 1.5);
            path.lineTo(mark.left() + 0.5, mark.bottom() - 1.5);
            path.closeSubpath();
            p->drawPath(path);
            break;
        }
        case CChooserList::FreeTyping:
            p->drawLine(mark.left() + 2, mark.bottom() - 2, mark.right() - 3, mark.top() + 3);
            p->drawLine(mark.left() + 2, mark.bottom() - 1, mark.left() + 6, mark.bottom() - 1);
            break;
        case CChooserList::Text:
            p->drawRect(QRectF(mark).adjusted(2.5, 0.5, -2.5, -0.5));
            for (int i = 0; i < 3; ++i)
                p->drawLine(mark.left() + 5, mark.top() + 5 + i * 3, mark.right() - 5,
                            mark.top() + 5 + i * 3);
            break;
        default:
            p->drawRoundedRect(QRectF(mark).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
            break;
        }

        const QRect text = r.adjusted(32, 3, -6, -3);
        const QString name = index.data(Qt::DisplayRole).toString();
        const QString description = index.data(CChooserList::kDescriptionRole).toString();
        QFont nameFont = option.font;
        nameFont.setBold(true);
        const QFont small = m_look ? LookQFont(*m_look, LookFont::Small) : option.font;
        const QFontMetrics nm(nameFont), sm(small);
        p->setFont(nameFont);
        p->setPen(ink);
        if (description.isEmpty()) {
            p->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                        nm.elidedText(name, Qt::ElideRight, text.width()));
        } else {
            p->drawText(QRect(text.left(), text.top(), text.width(), nm.height()),
                        Qt::AlignTop | Qt::AlignLeft,
                        nm.elidedText(name, Qt::ElideRight, text.width()));
            p->setFont(small);
            p->setPen(dim);
            p->drawText(QRect(text.left(), text.top() + nm.height(), text.width(), sm.height() + 2),
                        Qt::AlignTop | Qt::AlignLeft,
                        sm.elidedText(description, Qt::ElideRight, text.width()));
        }
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.data(CChooserList::kSeparatorRole).toBool())
            return QSize(40, 9);
        QFont nameFont = option.font;
        nameFont.setBold(true);
        const QFont small = m_look ? LookQFont(*m_look, LookFont::Small) : option.font;
        const int h = QFontMetrics(nameFont).height() + QFontMetrics(small).height() + 10;
        return QSize(200, std::max(h, 30));
    }

private:
    const CControlAspect* m_look;
};

} // namespace

CChooserList::CChooserList(const CControlAspect* look, QWidget* parent) : CFlatListbox(look, parent)
{
    setItemDelegate(new ChooserItemDelegate(look, this));
    setUniformItemSizes(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void CChooserList::AddEntry(const QString& name, const QString& description, int style, int payload)
{
    auto* item = new QListWidgetItem(name);
    item->setData(kDescriptionRole, description);
    item->setData(kStyleRole, style);
    item->setData(kPayloadRole, payload);
    item->setToolTip(description);
    addItem(item);
}

void CChooserList::AddSeparator()
{
    auto* item = new QListWidgetItem();
    item->setData(kSeparatorRole, true);
    item->setData(kPayloadRole, -1);
    item->setFlags(Qt::NoItemFlags);
    addItem(item);
}

void CChooserList::ClearEntries()
{
    clear();
}

int CChooserList::EntryCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        if (!item(i)->data(kSeparatorRole).toBool())
            ++n;
    return n;
}

int CChooserList::CurrentPayload() const
{
    const QList<QListWidgetItem*> chosen = selectedItems();
    if (chosen.isEmpty())
        return -1;
    return chosen.front()->data(kPayloadRole).toInt();
}

int CChooserList::RowOfPayload(int payload) const
{
    for (int i = 0; i < count(); ++i)
        if (!item(i)->data(kSeparatorRole).toBool() &&
            item(i)->data(kPayloadRole).toInt() == payload)
            return i;
    return -1;
}

bool CChooserList::SelectPayload(int payload)
{
    const int row = RowOfPayload(payload);
    if (row < 0)
        return false;
    setCurrentRow(row);
    scrollToItem(item(row));
    return true;
}

bool CChooserList::SelectFirst()
{
    for (int i = 0; i < count(); ++i)
        if (!item(i)->data(kSeparatorRole).toBool()) {
            setCurrentRow(i);
            scrollToItem(item(i));
            return true;
        }
    return false;
}

void CChooserList::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (!at.isValid() || !(at.flags() & Qt::ItemIsSelectable)) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    CFlatListbox::mousePressEvent(event);
}

void CChooserList::RemovePayload(int payload)
{
    const int row = RowOfPayload(payload);
    if (row < 0)
        return;
    delete takeItem(row);
    // A separator that now ends the list or stands before another separator is dropped.
    if (row < count() && item(row)->data(kSeparatorRole).toBool() &&
        (row + 1 >= count() || item(row + 1)->data(kSeparatorRole).toBool()))
        delete takeItem(row);
}

} // namespace kf
