#include "ledger/guards.h"

#include "ledger/ledger.h"
#include "ledger/values.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace kanvelo {

std::optional<int> whole_number_in(const QString& text, int lo, int hi) {
    const auto v = to_number(text);
    // Compared as doubles first: a cast of 99999999999 to int would be undefined.
    if (!v || *v < lo || *v > hi || *v != std::floor(*v))
        return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<double> number_in(const QString& text, double lo, double hi) {
    const auto v = to_number(text);
    if (!v || !(*v >= lo && *v <= hi))
        return std::nullopt;
    return v;
}

std::optional<int> himoku_slot(const QString& himoku_no) {
    const auto n = whole_number_in(himoku_no, 1, kHimokuCount);
    if (!n)
        return std::nullopt;
    return *n - 1;
}

std::optional<int> saifu_slot(const QString& saifu_no) {
    return whole_number_in(saifu_no, 0, kSaifuCount - 1);
}

std::optional<double> amount_value(const QString& kingaku) {
    const auto v = to_number(kingaku);
    if (!v || !std::isfinite(*v) || std::fabs(*v) >= kAmountLimit)
        return std::nullopt;
    return v;
}

QString amount_problem(const QString& kingaku) {
    if (is_number(kingaku))
        return u"金額「%1」が大きすぎます"_s.arg(kingaku);
    return u"金額「%1」が数字ではありません"_s.arg(kingaku);
}

} // namespace kanvelo
