#include "editing/saifu_rules.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

TEST(SaifuRules, AmountIsDigitsOnlyAndSmallEnoughForTheTotals) {
    const struct {
        QString text;
        std::optional<double> amount;
    } cases[] = {
        {u"5000"_s, 5000},
        {u" 12 "_s, 12}, // blanks a paste brings along
        {u"999999999999999"_s, 999999999999999.0},
        {u"1000000000000000"_s, std::nullopt},
        {u"-5"_s, std::nullopt},
        {u"12a"_s, std::nullopt},
        {u"1,000"_s, std::nullopt},
        {u"2.5"_s, std::nullopt},
        {u"１２"_s, std::nullopt}, // full-width digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(transfer_amount(c.text), c.amount) << qPrintable(c.text);
}

TEST(SaifuRules, TypedDateIsARealDate) {
    const struct {
        QString nen, tuki, hi;
        std::optional<TransferDate> date;
    } cases[] = {
        {u"2004"_s, u"3"_s, u"15"_s, TransferDate{2004, 3, 15}},
        {u"2004"_s, u"02"_s, u"31"_s, TransferDate{2004, 2, 29}},
        {u"2003"_s, u"2"_s, u"29"_s, TransferDate{2003, 2, 28}},
        {u"2004"_s, u"4"_s, u"31"_s, TransferDate{2004, 4, 30}},
        {u"1899"_s, u"3"_s, u"1"_s, std::nullopt},
        {u"3001"_s, u"3"_s, u"1"_s, std::nullopt},
        {u"2004"_s, u"0"_s, u"1"_s, std::nullopt},
        {u"2004"_s, u"3"_s, u"32"_s, std::nullopt},
        {u"2004"_s, u"3"_s, u"1.5"_s, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto date = typed_transfer_date(c.nen, c.tuki, c.hi);
        ASSERT_EQ(date.has_value(), c.date.has_value()) << qPrintable(c.nen + c.tuki + c.hi);
        if (date) {
            EXPECT_TRUE(*date == *c.date)
                << qPrintable(c.nen + c.tuki + c.hi) << " gives " << date->hi;
        }
    }
}

} // namespace

} // namespace kanvelo
