#include "ledger/values.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {
QString fmt(double v, const char16_t* p) {
    return format_number(v, QString::fromUtf16(p));
}
} // namespace

TEST(Values, ConvertsBlanksSeparatorsAndSigns) {
    EXPECT_EQ(to_number(u"1"_s), 1.0);
    EXPECT_EQ(to_number(u"  1  "_s), 1.0);
    EXPECT_EQ(to_number(u"1,000"_s), 1000.0);
    EXPECT_EQ(to_number(u"-2,500"_s), -2500.0);
    EXPECT_EQ(to_number(u" 5 "_s), 5.0);
    EXPECT_EQ(to_number(u"-1 "_s), -1.0);
    EXPECT_EQ(to_number(u"8.5"_s), 8.5);
    EXPECT_EQ(to_number(u"1,234,567"_s), 1234567.0);
}

TEST(Values, RefusesTextThatIsNotANumber) {
    for (const char* s :
         {"", "   ", "abc", "12a", "1-2", "--1", ",100", "1.2.3", "-", "1 2", "１２"})
        EXPECT_FALSE(to_number(QString::fromUtf8(s)).has_value()) << s;
    EXPECT_EQ(number_or_zero(u"abc"_s), 0.0);
}

TEST(Values, LeadingNumberStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(leading_number(u"12.5abc"_s), 12.5);
    EXPECT_EQ(leading_number(u"  -3x"_s), -3.0);
    EXPECT_EQ(leading_number(u"1,000"_s), 1.0);
    EXPECT_EQ(leading_number(u"abc"_s), 0.0);
    EXPECT_EQ(leading_number(QString()), 0.0);
    EXPECT_EQ(leading_number(u"1.5.7"_s), 1.5);
    EXPECT_EQ(leading_number(u".5"_s), 0.5);
}

TEST(Values, AmountPatternGroupsThousandsAndRoundsHalvesAwayFromZero) {
    EXPECT_EQ(fmt(0, u"#,##0"), u"0");
    EXPECT_EQ(fmt(1234, u"#,##0"), u"1,234");
    EXPECT_EQ(fmt(-5000, u"#,##0"), u"-5,000");
    EXPECT_EQ(fmt(1234567890, u"#,##0"), u"1,234,567,890");
    EXPECT_EQ(fmt(2.5, u"#,##0"), u"3");
    EXPECT_EQ(fmt(-2.5, u"#,##0"), u"-3");
    EXPECT_EQ(fmt(999.5, u"#,##0"), u"1,000");
    EXPECT_EQ(fmt(-0.4, u"#,##0"), u"0");
    EXPECT_EQ(fmt(0, u"#,###"), u"");
    EXPECT_EQ(fmt(1500, u"#,###"), u"1,500");
    EXPECT_EQ(fmt(-1500, u"#,###"), u"-1,500");
}

TEST(Values, DecimalPatternsRoundToTheirPlaces) {
    EXPECT_EQ(fmt(25, u"#,##0.0"), u"25.0");
    EXPECT_EQ(fmt(100.0 * 1 / 3, u"#,##0.0"), u"33.3");
    EXPECT_EQ(fmt(0.05, u"0.0"), u"0.1");
    EXPECT_EQ(fmt(-0.05, u"0.0"), u"-0.1");
    EXPECT_EQ(fmt(12345.25, u"#,##0.0"), u"12,345.3");
    EXPECT_EQ(fmt(5, u"0.000"), u"5.000");
    EXPECT_EQ(fmt(2.675, u"0.000"), u"2.675");
    EXPECT_EQ(fmt(2.6755, u"0.000"), u"2.676");
    EXPECT_EQ(fmt(0.0004, u"0.000"), u"0.000");
}

TEST(Values, ZeroPaddedPatterns) {
    EXPECT_EQ(fmt(3, u"00"), u"03");
    EXPECT_EQ(fmt(12, u"00"), u"12");
    EXPECT_EQ(fmt(123, u"00"), u"123");
    EXPECT_EQ(fmt(2004, u"0000"), u"2004");
    EXPECT_EQ(fmt(7, u"0000"), u"0007");
    EXPECT_EQ(fmt(42, u"000000"), u"000042");
    EXPECT_EQ(fmt(1, u"0000000"), u"0000001");
    EXPECT_EQ(fmt(-5, u"00"), u"-05");
}

TEST(Values, HeldTextIsFormattedOnlyWhenItIsANumber) {
    EXPECT_EQ(format_value(u"12000"_s, u"#,##0"_s), u"12,000");
    EXPECT_EQ(format_value(u"12,000"_s, u"#,##0"_s), u"12,000");
    EXPECT_EQ(format_value(u"abc"_s, u"#,##0"_s), u"abc");
    EXPECT_EQ(format_value(QString(), u"#,##0"_s), u"");
    EXPECT_EQ(format_value(u"3"_s, u"00"_s), u"03");
}

TEST(Values, AtPatternsRightAlignText) {
    EXPECT_EQ(format_value(u"5"_s, u"@@"_s), u" 5");
    EXPECT_EQ(format_value(u"12"_s, u"@@"_s), u"12");
    EXPECT_EQ(format_value(u"1,234"_s, u"@@@@@@@@@@"_s), u"     1,234");
    EXPECT_EQ(format_value(u"食費"_s, u"@@@@@@@@@@@@@@@"_s).size(), 15);
    EXPECT_EQ(format_value(u"longer than two"_s, u"@@"_s), u"longer than two");
}

TEST(Values, NumberFormHasSignPlaceAndTrailingBlank) {
    EXPECT_EQ(number_form(5), u" 5 ");
    EXPECT_EQ(number_form(-1), u"-1 ");
    EXPECT_EQ(number_form(0), u" 0 ");
    EXPECT_EQ(number_form(1234567), u" 1234567 ");
    EXPECT_EQ(number_form(8.5), u" 8.5 ");
}

TEST(Values, PlainNumberKeepsFifteenSignificantDigits) {
    EXPECT_EQ(plain_number(10.0 / 3), u"3.33333333333333");
    EXPECT_EQ(plain_number(1050), u"1050");
    EXPECT_EQ(plain_number(-2), u"-2");
    EXPECT_EQ(plain_number(0), u"0");
    EXPECT_EQ(plain_number(0.1 + 0.2), u"0.3");
    EXPECT_EQ(plain_number(123456789012345.0), u"123456789012345");
    EXPECT_EQ(plain_number(0.0001), u"0.0001");
}

TEST(Values, LongAndDecimalNumbersConvertExactly) {
    EXPECT_EQ(to_number(u"1,234.5"_s), 1234.5);
    EXPECT_EQ(to_number(u"-0.25"_s), -0.25);
    EXPECT_EQ(to_number(u"123456789012345678901"_s), 123456789012345678901.0);
    EXPECT_EQ(to_number(u"12345678901234567890.5"_s), 12345678901234567890.5);
    EXPECT_EQ(to_number(u"5."_s), 5.0);
}

TEST(Values, PlainNumberNeverUsesAnExponent) {
    EXPECT_EQ(plain_number(1e15), u"1000000000000000");
    EXPECT_EQ(plain_number(99999999.0 * 9999999.0), u"999999890000001");
    EXPECT_EQ(plain_number(1e17), u"100000000000000000");
    EXPECT_EQ(plain_number(1.0 / 300000), u"0.00000333333333333333");
    EXPECT_NEAR(leading_number(plain_number(1.0 / 300000)), 1.0 / 300000, 1e-18);
    EXPECT_EQ(leading_number(plain_number(-1e17)), -1e17);
}
