#pragma once

#include "ledger/backup.h"
#include "ledger/file_error.h"

#include <QString>

// What the restore window shows of a kept copy of a month file.
namespace kanvelo {

struct CopySummary {
    bool missing = false; // the copy has gone since the list was made
    int kensu = 0;
    double syunyu = 0;  // income, the transfer category left out
    double sisyutu = 0; // expense, the same
    // Damage: what could be read is counted all the same.
    FileErrors problems;
};

// Reads the copy through the reader of other months' files.
CopySummary summarize_month_copy(const QString& path);

// "2004/03/14（日）"
QString copy_day_text(const BackupCopy& copy);
// "21:14", or empty when the time is not known.
QString copy_time_text(const BackupCopy& copy);
// Which save the copy was kept before: the day's first, or a restore.
QString copy_kind_text(const BackupCopy& copy);

} // namespace kanvelo
