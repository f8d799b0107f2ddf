// Any bytes as the rules file: reading never crashes, what is read writes,
// reads back as the same rules, layouts and kept lines, and saves unchanged.
#include "fuzz_support.h"
#include "ledger/category_rules_file.h"

using namespace kanvelo;
using namespace kanvelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    const QString path = folder.ledger.path(kRulesFile);
    folder.files.insert(path, input_bytes(data, size));
    const CategoryRulesRead first = read_category_rules(path);
    for (const CategoryRule& r : first.rules.rules)
        require(r.himoku_no >= 1 && r.himoku_no <= kHimokuCount && r.saifu_no >= -1 &&
                    r.saifu_no < kSaifuCount,
                "a rule names a category and a wallet that exist");
    require_written(write_category_rules(path, first.rules), "rules that were read can be written");
    const QByteArray written = folder.files.value(path);
    const CategoryRulesRead second = read_category_rules(path);
    require(second.rules == first.rules, "written rules read back the same");
    require_written(write_category_rules(path, second.rules), "rules read back can be written");
    require(folder.files.value(path) == written, "written rules save unchanged");
    return 0;
}
