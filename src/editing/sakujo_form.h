#pragma once

#include "platform/enter_dialog.h"

namespace kanvelo {

struct Ledger;

// "収支データの削除": shows one entry and deletes it when the user agrees.
class SakujoForm : public EnterDialog {
    Q_OBJECT
public:
    // `entry` is 1..kensu; the launcher has checked it. The window deletes
    // this entry, the one it shows, whatever is selected by then.
    SakujoForm(Ledger& ledger, int entry, QWidget* parent = nullptr);

    bool deleted() const { return deleted_; }

    static constexpr double kWidth = 5400;
    static constexpr double kHeight = 3660;

private:
    void build();
    void sakujo();

    Ledger& ledger_;
    const int entry_;
    bool deleted_ = false;
};

} // namespace kanvelo
