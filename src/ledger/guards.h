#pragma once

#include <QString>
#include <optional>

// Checks every number taken from a file or from typing before it becomes an
// index or an amount: a value outside its range is refused here, once, instead
// of being cast to an integer or counted in a total somewhere later.
namespace kanvelo {

// Amounts from this size on cannot be summed exactly by the totals (1000
// entries of them would pass 2^53), so they count as nothing.
inline constexpr double kAmountLimit = 1e15;

// A whole number lo..hi (blanks and separators as to_number allows); "2.5",
// empty text, words and numbers out of range give nullopt.
std::optional<int> whole_number_in(const QString& text, int lo, int hi);

// Any number lo..hi, for values that need not be whole (window geometry).
std::optional<double> number_in(const QString& text, double lo, double hi);

// A category number 1..30 as its slot 0..29.
std::optional<int> himoku_slot(const QString& himoku_no);

// A wallet number 0..14, which is also its slot.
std::optional<int> saifu_slot(const QString& saifu_no);

// An amount (or a budget) whose size the totals hold exactly.
std::optional<double> amount_value(const QString& kingaku);
// Why amount_value refused an amount, for a report naming file and line.
QString amount_problem(const QString& kingaku);

} // namespace kanvelo
