#include "editing/teisei_rules.h"
#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

TEST(TeiseiRules, AmountsOfEitherSignPassUpToTheLimitTheTotalsHold) {
    EXPECT_EQ(check_amount(u"-5,000"_s), AmountCheck::Ok);
    EXPECT_EQ(check_amount(u"999,999,999,999,999"_s), AmountCheck::Ok);
    EXPECT_EQ(check_amount(u"1,000,000,000,000,000"_s), AmountCheck::TooLarge);
    EXPECT_EQ(check_amount(u"12a"_s), AmountCheck::NotNumber);
    EXPECT_EQ(check_amount(u""_s), AmountCheck::NotNumber);
}

TEST(TeiseiRules, DatesAreRealDatesAndADayPastTheMonthIsItsLastDay) {
    struct Case {
        QString nen, tuki, hi, hiduke;
        DateField refused;
    } cases[] = {
        {u"2004"_s, u"03"_s, u"07"_s, u"20040307"_s, DateField::None},
        {u"2004"_s, u"2"_s, u"31"_s, u"20040229"_s, DateField::None},
        {u"2003"_s, u"2"_s, u"29"_s, u"20030228"_s, DateField::None},
        {u"1900"_s, u"02"_s, u"29"_s, u"19000228"_s, DateField::None}, // not a leap year
        {u"2000"_s, u"2"_s, u"30"_s, u"20000229"_s, DateField::None},
        {u"3000"_s, u"4"_s, u"31"_s, u"30000430"_s, DateField::None},
        {u"20x4"_s, u"3"_s, u"1"_s, {}, DateField::Nen},
        {u"1899"_s, u"3"_s, u"1"_s, {}, DateField::Nen},
        {u"3001"_s, u"3"_s, u"1"_s, {}, DateField::Nen},
        {u""_s, u"3"_s, u"1"_s, {}, DateField::Nen},
        {u"2004"_s, u"13"_s, u"1"_s, {}, DateField::Tuki},
        {u"2004"_s, u"0"_s, u"1"_s, {}, DateField::Tuki},
        {u"2004"_s, u"3"_s, u"32"_s, {}, DateField::Hi},
        {u"2004"_s, u"3"_s, u"1.5"_s, {}, DateField::Hi},
    };
    for (const Case& c : cases) {
        const DateResult r = check_date(c.nen, c.tuki, c.hi);
        const std::string what = (c.nen + u'/' + c.tuki + u'/' + c.hi).toStdString();
        EXPECT_EQ(r.refused, c.refused) << what;
        EXPECT_EQ(r.hiduke, c.hiduke) << what;
        EXPECT_EQ(r.message.isEmpty(), c.refused == DateField::None) << what;
    }
}

TEST(TeiseiRules, TheCorrectedEntryKeepsTheNumberAsTypedAndAWalletWhenNoneIsChosen) {
    const SyusiRec old{u"20040301"_s, u"12"_s, u"1000"_s, u"old"_s, u"7"_s};
    const SyusiRec e = corrected_entry(old, u"20040302"_s, u" 5"_s, u"-5000"_s, u"new"_s, 2);
    EXPECT_EQ(e.hiduke, u"20040302"_s);
    EXPECT_EQ(e.himoku_no, u" 5"_s);
    EXPECT_EQ(e.kingaku, u"-5,000"_s);
    EXPECT_EQ(e.tekiyo, u"new"_s);
    EXPECT_EQ(e.saifu_no, u"2"_s);
    EXPECT_EQ(corrected_entry(old, {}, {}, u"1"_s, {}, -1).saifu_no, u"7"_s);
}

} // namespace

} // namespace kanvelo
