#pragma once

#include "ledger/file_error.h"

#include <QByteArray>
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

LineFile read_line_file(const QString& path);

// A whole file as it stands on the disk.
struct FileBytes {
    bool missing = false;
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

// Bytes the code page cannot decode (damage, another program's bytes) are held
// as markers, one lone low surrogate U+DC00 + byte per byte, and written back
// as that byte, so a damaged file saves byte for byte as it was read. A code
// the code page holds twice reads as its character and is written back in
// the form Windows writes.

// Encodes text as code page 932, markers as their bytes. Returns nullopt when
// some character cannot be stored; `bad` then receives the first such one.
std::optional<QByteArray> encode_cp932(const QString& text, QString* bad = nullptr);
// Decodes one line; `ok` is false when some bytes became markers.
QString decode_cp932(const QByteArray& bytes, bool* ok = nullptr);

// The first character of `text` that code page 932 cannot store, or empty.
// Markers can be stored.
QString first_unstorable(const QString& text);

// The core of write_line_file for bytes that are ready: replaces the file
// atomically and durably (the new file is on the disk before it takes the old
// one's place, and the folder after). A failure names the file and says why
// in words for the user; the old file is then left whole. One of the files
// backup.h names is first copied to the day's backup folder.
WriteResult write_file_bytes(const QString& path, const QByteArray& bytes);
// The same without that copy: for the backup copies themselves.
WriteResult write_file_bytes_without_backup(const QString& path, const QByteArray& bytes);

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
