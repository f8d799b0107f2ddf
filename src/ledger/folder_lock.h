#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <optional>

// One program per data folder. The lock is a file in the folder naming the
// computer and the process that holds it; a lock left by a program that died
// on this computer is taken over. A lock of another computer is never taken
// over by age: that program may be open all day.
namespace kanvelo {

inline const QString kLockFile = QStringLiteral("kanvelo.lock");

struct LockHolder {
    QString host;
    qint64 pid = 0;
    QDateTime since; // when it took the folder (invalid when unknown)
};

class FolderLock {
public:
    explicit FolderLock(const QString& folder); // with or without the final '/'
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True when this program now holds the folder.
    bool take();
    bool held() const { return lock_.isLocked(); }
    // Who holds the folder, when take() failed.
    std::optional<LockHolder> holder() const;
    void release();
    QString path() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};

} // namespace kanvelo
