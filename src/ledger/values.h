#pragma once

#include <QString>
#include <optional>

// Values typed by the user or read from a file stay text; these functions turn
// them into numbers where arithmetic needs one, and numbers back into text.
namespace kanvelo {

// Strict conversion: blanks around the value, thousands separators in the
// integer part, a leading sign and one decimal point. Anything else (including
// empty text) is not a number.
std::optional<double> to_number(const QString& text);
bool is_number(const QString& text);

// Conversion for places that treat unconvertible text as zero.
double number_or_zero(const QString& text);

// Leading-number parse: skips leading blanks, then takes an optional sign,
// digits and one decimal point up to the first other character. Text without
// a leading number gives 0 ("12.5abc" gives 12.5, "1,000" gives 1).
double leading_number(const QString& text);

// A number formatted by one of the display patterns:
// "#,##0", "#,###", "#,##0.0", "0.0", "0.000", "00", "0000", "000000", "0000000".
// Halves are rounded away from zero; a value that rounds to zero shows no sign.
// A value that is not finite (a division by zero) is shown as zero.
QString format_number(double value, const QString& pattern);

// Formats a held value: text that converts is formatted as a number, other
// text is returned unchanged. The "@" patterns ("@@", "@@@@@@@@@@", ...) right-
// align the text in a field of that many characters.
QString format_value(const QString& text, const QString& pattern);

// The form in which a computed number is written to a file: a blank or "-",
// the digits, one trailing blank (" 5 ", "-1 ", " 0 ").
QString number_form(double value);

// Up to 15 significant digits, no separators, no exponent for ordinary values
// (10 / 3 gives "3.33333333333333").
QString plain_number(double value);

} // namespace kanvelo
