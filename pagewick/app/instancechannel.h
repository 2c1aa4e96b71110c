#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace pw {

/// How a second start of the program hands the files it was given to the copy that already
/// runs (an "Open with" while the window is open), and then ends.
class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    explicit InstanceChannel(const QString& key, QObject* parent = nullptr);

    /// Listens for later starts; the first copy calls it once it holds the instance lock.
    bool Listen();

    /// Hands `paths` (made absolute) to the copy that listens on `key`; false when none answers.
    static bool Send(const QString& key, const QStringList& paths);

signals:
    void PathsReceived(const QStringList& paths);

private:
    QString m_key;
    QLocalServer* m_server;
};

} // namespace pw
