#pragma once

#include "reports/print_form.h"

namespace kanvelo {

// "毎日の収支を印刷します": the month's entries as the entries grid shows them,
// in its order.
class PrintMainichiForm : public PrintForm {
    Q_OBJECT
public:
    PrintMainichiForm(const Ledger& ledger, const Grid& grid1, QWidget* parent = nullptr);
};

} // namespace kanvelo
