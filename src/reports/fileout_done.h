#pragma once

#include <QString>

class QKeyEvent;
class QWidget;

namespace kanvelo {

struct Ledger;

// The end of a successful export: the message naming the file, with the
// offer to open the data folder in the file manager, since the per-user
// folder is hidden from most users.
void fileout_done(QWidget* parent, const Ledger& ledger, const QString& text);

// The message when an export file could not be written; the window stays open.
void fileout_failed(QWidget* parent, const QString& what, const QString& detail);

} // namespace kanvelo
