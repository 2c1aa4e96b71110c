#pragma once

#include <QStringList>
#include <QTreeView>

namespace pw {

/// The visible file list. It takes drops of files from the desktop's file manager (a list of
/// local file addresses) with the "copy" effect and hands their paths on in the order given.
class FileListView : public QTreeView
{
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent);

    /// The local paths a drop carries, in order; empty when it carries no local file.
    static QStringList LocalPaths(const QMimeData* data);

signals:
    void PathsDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace pw
