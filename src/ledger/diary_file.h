#pragma once

#include "ledger/month_file.h"

#include <QDate>

namespace kanvelo {

// "日記" + yyyy + ".dat": 366 lines, one note a day from 1 January.
QString diary_file_name(const Ledger& ledger, const QString& year);

// Reads the year's notes into nikki[0..365], creating the file with 366 empty
// lines when it is missing. A short file leaves the missing days empty and is
// reported; `create_error` receives a failure to create the file. A file that
// exists but cannot be read leaves every day empty, is reported and is marked
// so that diary_save refuses to replace it until it has been read.
ReadReport diary_load(Ledger& ledger, const QString& year, WriteResult* create_error = nullptr);

// Writes nikki[0..365] to the year's file. A line break inside a note would
// shift every later day, so it is stored as a blank.
WriteResult diary_save(const Ledger& ledger, const QString& year);

// Days from 1 January of the date's year: 0..365.
int diary_day_index(const QDate& date);

} // namespace kanvelo
