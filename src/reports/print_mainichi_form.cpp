#include "reports/print_mainichi_form.h"

#include "ledger/ledger.h"
#include "platform/grid.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

PrintMainichiForm::PrintMainichiForm(const Ledger& ledger, const Grid& grid1, QWidget* parent)
    : PrintForm(ledger, grid1,
                {u"print_mainichi"_s, u"毎日の収支を印刷します"_s, &print_mainichi, &mainichi_title,
                 4, qMin(ledger.kensu, grid1.rows() - 1)},
                parent) {}

} // namespace kanvelo
