#pragma once

#include "ledger/cp932.h"
#include "ledger/file_error.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <optional>

// Every file of the program is text in code page 932 (Shift_JIS as Windows
// writes it), one value per line. Lines are written with CR LF; a reader ends a
// line at CR LF or at a lone CR.
namespace kanvelo {

struct LineFile {
    bool missing = false;    // nothing stands at the file's name
    bool unreadable = false; // something does but cannot be read (reported in errors)
    QStringList lines;
    FileErrors errors; // lines holding bytes that became markers
};

// Watch::Yes for a file the program loads and will save again: what the
// file looked like on the disk is remembered (disk_state.h), so that a save
// notices when someone else changed it since.
enum class Watch { No, Yes };
LineFile read_line_file(const QString& path, Watch watch = Watch::No);

// A whole file as it stands on the disk.
struct FileBytes {
    bool missing = false;
    qint64 modified_ns = 0;              // the modification time read with the bytes
    std::optional<FileError> unreadable; // it exists but could not be read
    QByteArray bytes;
};
FileBytes read_file_bytes(const QString& path);

// Splits raw bytes into lines at CR LF or a lone CR. A final line without a
// line end counts; a file ending with a line end has no empty last line.
QList<QByteArray> split_lines(const QByteArray& bytes);

// Replaces the file atomically with the lines, each ended by CR LF. Fails,
// naming the file and the line, when a line holds a character code page 932
// cannot store or a line break; the old file is then left whole.
WriteResult write_line_file(const QString& path, const QStringList& lines);

// The core of write_line_file for bytes that are ready: replaces the file
// atomically and durably (the new file is on the disk before it takes the old
// one's place, and the folder after). A failure names the file and says why
// in words for the user; the old file is then left whole. One of the files
// backup.h names is first copied to the day's backup folder.
WriteResult write_file_bytes(const QString& path, const QByteArray& bytes);
// The same without that copy: for the backup copies themselves. A file that
// is new gets `new_mode` when given, else 0600 inside the private folder and
// the umask's mode elsewhere; a file replaced keeps its mode.
WriteResult write_file_bytes_without_backup(const QString& path, const QByteArray& bytes,
                                            std::optional<QFile::Permissions> new_mode = {});

// Files created under this folder are readable by their owner alone (empty:
// none). The data folder, set at start.
void set_private_folder(const QString& folder);
// While set, every write under `folder` is refused with `why` (the program
// opened the folder read-only); empty switches it off.
void refuse_writes_under(const QString& folder, const QString& why);

// The mode of a copy of `original`: its owner's bits only, so that a copy is
// never more readable than the file it copies.
QFile::Permissions copy_mode(const QString& original);

// Makes `folder` (its parent must exist) with mode 0700 and syncs the parent,
// so that the new folder outlives a power cut. 0 when it exists or was made;
// otherwise the errno (ENOTDIR when something else stands at its name).
int make_folder_synced(const QString& folder);
// The same for a whole path: each missing folder along it is made 0700.
int make_path_synced(const QString& folder);

// Whether something stands at the path (through the memory files when set).
bool file_exists(const QString& path);

// Test and fuzzing seam: while set, every file read or written through here
// lives in this map (path -> bytes) instead of on the disk, so a test can run
// the real readers and writers thousands of times a second. nullptr: the disk.
using MemoryFiles = QHash<QString, QByteArray>;
void use_memory_files_for_tests(MemoryFiles* files);

// Test seam: make the n-th file operation from now fail with errno `err`
// (open, write, flush, sync, commit and the folder sync each count as one);
// 0 switches it off. A failed folder sync does not fail the save.
void fail_file_operation_for_tests(int nth, int err = EIO);
// Test seam: make the n-th file read from now fail with errno `err`, as if
// the file (when it exists) could not be read; 0 switches it off.
void fail_file_read_for_tests(int nth, int err = EIO);

} // namespace kanvelo
