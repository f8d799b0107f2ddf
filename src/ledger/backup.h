#pragma once

#include "ledger/file_error.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Copies of the program's files kept without asking. Before a save replaces
// a month file, kanvelo.ini, kanvelo2.ini, a diary file or 資産/sisan.dat,
// the file as it stands is copied to <data folder>/backup/yyyy-MM-dd/ under
// its own name, unless that day's folder already holds it: the day's copy is
// the file as it was before the day's first save. Days beyond the newest
// kBackupDays are removed, oldest first, after a new copy is written: only
// the copies in them and then the emptied folder. Links are never followed;
// a linked day folder, or a linked backup/ folder, is left as it is.
//
// write_file_bytes (line_file.h) makes the copy, so every saver is covered.
// A copy that cannot be made never stops the save; the reporter hears of the
// first such failure. Files held in memory for tests and fuzzing get no copies.
namespace kanvelo {

inline constexpr int kBackupDays = 30;
inline const QString kBackupFolder = QStringLiteral("backup");

// The data folder whose backups keep `path` (ending with '/'), or empty when
// the file is not one that is kept (exports, memo files, a damaged month's
// copy, the copies themselves).
QString backup_data_folder(const QString& path);

// <data folder>/backup/yyyy-MM-dd/
QString backup_day_folder(const QString& data_folder, const QDate& day);

// Called from write_file_bytes before it replaces `path`; the error names the
// copy that could not be made and the cause.
WriteResult keep_backup_before_replacing(const QString& path);

// The reporter hears of the first backup that could not be made since it was
// set (nullptr: nobody listens).
void set_backup_failure_reporter(std::function<void(const FileError&)> reporter);
void report_backup_failure(const FileError& error);

// The day folders under <data folder>/backup/, oldest first.
QStringList backup_days(const QString& data_folder);

// One kept copy of a file. A restore on a day that already holds a copy keeps
// the file under the next free number: "~200403.dat.2", ".3", ...
struct BackupCopy {
    QDate day;
    int number = 1;
    QString path;
    QDateTime written; // when the copy was made (invalid when unknown)
};

// Every kept copy of the file at `path`, newest first: the latest day first,
// and within a day the latest number. Empty for a file that is not kept.
std::vector<BackupCopy> backup_copies(const QString& path);

// Puts the bytes of the copy back at `target`. The file as it stands is kept
// first in today's folder, under the next free number when that folder holds
// a copy already, so that a restore can itself be undone; both writes are
// atomic. Nothing changes when either fails; the error names the file.
WriteResult restore_backup(const BackupCopy& copy, const QString& target);

} // namespace kanvelo
