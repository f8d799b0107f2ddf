#pragma once

#include "ledger/backup.h"
#include "platform/enter_dialog.h"

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;

namespace kanvelo {

struct Ledger;
class Grid;

// "バックアップから戻す": the kept copies of the open month's file, newest
// first, with the entries and totals of the selected one. 戻す asks, then
// closes with the copy chosen; the main window saves, restores and reloads.
class BackupForm : public EnterDialog {
    Q_OBJECT
public:
    // `copies` as backup_copies gives them; the caller has checked that there
    // is at least one.
    BackupForm(const Ledger& ledger, std::vector<BackupCopy> copies, QWidget* parent = nullptr);

    // The copy the user chose to restore; nullopt when the window was closed.
    const std::optional<BackupCopy>& chosen() const { return chosen_; }

    static constexpr double kWidth = 7200;
    static constexpr double kHeight = 5040;

private:
    void build();
    void show_selected();
    void modosu();
    const BackupCopy* selected() const;

    const Ledger& ledger_;
    const std::vector<BackupCopy> copies_;
    std::optional<BackupCopy> chosen_;

    Grid* grid_ = nullptr;
    QLineEdit* kensu_ = nullptr;
    QLineEdit* syunyu_ = nullptr;
    QLineEdit* sisyutu_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace kanvelo
