#include "ui/filelistview.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace pw {

FileListView::FileListView(QWidget* parent) : QTreeView(parent)
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList FileListView::LocalPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths << url.toLocalFile();
    return paths;
}

void FileListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (LocalPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void FileListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (LocalPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void FileListView::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit PathsDropped(paths);
}

} // namespace pw
