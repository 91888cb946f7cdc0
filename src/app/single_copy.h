#pragma once
// One copy of the program per user: the first copy holds a lock file and
// listens on a local socket; a later copy waits up to a second for the lock
// and, when the first copy still runs, asks it to show its window and ends.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

class SingleCopy : public QObject {
    Q_OBJECT

  public:
    // base: path prefix of the lock file and the socket.
    explicit SingleCopy(const QString& base);
    ~SingleCopy() override;

    // True when this is now the only copy (also after the other copy ended
    // within the wait); false when another copy runs and was asked to show
    // its window.
    bool Claim(int waitMs);

  signals:
    void ShowRequested();

  private:
    void OnConnection();

    QString socketPath_;
    QLockFile lock_;
    QLocalServer server_;
};

// The per-user base path in the runtime folder.
QString SingleCopyBase();
