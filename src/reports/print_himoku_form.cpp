#include "reports/print_himoku_form.h"

#include "ledger/ledger.h"
#include "platform/grid.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

PrintHimokuForm::PrintHimokuForm(const Ledger& ledger, const Grid& grid2, QWidget* parent)
    : PrintForm(ledger, grid2,
                {u"print_himoku"_s, u"費目毎の収支を印刷します"_s, &print_himoku, &himoku_title, 7,
                 qMin(kHimokuCount, grid2.rows() - 1)},
                parent) {}

} // namespace kanvelo
