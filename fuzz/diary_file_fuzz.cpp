// Any bytes as a year's diary: reading never crashes, and the notes a save
// writes read back and save unchanged.
#include "fuzz_support.h"
#include "ledger/diary_file.h"

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    const QString year = u"2004"_s;
    const QString path = diary_file_name(folder.ledger, year);
    folder.files.insert(path, input_bytes(data, size));

    diary_load(folder.ledger, year);
    require_written(diary_save(folder.ledger, year), "notes that were read can be written");
    const QByteArray written = folder.files.value(path);

    Ledger& second = folder.second;
    diary_load(second, year);
    for (int d = 0; d < kNikkiSlots; ++d)
        require(second.nikki[d] == folder.ledger.nikki[d], "notes survive a save");
    require_written(diary_save(second, year), "saved notes can be written again");
    require(folder.files.value(path) == written, "saved notes save unchanged");
    return 0;
}
