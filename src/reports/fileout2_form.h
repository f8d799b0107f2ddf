#pragma once

#include "platform/enter_dialog.h"

namespace kanvelo {

struct Ledger;

// "収支内容のファイル出力": the open month's entries, from memory, to the
// tab-separated ~yyyymm.tab in the data folder.
class Fileout2Form : public EnterDialog {
    Q_OBJECT
public:
    explicit Fileout2Form(Ledger& ledger, QWidget* parent = nullptr);

    // 出力: writes the file; closes only when it was written.
    void export_clicked();

private:
    Ledger& ledger_;
};

} // namespace kanvelo
