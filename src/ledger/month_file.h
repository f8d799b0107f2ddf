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
// that month_file_write refuses to replace it. A month read with problems
// sets damaged_copy_name for the first save (see month_file_save).
ReadReport month_file_read(Ledger& ledger);

// Replaces the month file of nen/tuki with the ledger's month. Refuses to
// replace a file that could not be read. Makes no copy of a damaged month:
// saves from the windows go through month_file_save.
WriteResult month_file_write(const Ledger& ledger);

// The save of the month: refuses like month_file_write, and when the month
// loaded with problems, first keeps the file as it stands under
// damaged_copy_name (the save stops if that copy cannot be made). The copy is
// made once; later saves just write.
WriteResult month_file_save(Ledger& ledger);

// "<month file>.damaged", or with 2, 3, ... after it: the first name that no
// file holds yet, so that an earlier copy is never overwritten.
QString damaged_copy_path(const QString& month_path);

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
