#pragma once

#include <QDialog>

namespace kanvelo {

struct Ledger;

// "収支内容のファイル出力": the open month's entries, from memory, to the
// tab-separated ~yyyymm.tab in the data folder.
class Fileout2Form : public QDialog {
    Q_OBJECT
public:
    explicit Fileout2Form(Ledger& ledger, QWidget* parent = nullptr);

    // 出力: writes the file; closes only when it was written.
    void export_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Ledger& ledger_;
};

} // namespace kanvelo
