#pragma once

#include "reports/print_form.h"

namespace kanvelo {

// "費目毎の収支を印刷します": the category grid's 30 rows with their budget
// columns.
class PrintHimokuForm : public PrintForm {
    Q_OBJECT
public:
    PrintHimokuForm(const Ledger& ledger, const Grid& grid2, QWidget* parent = nullptr);
};

} // namespace kanvelo
