#include "editing/saifu_rules.h"
#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>
#include <memory>

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
        {u"0"_s, 0},
        {u"999999999999999"_s, 999999999999999.0},
        {u"1000000000000000"_s, std::nullopt},
        {u"1234567890123456789012345"_s, std::nullopt},
        {u"12a"_s, std::nullopt},
        {u"-5"_s, std::nullopt},
        {u"1,000"_s, std::nullopt},
        {u"2.5"_s, std::nullopt},
        {u"１２"_s, std::nullopt}, // full-width digits
        {u""_s, std::nullopt},
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
        {u"1900"_s, u"12"_s, u"31"_s, TransferDate{1900, 12, 31}},
        {u"20x4"_s, u"3"_s, u"1"_s, std::nullopt},
        {u"1899"_s, u"3"_s, u"1"_s, std::nullopt},
        {u"3001"_s, u"3"_s, u"1"_s, std::nullopt},
        {u"2004"_s, u"13"_s, u"1"_s, std::nullopt},
        {u"2004"_s, u"0"_s, u"1"_s, std::nullopt},
        {u"2004"_s, u"3"_s, u"32"_s, std::nullopt},
        {u"2004"_s, u"3"_s, u"0"_s, std::nullopt},
        {u"2004"_s, u"3"_s, u"1.5"_s, std::nullopt},
        {u"2004"_s, u"3"_s, u""_s, std::nullopt},
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

class SaifuCheck : public ::testing::Test {
protected:
    void SetUp() override {
        set_default_categories(*ledger);
        set_default_wallets(*ledger);
    }
    std::unique_ptr<Ledger> ledger = std::make_unique<Ledger>();
};

TEST_F(SaifuCheck, FirstFailureWinsInOrder) {
    const QString kMonth = u"3"_s;
    const struct {
        int moto, saki;
        QString kingaku, nen;
        int kensu;
        QString message;
        TransferField focus;
        bool beep, limit;
    } cases[] = {
        {-1, -1, u""_s, u"2004"_s, 0, u"財布の指定が不正です。"_s, TransferField::Moto, false,
         false},
        {1, 15, u"5"_s, u"2004"_s, 0, u"財布の指定が不正です。"_s, TransferField::Moto, false,
         false},
        {2, 2, u""_s, u"2004"_s, 999, u"同じところに移動してどうするんですか？"_s,
         TransferField::None, false, false},
        {1, 0, u""_s, u"x"_s, 999, u"金額が入っていません"_s, TransferField::Kingaku, true, false},
        {1, 0, u"-5"_s, u"x"_s, 999, u"数字を入力して下さいね。"_s, TransferField::Kingaku, false,
         false},
        {1, 0, u"5"_s, u"x"_s, 999, {}, TransferField::Nen, false, false},
        {1, 0, u"5"_s, u"2004"_s, 999, {}, TransferField::None, false, true},
        {1, 0, u"5"_s, u"2004"_s, 998, {}, TransferField::None, false, false},
    };
    for (const auto& c : cases) {
        ledger->kensu = c.kensu;
        const TransferCheck r =
            check_transfer(*ledger, c.moto, c.saki, c.kingaku, c.nen, kMonth, u"31"_s);
        if (c.focus == TransferField::Nen)
            EXPECT_TRUE(r.message.startsWith(u"日付を正しく入力して下さい。"_s))
                << qPrintable(r.message);
        else
            EXPECT_EQ(r.message, c.message)
                << c.moto << " " << c.saki << " " << qPrintable(c.kingaku);
        EXPECT_EQ(r.focus, c.focus) << qPrintable(c.message);
        EXPECT_EQ(r.beep, c.beep) << qPrintable(c.message);
        EXPECT_EQ(r.limit, c.limit) << qPrintable(c.message);
    }
    ledger->kensu = 0;
    const TransferCheck ok = check_transfer(*ledger, 1, 0, u"5000"_s, u"2004"_s, u"2"_s, u"31"_s);
    EXPECT_TRUE(ok.ok());
    EXPECT_TRUE(ok.date == (TransferDate{2004, 2, 29}));
    EXPECT_EQ(ok.amount, 5000);
}

TEST_F(SaifuCheck, DateFocusGoesToTheFirstBadBox) {
    EXPECT_EQ(check_transfer(*ledger, 1, 0, u"5"_s, u"2004"_s, u"13"_s, u"x"_s).focus,
              TransferField::Tuki);
    EXPECT_EQ(check_transfer(*ledger, 1, 0, u"5"_s, u"2004"_s, u"12"_s, u"x"_s).focus,
              TransferField::Hi);
}

TEST_F(SaifuCheck, EntriesAreTheSourcesNegativeAmountThenTheDestinationsPositiveOne) {
    ledger->saifu[4].name = u"積立"_s;
    const auto [from, to] = transfer_entries(*ledger, {2004, 3, 5}, 4, 0, 1234567);
    EXPECT_EQ(from.hiduke, u"20040305"_s);
    EXPECT_EQ(from.himoku_no, u"30"_s);
    EXPECT_EQ(from.kingaku, u"-1,234,567"_s);
    EXPECT_EQ(from.tekiyo, u"積立"_s);
    EXPECT_EQ(from.saifu_no, u"4"_s);
    EXPECT_EQ(to.hiduke, u"20040305"_s);
    EXPECT_EQ(to.himoku_no, u"30"_s);
    EXPECT_EQ(to.kingaku, u"1,234,567"_s);
    EXPECT_EQ(to.tekiyo, u"現金"_s);
    EXPECT_EQ(to.saifu_no, u"0"_s);
}

} // namespace

} // namespace kanvelo
