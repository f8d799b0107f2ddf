// Any bytes as a month file: reading never crashes, the totals the reader
// keeps are those of a recount, and what a save writes reads back and saves
// unchanged. (A first save may change a month: amounts are written rounded to
// whole yen.)
#include "fuzz_support.h"
#include "ledger/month_file.h"

using namespace kanvelo;
using namespace kanvelo::fuzz;

namespace {

bool same_derived(const Ledger& a, const Ledger& b) {
    if (a.kensu != b.kensu || a.syunyu_goukei != b.syunyu_goukei ||
        a.sisyutu_goukei != b.sisyutu_goukei || a.yosan_syunyu_goukei != b.yosan_syunyu_goukei ||
        a.yosan_sisyutu_goukei != b.yosan_sisyutu_goukei)
        return false;
    for (int c = 0; c < kHimokuCount; ++c)
        if (a.himoku[c].jisseki != b.himoku[c].jisseki)
            return false;
    for (int w = 0; w < kSaifuCount; ++w)
        if (a.saifu[w].zankin != b.saifu[w].zankin)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    Ledger& first = *folder.ledger;
    const QString path = first.month_file_path();
    folder.files.insert(path, input_bytes(data, size));

    month_file_read(first);
    require(first.kensu >= 0 && first.kensu <= kSyusiLimit, "entry count in range");
    // The totals the reader kept are those of a recount from scratch.
    Ledger recount = first;
    recount.recompute();
    require(same_derived(first, recount), "read totals equal a recount");

    require_written(month_file_write(first), "a month that was read can be written");
    const QByteArray written = folder.files.value(path);

    auto second = MemoryFolder::fresh_ledger();
    month_file_read(*second);
    Ledger second_recount = *second;
    second_recount.recompute();
    require(same_derived(*second, second_recount), "saved totals equal a recount");
    require_written(month_file_write(*second), "a saved month can be written again");
    require(folder.files.value(path) == written, "a saved month saves unchanged");
    return 0;
}
