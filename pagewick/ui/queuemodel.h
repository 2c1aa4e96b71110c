#pragma once

#include "core/conversionqueue.h"

#include <QAbstractTableModel>

namespace pw {

/// The conversion queue as the file list shows it: columns "FileName" (the full path) and
/// "Format". It follows every change of the queue row by row.
class QueueModel : public QAbstractTableModel, private QueueListener
{
    Q_OBJECT
public:
    /// Follows `queue`, which must outlive the model.
    explicit QueueModel(ConversionQueue& queue, QObject* parent = nullptr);
    ~QueueModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void QueueAboutToInsert(int position) override;
    void QueueInserted() override;
    void QueueAboutToRemove(int position) override;
    void QueueRemoved() override;
    void QueueAboutToClear() override;
    void QueueCleared() override;

    ConversionQueue& m_queue;
};

} // namespace pw
