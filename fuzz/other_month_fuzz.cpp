// Any bytes as another month's file, as the carry-over, the budget window and
// the export read it: never a crash, never an index out of its table, and the
// same answer every time.
#include "fuzz_support.h"
#include "ledger/guards.h"
#include "ledger/other_month.h"

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    const QString path = kFolder + u"~200402.dat"_s;
    folder.files.insert(path, input_bytes(data, size));

    const OtherMonth a = read_other_month(path);
    const OtherMonth b = read_other_month(path);
    require(a.syusi.size() == b.syusi.size() && a.errors.size() == b.errors.size(),
            "the same file reads the same");
    for (const SyusiRec& s : a.syusi) {
        if (auto c = himoku_slot(s.himoku_no))
            require(*c >= 0 && *c < kHimokuCount, "category slot in range");
        if (auto w = saifu_slot(s.saifu_no))
            require(*w >= 0 && *w < kSaifuCount, "wallet slot in range");
    }
    // The carry-over, for the cash wallet and the last account.
    for (int w : {0, kSaifuCount - 1})
        carry_over_balance(folder.ledger, w);
    return 0;
}
