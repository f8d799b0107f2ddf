#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"

#include <gtest/gtest.h>

using namespace kanvelo;

namespace {

struct LedgerTest : ::testing::Test {
    Ledger l;
    void SetUp() override {
        set_default_categories(l);
        set_default_wallets(l);
    }
    int add(const char* hiduke, const char* himoku, const char* kingaku, const char* saifu) {
        int i = ++l.kensu;
        l.syusi[i] = {QString::fromUtf8(hiduke), QString::fromUtf8(himoku),
                      QString::fromUtf8(kingaku), QString(), QString::fromUtf8(saifu)};
        return i;
    }
};

} // namespace

TEST_F(LedgerTest, ApplyingAnAmountWithSeparatorsAddsItsValue) {
    EXPECT_FALSE(l.syusi_apply(add("20040301", "12", "1,000", " 0 ")));
    EXPECT_EQ(l.himoku[11].jisseki, 1000);
    EXPECT_EQ(l.sisyutu_goukei, 1000);
    EXPECT_EQ(l.saifu[0].zankin, -1000);
    EXPECT_FALSE(l.syusi_apply(add("20040301", "2", "300,000", "1")));
    EXPECT_EQ(l.syunyu_goukei, 300000);
    EXPECT_EQ(l.saifu[1].zankin, 300000);
}

TEST_F(LedgerTest, KindOneWithBlanksIsIncomeAndAnyOtherKindIsExpense) {
    l.himoku[6].kubun = QStringLiteral("  1  ");
    l.himoku[7].kubun = QStringLiteral("0");
    l.syusi_apply(add("20040301", "7", "100", "0"));
    l.syusi_apply(add("20040301", "8", "40", "0"));
    EXPECT_EQ(l.syunyu_goukei, 100);
    EXPECT_EQ(l.sisyutu_goukei, 40);
    EXPECT_EQ(l.saifu[0].zankin, 60);
}

TEST_F(LedgerTest, TransferMovesOnlyItsWalletBySignedAmount) {
    l.syusi_apply(add("20040301", "30", "-5,000", "2"));
    l.syusi_apply(add("20040301", "30", "5000", " 0 "));
    EXPECT_EQ(l.saifu[2].zankin, -5000);
    EXPECT_EQ(l.saifu[0].zankin, 5000);
    EXPECT_EQ(l.syunyu_goukei, 0);
    EXPECT_EQ(l.sisyutu_goukei, 0);
    EXPECT_EQ(l.himoku[29].jisseki, 0);
}

TEST_F(LedgerTest, UnusableEntriesAddNothingAndSayWhy) {
    auto bad_category = l.syusi_apply(add("20040301", "31", "100", "0"));
    auto bad_amount = l.syusi_apply(add("20040301", "12", "abc", "0"));
    auto bad_wallet = l.syusi_apply(add("20040301", "12", "100", "15"));
    ASSERT_TRUE(bad_category && bad_amount && bad_wallet);
    EXPECT_TRUE(bad_amount->contains(QStringLiteral("abc")));
    // The wallet is unknown but the category total and the expense still count.
    EXPECT_EQ(l.himoku[11].jisseki, 100);
    EXPECT_EQ(l.sisyutu_goukei, 100);
    for (int w = 0; w < 16; ++w)
        EXPECT_EQ(l.saifu[w].zankin, 0);
}

TEST_F(LedgerTest, MonthRecalculationMatchesApplyingEveryEntry) {
    add("20040301", "2", "300,000", "1");
    add("20040302", "12", "1234", " 0 ");
    add("20040303", "30", "-50,000", "1");
    add("20040303", "30", "50000", "0");
    add("20040304", "1", "10,000", "0");
    for (int i = 1; i <= l.kensu; ++i)
        l.syusi_apply(i);
    const double income = l.syunyu_goukei, expense = l.sisyutu_goukei;
    const double cash = l.saifu[0].zankin, bank = l.saifu[1].zankin;
    l.syunyu_goukei = 7;
    l.saifu[0].zankin = 99;
    l.saifu[15].zankin = 5;
    l.month_recalc();
    EXPECT_EQ(l.syunyu_goukei, income);
    EXPECT_EQ(l.sisyutu_goukei, expense);
    EXPECT_EQ(l.saifu[0].zankin, cash);
    EXPECT_EQ(l.saifu[1].zankin, bank);
    EXPECT_EQ(l.saifu[15].zankin, 0);
    EXPECT_EQ(cash, 50000 - 1234 + 10000);
    EXPECT_EQ(bank, 300000 - 50000);
}

TEST_F(LedgerTest, BudgetTotalsSkipEmptyBudgets) {
    l.himoku[1].yosan_kingaku = QStringLiteral("250,000");
    l.himoku[11].yosan_kingaku = QString();
    l.himoku[12].yosan_kingaku = QStringLiteral("12,000");
    l.himoku[13].yosan_kingaku = QStringLiteral("0");
    l.budget_totals_recalc();
    EXPECT_EQ(l.yosan_syunyu_goukei, 250000);
    EXPECT_EQ(l.yosan_sisyutu_goukei, 12000);
}

TEST_F(LedgerTest, ResetClearsDerivedValuesAndEntryCount) {
    l.syusi_apply(add("20040301", "12", "100", "0"));
    l.yosan_syunyu_goukei = 5;
    l.ledger_reset_month();
    EXPECT_EQ(l.kensu, 0);
    EXPECT_EQ(l.himoku[11].jisseki, 0);
    EXPECT_EQ(l.saifu[0].zankin, 0);
    EXPECT_EQ(l.sisyutu_goukei, 0);
    EXPECT_EQ(l.yosan_syunyu_goukei, 0);
}
