#pragma once

#include "ledger/ledger.h"
#include "ledger/recurring_file.h"

#include <QDate>
#include <optional>
#include <vector>

// Which templates fall in a month and which of them the month still lacks.
// Only reads: the ledger is not changed.
namespace kanvelo {

// The day the template falls on in the month (a day past the month's end is
// its last day), or nullopt when it is not due in that month.
std::optional<QDate> due_date(const RecurringTemplate& t, int nen, int tuki);

// The template as an entry on that date.
SyusiRec template_entry(const RecurringTemplate& t, const QDate& date);

struct DueEntry {
    int template_index = 0; // in the list given
    SyusiRec entry;
};

// The templates due in the ledger's open month that it does not hold yet:
// an entry with the same date, category, amount and description counts as
// recorded, each for one template only (two equal templates need two
// entries). In the order of the list.
std::vector<DueEntry> due_entries(const std::vector<RecurringTemplate>& templates,
                                  const Ledger& ledger);

} // namespace kanvelo
