#pragma once

class QLineEdit;
class QWidget;

namespace kanvelo {

struct Ledger;

// The carry-over: after telling the user what it does, computes the closing
// balance of `wallet` (an index 0..14) in the month before the open one and
// writes it, formatted "#,##0", into `kingaku`, and "【繰越】" + the wallet's
// name into `tekiyo`. A missing or old-format file, or a damaged one, is
// reported and leaves both boxes unchanged. Returns true when they were set.
bool kurikosi(QWidget* parent, Ledger& ledger, int wallet, QLineEdit* kingaku, QLineEdit* tekiyo);

} // namespace kanvelo
