#pragma once

#include "ledger/file_error.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

// What each file the program loaded looked like on the disk, so that a save
// never replaces blindly a file someone else changed since: another program
// on the same folder, a sync tool bringing another computer's entries.
namespace kanvelo {

struct DiskState {
    qint64 size = -1;
    qint64 modified_ns = 0;
    QByteArray hash;
};

// After a read (with the modification time read with the bytes) or the
// program's own write: this is now the file as the program knows it.
void remember_disk_state(const QString& path, qint64 modified_ns, const QByteArray& bytes);
// After the program's own write of a file it watches (one backup.h keeps).
void remember_written(const QString& path, const QByteArray& bytes);
std::optional<DiskState> remembered_disk_state(const QString& path);
void forget_disk_states();

// True when the file is remembered and what stands on the disk now differs.
// Size and time decide at once; when either differs the bytes are hashed, so
// that a file merely touched is no change. A file removed is none either:
// writing over nothing loses nothing.
bool changed_on_disk(const QString& path);

// "<file>.conflict-yyyyMMdd-hhmmss", or with "-2", "-3", ... when a copy of
// that second exists already.
QString conflict_copy_path(const QString& path, const QDateTime& at);

enum class DiskChoice { KeepMine, LoadDisk };
// Asked when a save finds its file changed on the disk; `kept` is where the
// version on the disk was copied. nullptr (the default): keep mine.
using DiskChangeHandler = std::function<DiskChoice(const QString& path, const QString& kept)>;
void set_disk_change_handler(DiskChangeHandler handler);

// Called by write_file_bytes before it replaces `path`. When the file changed
// since it was read, the version on the disk is copied beside it first and
// the handler asked. An error stops the save: the copy could not be made, or
// the user chose the version on the disk (is_superseded).
WriteResult guard_disk_change(const QString& path);
bool is_superseded(const FileError& error);

} // namespace kanvelo
