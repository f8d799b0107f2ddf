#pragma once

#include "ledger/file_error.h"
#include "ledger/ledger.h"

#include <QDate>

namespace kanvelo {

// Loads kanvelo.ini and the month it records, creating either file when it is
// missing (a new settings file opens the month of `today`). A file that exists
// but cannot be read is never created anew: it is reported and marked so that
// saves leave it alone. Every problem is returned; loading goes on with
// whatever could be read.
FileErrors ledger_load(Ledger& ledger, const QDate& today);

// A save: kanvelo.ini, then the month file (month_file_save, which keeps a
// damaged month first). Stops at the first file that fails.
WriteResult ledger_save_month(Ledger& ledger);

} // namespace kanvelo
