#pragma once

#include "common/date_row.h"
#include "platform/enter_dialog.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace kanvelo {

struct Ledger;
class Grid;
class Spinner;

// "財布・口座間でのお金の移動": moves money between wallets and accounts as a
// pair of entries in the transfer category, and stays open for the next
// transfer until 終了.
class SaifuForm : public EnterDialog {
    Q_OBJECT
public:
    explicit SaifuForm(Ledger& ledger, QWidget* parent = nullptr);

    // OK: records the transfer on screen, or says why not.
    void ok_clicked();

Q_SIGNALS:
    // The ledger has just added an entry at kensu; sent once per entry, so
    // that the main window can show it before the next one is added.
    void entry_added();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class DatePart { Year, Month, Day };

    void build();
    void build_grid();
    void connect_controls();
    void open_window();
    void show_balances();

    // Spinners and the boxes beside them.
    void spinner_changed();
    void box_edited(DatePart part);
    void keep_day_in_month();
    void set_day(int hi);

    bool key_filter(QObject* watched, QKeyEvent* event);
    bool kingaku_key(QKeyEvent* event);

    Ledger& ledger_;
    bool adjusting_ = false;

    DateRow date_{};
    QComboBox* moto_ = nullptr;
    QComboBox* saki_ = nullptr;
    QLineEdit* kingaku_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* end_ = nullptr;
    Grid* grid_ = nullptr;
};

} // namespace kanvelo
