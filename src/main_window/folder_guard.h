#pragma once

#include "ledger/disk_state.h"
#include "ledger/folder_lock.h"

#include <QString>

class QWidget;

namespace kanvelo {

struct Ledger;

// The data folder as this run holds it: the lock that keeps a second program
// off it, and read-only mode when the user opens a held folder anyway.
class FolderGuard {
public:
    explicit FolderGuard(const QString& folder);
    ~FolderGuard();
    FolderGuard(const FolderGuard&) = delete;
    FolderGuard& operator=(const FolderGuard&) = delete;

    // Takes the folder. When another program holds it, says which computer
    // and since when, and asks: 読み取り専用で開く or 終了. False: 終了.
    bool open(QWidget* parent);
    bool read_only() const { return read_only_; }

    // The one gate of read-only mode, for the command named `command` (its
    // menu row's or button's name): true, after one message, when refused.
    bool refuses(QWidget* parent, const QString& command) const;
    // The window title as this mode shows it.
    QString title(const QString& title) const;

private:
    QString folder_;
    FolderLock lock_;
    bool read_only_ = false;
};

// Whether the command named so writes a file or changes what a save writes.
bool command_writes(const QString& command);

// The question of a second program: who holds the folder and since when.
QString held_folder_text(const LockHolder& holder, const QString& folder);

// Asked when a save finds its file changed on the disk since it was read.
// `may_load`: the caller can load the version on the disk instead (the main
// window's save); otherwise the user is told and this version is saved.
DiskChoice ask_about_disk_change(QWidget* parent, const QString& path, const QString& kept,
                                 bool may_load);

// Tells of sync tools' conflict copies of the open month and the settings
// files, naming them and their folder; nothing when there are none.
void report_sync_conflicts(QWidget* parent, const Ledger& ledger);

} // namespace kanvelo
