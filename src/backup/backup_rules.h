#pragma once

#include "ledger/backup.h"

#include <QString>

// The texts the restore window shows of a kept copy.
namespace kanvelo {

// "2004/03/14（日）"
QString copy_day_text(const BackupCopy& copy);
// "21:14", or empty when the time is not known.
QString copy_time_text(const BackupCopy& copy);
// Which save the copy was kept before: the day's first, or a restore.
QString copy_kind_text(const BackupCopy& copy);

} // namespace kanvelo
