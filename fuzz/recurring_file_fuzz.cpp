// Any bytes as the templates file: reading never crashes, every template read
// is one the month opening can use, the due check never fails on it, and a
// save reads back as it was and saves unchanged.
#include "fuzz_support.h"
#include "ledger/recurring_due.h"
#include "ledger/recurring_file.h"

using namespace kanvelo;
using namespace kanvelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    const QString path = folder.ledger.path(kRecurringFile);
    folder.files.insert(path, input_bytes(data, size));

    const RecurringRead first = read_recurring(path);
    for (const RecurringTemplate& t : first.file.templates) {
        require(t.day >= 0 && t.day <= 31, "day 1..31 or the month's end");
        require(t.himoku_no >= 1 && t.himoku_no <= kHimokuCount, "category 1..30");
        require(t.saifu_no >= 0 && t.saifu_no < kSaifuCount, "wallet 0..14");
        require(t.every >= 1 && t.from_tuki >= 1 && t.from_tuki <= 12, "repeat in range");
        const auto due = due_date(t, 2004, 2);
        require(!due || (due->month() == 2 && due->day() <= 29), "due in its month");
    }
    due_entries(first.file.templates, folder.ledger);

    require_written(write_recurring(path, first.file), "a templates file can be written");
    const QByteArray written = folder.files.value(path);
    const RecurringRead second = read_recurring(path);
    require(second.file == first.file, "the templates read back as they were written");
    require_written(write_recurring(path, second.file), "written again");
    require(folder.files.value(path) == written, "a saved templates file saves unchanged");
    return 0;
}
