#pragma once

#include <QList>

class QPagedPaintDevice;

namespace kanvelo {

struct NenkanTable;

// The year table on paper: landscape, the title and the header on every page,
// every column on the page (the type shrinks until the widest row fits).
// Returns the number of pages, 0 when the device could not be painted on.
int print_nenkan(QPagedPaintDevice& device, const NenkanTable& table);

// The first row on each page when a page holds `rows_per_page` rows below its
// header; at least one row a page, and one page for no rows.
QList<int> nenkan_page_starts(int rows, int rows_per_page);

} // namespace kanvelo
