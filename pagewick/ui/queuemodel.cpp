#include "ui/queuemodel.h"

#include <QFile>

namespace pw {

QueueModel::QueueModel(ConversionQueue& queue, QObject* parent)
    : QAbstractTableModel(parent), m_queue(queue)
{
    m_queue.SetListener(this);
}

QueueModel::~QueueModel()
{
    m_queue.SetListener(nullptr);
}

int QueueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_queue.Count();
}

int QueueModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant QueueModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_queue.Count())
        return QVariant();
    const QueueEntry& entry = m_queue.At(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const std::string& text = index.column() == 0 ? entry.path : entry.format;
        return QFile::decodeName(QByteArray::fromStdString(text));
    }
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return int(Qt::AlignCenter);
    return QVariant();
}

QVariant QueueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section == 0 ? QStringLiteral("FileName") : QStringLiteral("Format");
}

void QueueModel::QueueAboutToInsert(int position)
{
    beginInsertRows(QModelIndex(), position, position);
}

void QueueModel::QueueInserted()
{
    endInsertRows();
}

void QueueModel::QueueAboutToRemove(int position)
{
    beginRemoveRows(QModelIndex(), position, position);
}

void QueueModel::QueueRemoved()
{
    endRemoveRows();
}

void QueueModel::QueueAboutToClear()
{
    beginResetModel();
}

void QueueModel::QueueCleared()
{
    endResetModel();
}

} // namespace pw
