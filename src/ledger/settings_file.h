#pragma once

#include "ledger/month_file.h"

#include <QDate>

namespace kanvelo {

inline const QString kSettingsFile = QStringLiteral("kanvelo.ini");
inline const QString kWindowFile = QStringLiteral("kanvelo2.ini");

// kanvelo.ini: categories, the open month, wallets, tax rate. A missing file is
// reported as missing; a damaged one keeps what was read. One that exists but
// cannot be read is reported and marked, and settings_write then refuses to
// replace it.
ReadReport settings_read(Ledger& ledger);
WriteResult settings_write(const Ledger& ledger);
// Sets the default categories, wallets and tax rate in the ledger and writes
// them with `today`'s year and month as the open month.
WriteResult settings_create(Ledger& ledger, const QDate& today);

// What settings_create writes, set in the ledger only.
void set_default_settings(Ledger& ledger, const QDate& today);

// The default tables a new settings file starts from.
void set_default_categories(Ledger& ledger);
void set_default_wallets(Ledger& ledger, int count = 15);

// kanvelo2.ini: the main window's geometry in twips, its state and five spare
// values kept as read.
struct WindowGeometry {
    double height = 0;
    double width = 0;
    double top = 0;
    double left = 0;
    int state = 0;
};
ReadReport window_file_read(Ledger& ledger);
WriteResult window_file_write(const Ledger& ledger, const WindowGeometry& geometry);
// A new kanvelo2.ini with the geometry and five empty spare lines.
WriteResult window_file_create(const WindowGeometry& geometry, const QString& path);

} // namespace kanvelo
