#pragma once

#include "ledger/ledger.h"

#include <QString>
#include <array>

// The rules of the wallet settings window that need no widgets.
namespace kanvelo {

// The wallet names, to compare them before and after.
using SaifuNames = std::array<QString, kSaifuCount>;
SaifuNames copy_saifu_names(const Ledger& ledger);

// Names longer than this would show cut off in the wallet lists.
inline constexpr int kSaifuNameMax = 12;

// Why 変更 renames nothing: `row` is the list position chosen (-1: none).
enum class RenameRefusal { None, NoRow, Cash, EmptyName };
RenameRefusal rename_refusal(int row, const QString& new_name);
QString rename_message(RenameRefusal refusal);

} // namespace kanvelo
