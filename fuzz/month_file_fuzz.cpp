// Any bytes as a month file: reading never crashes, the totals the reader
// keeps are those of a recount, and what a save writes reads back and saves
// unchanged. (A first save may change a month: amounts are written rounded to
// whole yen.)
#include "fuzz_support.h"
#include "ledger/month_file.h"

#include <array>

using namespace kanvelo;
using namespace kanvelo::fuzz;

namespace {

// The derived values of a ledger, to compare with a recount from scratch.
struct Derived {
    int kensu;
    double syunyu, sisyutu, yosan_syunyu, yosan_sisyutu;
    std::array<double, kHimokuCount> jisseki;
    std::array<double, kSaifuCount> zankin;

    explicit Derived(const Ledger& l)
        : kensu(l.kensu), syunyu(l.syunyu_goukei), sisyutu(l.sisyutu_goukei),
          yosan_syunyu(l.yosan_syunyu_goukei), yosan_sisyutu(l.yosan_sisyutu_goukei) {
        for (int c = 0; c < kHimokuCount; ++c)
            jisseki[c] = l.himoku[c].jisseki;
        for (int w = 0; w < kSaifuCount; ++w)
            zankin[w] = l.saifu[w].zankin;
    }
    bool operator==(const Derived&) const = default;
};

// The totals a reader kept are those of a recount from scratch.
bool totals_agree_with_a_recount(Ledger& l) {
    const Derived kept(l);
    l.recompute();
    return Derived(l) == kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    Ledger& first = folder.ledger;
    const QString path = first.month_file_path();
    folder.files.insert(path, input_bytes(data, size));

    month_file_read(first);
    require(first.kensu >= 0 && first.kensu <= kSyusiLimit, "entry count in range");
    require(totals_agree_with_a_recount(first), "read totals equal a recount");

    require_written(month_file_write(first), "a month that was read can be written");
    const QByteArray written = folder.files.value(path);

    // The saved file is of the current layout, so it reads the same into
    // any ledger: the one at hand will do.
    month_file_read(first);
    require(totals_agree_with_a_recount(first), "saved totals equal a recount");
    require_written(month_file_write(first), "a saved month can be written again");
    require(folder.files.value(path) == written, "a saved month saves unchanged");
    return 0;
}
