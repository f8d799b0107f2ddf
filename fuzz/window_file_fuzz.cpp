// Any bytes as kanvelo2.ini: reading never crashes, every value is usable as
// a window geometry, and the spare lines survive a save.
#include "fuzz_support.h"

#include <cmath>

using namespace kanvelo;
using namespace kanvelo::fuzz;

namespace {

WindowGeometry geometry_of(const Ledger& l) {
    return {l.win_height, l.win_width, l.win_top, l.win_left, l.win_state};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    Ledger& l = folder.ledger;
    const QString path = l.path(kWindowFile);
    folder.files.insert(path, input_bytes(data, size));

    window_file_read(l);
    for (double v : {l.win_height, l.win_width, l.win_top, l.win_left})
        require(std::isfinite(v) && std::fabs(v) <= 1e7, "geometry fits a screen");
    require(l.win_state >= 0 && l.win_state <= 2, "window state 0..2");

    require_written(window_file_write(l, geometry_of(l)), "a window file can be written");
    const QByteArray written = folder.files.value(path);
    Ledger& second = folder.second;
    window_file_read(second);
    require_written(window_file_write(second, geometry_of(second)), "written again");
    require(folder.files.value(path) == written, "a saved window file saves unchanged");
    return 0;
}
