#pragma once

#include "ledger/ledger.h"
#include "ledger/settings_file.h"

#include <QString>

namespace kanvelo::testing {

// One of the two months the save loop alternates between: 1000 entries whose
// descriptions name the version, so that the two files differ throughout.
inline void fill_loop_month(Ledger& l, const QString& folder, char version) {
    set_default_categories(l);
    set_default_wallets(l);
    l.app_path = folder;
    l.nen = QStringLiteral("2004");
    l.tuki = QStringLiteral("03");
    l.ini_header = kSignature;
    l.dat_header = kSignature;
    l.ledger_reset_month();
    for (int i = 1; i <= kSyusiLimit; ++i)
        l.add_entry(
            {QStringLiteral("200403%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
             QString::number(2 + i % 28), QString::number(100 + i * 7),
             QStringLiteral("%1 スーパーで食料品 %2").arg(QChar::fromLatin1(version)).arg(i),
             QString::number(i % 15)});
}

} // namespace kanvelo::testing
