// Any bytes as kanvelo.ini: reading never crashes, and what a save writes
// reads back and saves unchanged.
#include "fuzz_support.h"

using namespace kanvelo;
using namespace kanvelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    const QString path = folder.ledger.path(kSettingsFile);
    folder.files.insert(path, input_bytes(data, size));

    settings_read(folder.ledger);
    require_written(settings_write(folder.ledger), "settings that were read can be written");
    const QByteArray written = folder.files.value(path);

    Ledger& second = folder.second;
    settings_read(second);
    require_written(settings_write(second), "saved settings can be written again");
    require(folder.files.value(path) == written, "saved settings save unchanged");
    return 0;
}
