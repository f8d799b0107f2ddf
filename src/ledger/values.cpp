#include "ledger/values.h"

#include <QStringList>

#include <cmath>
#include <cstdio>

namespace kanvelo {

namespace {

bool is_blank(QChar c) { return c == u' ' || c == u'\t'; }

// Decimal digits of |value| rounded half away from zero to `decimals` places,
// using the 15 significant digits a double holds, so that 2.675 rounds to 2.68
// as a user expects.
QString rounded_digits(double value, int decimals, bool* negative) {
    *negative = value < 0;
    double a = std::fabs(value);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", a);
    // buf: d.dddddddddddddde[+-]xx
    QString mant;
    int exp = 0;
    {
        QString s = QString::fromLatin1(buf);
        int e = s.indexOf(u'e');
        mant = s.left(e);
        mant.remove(u'.');
        exp = s.mid(e + 1).toInt();
    }
    // Value = 0.mant * 10^(exp+1). Build the integer string of value * 10^decimals.
    int point = exp + 1 + decimals; // digits before the rounding position
    QString digits;
    if (point <= 0) {
        // Everything is below the rounding position.
        bool up = point == 0 && mant.at(0).digitValue() >= 5;
        digits = up ? QStringLiteral("1") : QStringLiteral("0");
    } else if (point >= mant.size()) {
        digits = mant + QString(point - mant.size(), u'0');
    } else {
        digits = mant.left(point);
        if (mant.at(point).digitValue() >= 5) {
            int i = digits.size() - 1;
            while (i >= 0 && digits.at(i) == u'9') {
                digits[i] = u'0';
                --i;
            }
            if (i < 0)
                digits.prepend(u'1');
            else
                digits[i] = QChar(u'0' + digits.at(i).digitValue() + 1);
        }
    }
    while (digits.size() > 1 && digits.at(0) == u'0')
        digits.remove(0, 1);
    if (digits.size() <= decimals)
        digits = QString(decimals + 1 - digits.size(), u'0') + digits;
    bool all_zero = true;
    for (QChar c : digits)
        if (c != u'0')
            all_zero = false;
    if (all_zero)
        *negative = false;
    return digits;
}

QString group_thousands(const QString& int_part) {
    QString out;
    int n = int_part.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += int_part.at(i);
    }
    return out;
}

} // namespace

std::optional<double> to_number(const QString& text) {
    int b = 0, e = text.size();
    while (b < e && is_blank(text.at(b)))
        ++b;
    while (e > b && is_blank(text.at(e - 1)))
        --e;
    if (b == e)
        return std::nullopt;
    QString clean;
    int i = b;
    if (text.at(i) == u'-' || text.at(i) == u'+')
        clean += text.at(i++);
    bool seen_digit = false, seen_point = false;
    for (; i < e; ++i) {
        QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            clean += c;
            seen_digit = true;
        } else if (c == u',' && seen_digit && !seen_point) {
            continue;
        } else if (c == u'.' && !seen_point) {
            clean += c;
            seen_point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seen_digit)
        return std::nullopt;
    bool ok = false;
    double v = clean.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

bool is_number(const QString& text) { return to_number(text).has_value(); }

double number_or_zero(const QString& text) { return to_number(text).value_or(0.0); }

double leading_number(const QString& text) {
    int i = 0, n = text.size();
    while (i < n && is_blank(text.at(i)))
        ++i;
    QString taken;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+'))
        taken += text.at(i++);
    bool seen_point = false, seen_digit = false;
    for (; i < n; ++i) {
        QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            taken += c;
            seen_digit = true;
        } else if (c == u'.' && !seen_point) {
            taken += c;
            seen_point = true;
        } else {
            break;
        }
    }
    if (!seen_digit)
        return 0.0;
    return taken.toDouble();
}

QString format_number(double value, const QString& pattern) {
    int decimals = 0;
    int point = pattern.indexOf(u'.');
    if (point >= 0)
        decimals = pattern.size() - point - 1;
    const bool grouped = pattern.contains(u',');
    const bool zero_empty = pattern == u"#,###";
    const int min_int = point >= 0 ? point : pattern.size();
    const int zeros = pattern.startsWith(u'0') ? min_int : 1;

    bool negative = false;
    QString digits = rounded_digits(value, decimals, &negative);
    QString int_part = digits.left(digits.size() - decimals);
    QString frac = digits.right(decimals);
    if (zero_empty && !negative && int_part == u"0" && frac.count(u'0') == frac.size())
        return QString();
    if (int_part.size() < zeros)
        int_part = QString(zeros - int_part.size(), u'0') + int_part;
    if (grouped)
        int_part = group_thousands(int_part);
    QString out = negative ? QStringLiteral("-") : QString();
    out += int_part;
    if (decimals > 0)
        out += u'.' + frac;
    return out;
}

QString format_value(const QString& text, const QString& pattern) {
    if (!pattern.isEmpty() && pattern.count(u'@') == pattern.size()) {
        if (text.size() >= pattern.size())
            return text;
        return QString(pattern.size() - text.size(), u' ') + text;
    }
    auto v = to_number(text);
    if (!v)
        return text;
    return format_number(*v, pattern);
}

QString plain_number(double value) {
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    if (s.contains(u'e')) {
        // Prefer plain digits while the value still fits in 15 digits.
        double a = std::fabs(value);
        if (a >= 1e-5 && a < 1e15) {
            s = QString::number(value, 'f', 15 - int(std::floor(std::log10(a))) - 1);
            if (s.contains(u'.')) {
                while (s.endsWith(u'0'))
                    s.chop(1);
                if (s.endsWith(u'.'))
                    s.chop(1);
            }
        }
    }
    return s;
}

QString number_form(double value) {
    QString digits = plain_number(std::fabs(value));
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + u' ';
}

} // namespace kanvelo
