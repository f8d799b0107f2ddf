#include "ledger/values.h"

#include <QStringList>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t';
}

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
        digits = up ? u"1"_s : u"0"_s;
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
    const QChar* p = text.constData();
    qsizetype b = 0, e = text.size();
    while (b < e && is_blank(p[b]))
        ++b;
    while (e > b && is_blank(p[e - 1]))
        --e;
    if (b == e)
        return std::nullopt;
    bool negative = false;
    if (p[b] == u'-' || p[b] == u'+')
        negative = p[b++] == u'-';
    // Whole numbers, the usual case, are summed directly; a decimal point
    // hands the cleaned text to the library conversion.
    long long whole = 0;
    int digits = 0;
    bool seen_point = false;
    for (qsizetype i = b; i < e; ++i) {
        const char16_t c = p[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (digits < 18)
                whole = whole * 10 + (c - u'0');
            ++digits;
        } else if (c == u',' && digits > 0 && !seen_point) {
            continue;
        } else if (c == u'.' && !seen_point) {
            seen_point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    double v = whole;
    if (seen_point || digits >= 18) {
        QString clean;
        for (qsizetype i = b; i < e; ++i)
            if (p[i] != u',')
                clean += p[i];
        bool ok = false;
        v = clean.toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return negative ? -v : v;
}

bool is_number(const QString& text) {
    return to_number(text).has_value();
}

double number_or_zero(const QString& text) {
    return to_number(text).value_or(0.0);
}

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
    // "inf" or "nan" in a box would read as letters typed by the user, and
    // back as no number at all.
    if (!std::isfinite(value))
        value = 0;
    int decimals = 0;
    int point = pattern.indexOf(u'.');
    if (point >= 0)
        decimals = pattern.size() - point - 1;
    const bool grouped = pattern.contains(u',');
    const bool zero_empty = pattern == u"#,###";
    const int min_int = point >= 0 ? point : pattern.size();
    const int zeros = pattern.startsWith(u'0') ? min_int : 1;

    bool negative = false;
    QString digits;
    if (decimals == 0 && std::fabs(value) < 1e15 && value == std::floor(value)) {
        const long long n = static_cast<long long>(value);
        negative = n < 0;
        digits = QString::number(negative ? -n : n);
    } else {
        digits = rounded_digits(value, decimals, &negative);
    }
    QString int_part = digits.left(digits.size() - decimals);
    QString frac = digits.right(decimals);
    if (zero_empty && !negative && int_part == u"0" && frac.count(u'0') == frac.size())
        return QString();
    if (int_part.size() < zeros)
        int_part = QString(zeros - int_part.size(), u'0') + int_part;
    if (grouped)
        int_part = group_thousands(int_part);
    QString out = negative ? u"-"_s : QString();
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
    if (value == 0 || !std::isfinite(value))
        return u"0"_s;
    // 15 significant digits, always written out in plain digits so that the
    // leading-number parse reads the same value back.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    const QString s = QString::fromLatin1(buf);
    const int e = int(s.indexOf(u'e'));
    QString digits = s.left(e);
    digits.remove(u'.');
    const int exp = s.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    QString out;
    if (exp < 0) {
        out = u"0."_s + QString(-exp - 1, u'0') + digits;
    } else if (digits.size() <= exp + 1) {
        out = digits + QString(exp + 1 - digits.size(), u'0');
    } else {
        out = digits.left(exp + 1) + u'.' + digits.mid(exp + 1);
    }
    return value < 0 ? u'-' + out : out;
}

QString number_form(double value) {
    QString digits = plain_number(std::fabs(value));
    return (value < 0 ? u"-"_s : u" "_s) + digits + u' ';
}

} // namespace kanvelo
