#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

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
    l.himoku[6].kubun = u"  1  "_s;
    l.himoku[7].kubun = u"0"_s;
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
    EXPECT_TRUE(bad_amount->contains(u"abc"_s));
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
    l.himoku[1].yosan_kingaku = u"250,000"_s;
    l.himoku[11].yosan_kingaku = QString();
    l.himoku[12].yosan_kingaku = u"12,000"_s;
    l.himoku[13].yosan_kingaku = u"0"_s;
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

namespace {

// Every derived value of the ledger, to compare an operation's result with a
// recomputation from scratch.
std::vector<double> derived(const Ledger& l) {
    std::vector<double> d{l.syunyu_goukei, l.sisyutu_goukei, l.yosan_syunyu_goukei,
                          l.yosan_sisyutu_goukei};
    for (const HimokuRec& h : l.himoku)
        d.push_back(h.jisseki);
    for (const SaifuRec& w : l.saifu)
        d.push_back(w.zankin);
    return d;
}

std::vector<double> from_scratch(const Ledger& l) {
    auto copy = std::make_unique<Ledger>(l);
    copy->recompute();
    return derived(*copy);
}

SyusiRec rec(const char* himoku, const char* kingaku, const char* saifu) {
    return {u"20040301"_s, QString::fromUtf8(himoku), QString::fromUtf8(kingaku),
            QString::fromUtf8(himoku) + u'/' + QString::fromUtf8(kingaku),
            QString::fromUtf8(saifu)};
}

// Entries of every kind the operations must count right, or not at all.
const SyusiRec kKinds[] = {
    rec("2", "300,000", "1"),                // income with separators
    rec("12", "1234", " 0 "),                // expense
    rec("30", "-50,000", "1"),               // transfer out: only the wallet moves
    rec("30", "50000", "0"),                 // transfer in
    rec("13", "-500", "2"),                  // negative expense
    rec("13", "700", "15"),                  // unknown wallet: category and month only
    rec("2.5", "999", "0"),                  // damaged category: nothing
    rec("12", "abc", "0"),                   // damaged amount: nothing
    rec("12", "1,000,000,000,000,000", "0"), // too large: nothing
    rec("1", "10,000", " 3 "),               // carry-over
};
constexpr int kKindCount = int(std::size(kKinds));

struct LedgerOps : LedgerTest {
    void SetUp() override {
        LedgerTest::SetUp();
        l.himoku[1].yosan_kingaku = u"250,000"_s;
        l.himoku[11].yosan_kingaku = u"12,000"_s;
        l.budget_totals_recalc();
        for (const SyusiRec& s : kKinds) {
            EXPECT_EQ(l.add_entry(s), l.kensu);
            EXPECT_EQ(derived(l), from_scratch(l)) << qPrintable(s.tekiyo);
        }
    }
    QStringList tekiyo() const {
        QStringList out;
        for (int i = 1; i <= l.kensu; ++i)
            out << l.syusi[i].tekiyo;
        return out;
    }
};

} // namespace

TEST_F(LedgerOps, RecomputeCountsEachKindOfEntryAsTheLedgerDefinesIt) {
    l.syunyu_goukei = 7;
    l.himoku[29].jisseki = 3;
    l.saifu[15].zankin = 5;
    l.recompute();
    std::vector<double> want(4 + 31 + 16, 0.0);
    want[0] = 300000 + 10000;      // income
    want[1] = 1234 - 500 + 700;    // expense
    want[2] = 250000;              // income budgets
    want[3] = 12000;               // expense budgets
    want[4 + 0] = 10000;           // category 1
    want[4 + 1] = 300000;          // category 2
    want[4 + 11] = 1234;           // category 12
    want[4 + 12] = -500 + 700;     // category 13
    want[35 + 0] = -1234 + 50000;  // cash
    want[35 + 1] = 300000 - 50000; // wallet 1
    want[35 + 2] = 500;            // wallet 2
    want[35 + 3] = 10000;          // wallet 3
    EXPECT_EQ(derived(l), want);
}

// Each step is checked against a recomputation from scratch.
TEST_F(LedgerOps, EveryOperationLeavesTheDerivedValuesOfARecomputation) {
    EXPECT_EQ(l.kensu, kKindCount);
    EXPECT_EQ(derived(l), from_scratch(l));
    for (int i = 1; i <= kKindCount; ++i) {
        for (int k = 0; k < kKindCount; ++k) {
            l.replace_entry(i, kKinds[(i + k) % kKindCount]);
            ASSERT_EQ(derived(l), from_scratch(l)) << i << " as " << (i + k) % kKindCount;
        }
    }

    QStringList left = tekiyo();
    std::vector<int> reversed;
    for (int i = l.kensu; i >= 1; --i)
        reversed.push_back(i);
    const auto before = derived(l);
    l.reorder_entries(reversed);
    std::reverse(left.begin(), left.end());
    EXPECT_EQ(tekiyo(), left);
    EXPECT_EQ(derived(l), before);
    // Orders that are no permutation of 1..kensu change nothing.
    for (const std::vector<int>& bad : {std::vector<int>{}, std::vector<int>(kKindCount, 1),
                                        std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}})
        l.reorder_entries(bad);
    EXPECT_EQ(tekiyo(), left);

    for (int step = 0; l.kensu > 0; ++step) { // first, middle, last, ...
        const int i = step % 3 == 0 ? 1 : step % 3 == 1 ? (l.kensu + 1) / 2 : l.kensu;
        const int last = l.kensu;
        l.remove_entry(i);
        left.removeAt(i - 1);
        EXPECT_EQ(tekiyo(), left);
        EXPECT_TRUE(l.syusi[last].hiduke.isEmpty()) << "freed slot " << last;
        ASSERT_EQ(derived(l), from_scratch(l)) << "after removing " << i;
    }
    EXPECT_EQ(l.saifu[0].zankin, 0);
}

TEST_F(LedgerOps, AddingToAFullMonthChangesNothing) {
    while (l.kensu < kSyusiLimit)
        ASSERT_EQ(l.add_entry(rec("12", "1", "0")), l.kensu);
    const auto before = derived(l);
    EXPECT_EQ(l.add_entry(rec("2", "500", "0")), 0);
    EXPECT_EQ(l.kensu, kSyusiLimit);
    EXPECT_EQ(l.syusi[kSyusiLimit].kingaku, u"1");
    EXPECT_EQ(derived(l), before);
}
