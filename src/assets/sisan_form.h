#pragma once

#include "ledger/asset_file.h"
#include "platform/enter_dialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kanvelo {

class Grid;

// "資産管理": the asset list with amounts, dates and a memo per asset. Memo
// files are written and deleted at once; the list is written when the window
// closes, by 終了 or by its close box alike, so that the two always agree.
class SisanForm : public EnterDialog {
    Q_OBJECT
public:
    // `list` as asset_list_load read it from the folder of `app_path`.
    SisanForm(QString app_path, AssetList list, QWidget* parent = nullptr);

    const AssetList& list() const { return list_; }

    void grid_clicked();
    void add_update_clicked();  // 追加/更新
    void delete_clicked();      // 削除
    void move_clicked(bool up); // ↑ 上へ / ↓ 下へ
    // 終了: writes the list and closes; when it cannot be written the user
    // chooses to stay or to close without it.
    void finish();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void fill_grid();
    void show_row(int r);
    void show_total();
    void clear_boxes();
    void say(const QString& text);
    // The grid's current row when the user chose it (a click, the arrow keys
    // in the grid, or adding or moving the asset), else 0: the grid always
    // has a current row, and one the user never chose is not a choice.
    int chosen_row() const;
    void add_asset(const QString& name, const QString& kingaku, const QString& memo);
    void update_assets(const std::vector<int>& rows, const QString& kingaku, const QString& memo);

    QString app_path_;
    AssetList list_;
    // The memo number of the asset whose memo the memo box shows (0: none).
    // Only that memo is written by 追加/更新, so that no memo is replaced
    // unseen.
    int memo_owner_ = 0;
    bool chosen_ = false;

    Grid* grid_ = nullptr;
    QLabel* total_ = nullptr;
    QLineEdit* name_ = nullptr;      // Text2
    QLineEdit* amount_ = nullptr;    // Text3
    QPlainTextEdit* memo_ = nullptr; // Text1
};

// Opens the asset list in its window; when the list cannot be read or made,
// a message names the file and nothing is opened or written.
void show_sisan_form(QWidget* parent, const QString& app_path);

} // namespace kanvelo
