#pragma once

#include "ledger/file_error.h"
#include "ledger/ledger.h"

namespace kanvelo {

// "~" + nen + tuki + ".dat" in the ledger's folder.
QString month_file_name(const Ledger& ledger, const QString& nen, const QString& tuki);

// Fills the ledger from the month file of nen/tuki. The categories and wallets
// must already hold the settings file's copies: a damaged file keeps what it
// read and leaves the rest as it was, and the report names file and line. A
// file that exists but cannot be read leaves an empty month and is marked, so
// that month_file_write refuses to replace it.
ReadReport month_file_read(Ledger& ledger);

// Replaces the month file of nen/tuki with the ledger's month.
WriteResult month_file_write(const Ledger& ledger);

// Writes a new month file from the ledger's categories and wallets, with every
// budget 0, empty comments and no entries.
WriteResult month_file_create(Ledger& ledger);

class LineCursor;
// The wallet section of the month and settings files: `count` two-line blocks;
// the slots after them are named "その他". False when the file ended inside.
bool read_wallets(Ledger& ledger, LineCursor& in, int count, FileErrors& errors);

// The lines month_file_write would write (for tests and benchmarks).
QStringList month_file_lines(const Ledger& ledger);

} // namespace kanvelo
