#pragma once

#include "ledger/ledger.h"

#include <QString>
#include <QStringList>
#include <array>

// The rules of the category settings window that need no widgets.
namespace kanvelo {

// What 変更取消 puts back: the categories as they were when the window opened.
struct HimokuCopy {
    struct Fields {
        QString no, name, yosan_kingaku, kubun;
    };
    std::array<Fields, kHimokuCount> slots;
};
HimokuCopy copy_himoku(const Ledger& ledger);
void restore_himoku(Ledger& ledger, const HimokuCopy& copy);

// Why 変更 changes nothing once the number passed its check; empty when the
// change may be made.
QString change_refusal(int slot, const QString& new_name);

// Names longer than this would show cut off where a whole name is shown.
inline constexpr int kHimokuNameMax = 12;

// The change itself: the name, and the kind (income or expense).
void change_himoku(Ledger& ledger, int slot, const QString& name, bool income);

} // namespace kanvelo
