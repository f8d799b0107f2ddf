#pragma once

#include <QString>
#include <optional>

// Amounts as banks and card companies write them in their statements.
namespace kanvelo {

struct StatementAmount {
    std::optional<long long> yen; // signed, whole yen; nullopt when empty or refused
    QString problem;              // why the cell cannot be read; empty when read or empty
    bool empty() const { return !yen && problem.isEmpty(); }
};

// "1,234", "\1,234", "￥1,234", "1,234円", full-width digits, negatives as
// "-1,234", "△1,234", "▲1,234" or "(1,234)". A fraction of zeros is whole
// yen; any other fraction, and 10^15 yen or more, cannot be read.
StatementAmount read_statement_amount(const QString& cell);

} // namespace kanvelo
