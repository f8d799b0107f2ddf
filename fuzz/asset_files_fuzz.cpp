// Any bytes as the asset list and as a memo file: reading never crashes, a
// list that opens saves back unchanged, and a memo that shows reads back as
// shown after it is written.
#include "fuzz_support.h"
#include "ledger/asset_file.h"

#include <QTemporaryDir>

using namespace kanvelo;
using namespace kanvelo::fuzz;

namespace {

// The asset folder itself is made on the disk, once; the files live in memory.
const QString& app_path() {
    static QTemporaryDir dir;
    static const QString path = dir.path() + u'/';
    return path;
}

void list_round_trip(MemoryFolder& folder, const QByteArray& bytes) {
    const QString path = asset_list_path(app_path());
    folder.files.insert(path, bytes);
    const AssetLoad first = asset_list_load(app_path());
    if (first.error)
        return;
    require(first.list.last_memo_no >= 0 && first.list.last_memo_no <= kMemoNoMax,
            "last memo number in range");
    for (const SisanRec& s : first.list.sisan) {
        require(s.memo_no >= 1 && s.memo_no <= first.list.last_memo_no, "memo number in range");
        require(memo_path(app_path(), s.memo_no).startsWith(asset_folder(app_path())),
                "a memo stays in the asset folder");
    }
    require_written(asset_list_save(app_path(), first.list), "an asset list can be written");
    const QByteArray written = folder.files.value(path);
    const AssetLoad second = asset_list_load(app_path());
    require(!second.error, "a saved asset list opens");
    require(second.list.sisan.size() == first.list.sisan.size(), "every asset is kept");
    require_written(asset_list_save(app_path(), second.list), "written again");
    require(folder.files.value(path) == written, "a saved asset list saves unchanged");
}

void memo_round_trip(MemoryFolder& folder, const QByteArray& bytes) {
    const QString path = memo_path(app_path(), 1);
    folder.files.insert(path, bytes);
    const MemoRead shown = memo_read(path);
    if (shown.status != MemoRead::Status::Shown)
        return;
    require_written(memo_write(path, shown.text), "a shown memo can be written");
    const MemoRead again = memo_read(path);
    require(again.status == MemoRead::Status::Shown && again.text == shown.text,
            "a written memo shows as it was");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    const QByteArray bytes = input_bytes(data, size);
    list_round_trip(folder, bytes);
    memo_round_trip(folder, bytes);
    return 0;
}
