#pragma once

#include "platform/enter_dialog.h"

class QLabel;
class QPushButton;

namespace kanvelo {

struct Ledger;
class Spinner;

// "費目集計のファイル出力": the category totals of a span of months, read
// from their month files, to TOTAL.CSV in the data folder.
class FileoutForm : public EnterDialog {
    Q_OBJECT
public:
    explicit FileoutForm(Ledger& ledger, QWidget* parent = nullptr);

    // 出力: checks the period, reads the months and writes the file; closes
    // only when the file was written.
    void export_clicked();

private:
    void build();
    Spinner* add_spinner(const char* label_name, const char* name, int minimum, int maximum,
                         double left, double top, const QString& accessible_name);

    Ledger& ledger_;
    Spinner* start_year_ = nullptr;
    Spinner* start_month_ = nullptr;
    Spinner* end_year_ = nullptr;
    Spinner* end_month_ = nullptr;
};

} // namespace kanvelo
