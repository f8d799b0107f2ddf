#pragma once

#include <QString>
#include <QStringList>

// Sync tools (Syncthing, Nextcloud/ownCloud, Dropbox) keep both versions when
// two computers change one file: the other version under a name of their own
// beside it. The program reads none of them (search, charts and exports go by
// the program's own names); the user is told they are there.
namespace kanvelo {

// Whether `name` is a sync tool's conflict copy of the file named `original`:
//   ~202612.sync-conflict-20261208-101010-ABCDEFG.dat       (Syncthing)
//   ~202612 (conflicted copy 2026-12-08 101010).dat          (Nextcloud, ownCloud)
//   ~202612 (Hanako's conflicted copy 2026-12-08).dat        (Dropbox)
bool is_sync_conflict_copy(const QString& name, const QString& original);

// The conflict copies in `folder` of any of the `originals`, sorted by name.
QStringList sync_conflict_copies(const QString& folder, const QStringList& originals);

} // namespace kanvelo
