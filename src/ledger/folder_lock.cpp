#include "ledger/folder_lock.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

QString lock_path(const QString& folder) {
    return (folder.endsWith(u'/') ? folder : folder + u'/') + kLockFile;
}

} // namespace

FolderLock::FolderLock(const QString& folder) : path_(lock_path(folder)), lock_(path_) {
    lock_.setStaleLockTime(0);
}

FolderLock::~FolderLock() {
    release();
}

bool FolderLock::take() {
    if (lock_.isLocked())
        return true;
    if (!lock_.tryLock(0))
        return false;
    // Like every file of the folder: the owner's alone.
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

std::optional<LockHolder> FolderLock::holder() const {
    LockHolder h;
    QString app;
    if (!lock_.getLockInfo(&h.pid, &h.host, &app))
        return std::nullopt;
    const QFileInfo info(path_);
    h.since = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    return h;
}

void FolderLock::release() {
    if (lock_.isLocked())
        lock_.unlock();
}

} // namespace kanvelo
