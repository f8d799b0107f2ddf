#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

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

namespace {

// Every derived value of the ledger, to compare an operation's result with a
// recomputation from scratch.
struct Derived {
    std::array<double, 31> jisseki{};
    std::array<double, 16> zankin{};
    double syunyu = 0, sisyutu = 0, yosan_syunyu = 0, yosan_sisyutu = 0;
    bool operator==(const Derived&) const = default;
};

void PrintTo(const Derived& d, std::ostream* os) {
    *os << "income " << d.syunyu << " expense " << d.sisyutu << " budgets " << d.yosan_syunyu << "/"
        << d.yosan_sisyutu << " jisseki";
    for (double v : d.jisseki)
        *os << ' ' << v;
    *os << " zankin";
    for (double v : d.zankin)
        *os << ' ' << v;
}

Derived derived(const Ledger& l) {
    Derived d;
    for (int c = 0; c < 31; ++c)
        d.jisseki[c] = l.himoku[c].jisseki;
    for (int w = 0; w < 16; ++w)
        d.zankin[w] = l.saifu[w].zankin;
    d.syunyu = l.syunyu_goukei;
    d.sisyutu = l.sisyutu_goukei;
    d.yosan_syunyu = l.yosan_syunyu_goukei;
    d.yosan_sisyutu = l.yosan_sisyutu_goukei;
    return d;
}

Derived from_scratch(const Ledger& l) {
    auto copy = std::make_unique<Ledger>(l);
    copy->recompute();
    return derived(*copy);
}

SyusiRec rec(const char* himoku, const char* kingaku, const char* saifu) {
    return {QStringLiteral("20040301"), QString::fromUtf8(himoku), QString::fromUtf8(kingaku),
            QString::fromUtf8(himoku) + QStringLiteral("の摘要"), QString::fromUtf8(saifu)};
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
    rec("12", "", "0"),                      // empty amount: nothing
};

struct LedgerOps : LedgerTest {
    void SetUp() override {
        LedgerTest::SetUp();
        l.himoku[1].yosan_kingaku = QStringLiteral("250,000");
        l.himoku[11].yosan_kingaku = QStringLiteral("12,000");
        l.recompute();
    }
    void add_all() {
        for (const SyusiRec& s : kKinds)
            l.add_entry(s);
    }
};

} // namespace

TEST_F(LedgerOps, RecomputeCountsEachKindOfEntryAsTheLedgerDefinesIt) {
    add_all();
    l.syunyu_goukei = 7;
    l.himoku[29].jisseki = 3;
    l.saifu[15].zankin = 5;
    l.recompute();
    Derived want;
    want.jisseki[0] = 10000;
    want.jisseki[1] = 300000;
    want.jisseki[11] = 1234;
    want.jisseki[12] = -500 + 700;
    want.zankin[0] = -1234 + 50000;
    want.zankin[1] = 300000 - 50000;
    want.zankin[2] = 500;
    want.zankin[3] = 10000;
    want.syunyu = 300000 + 10000;
    want.sisyutu = 1234 - 500 + 700;
    want.yosan_syunyu = 250000;
    want.yosan_sisyutu = 12000;
    EXPECT_EQ(derived(l), want);
}

TEST_F(LedgerOps, AddingKeepsEveryDerivedValue) {
    int expected = 0;
    for (const SyusiRec& s : kKinds) {
        EXPECT_EQ(l.add_entry(s), ++expected);
        EXPECT_EQ(l.kensu, expected);
        EXPECT_EQ(l.syusi[expected].tekiyo, s.tekiyo);
        EXPECT_EQ(derived(l), from_scratch(l)) << qPrintable(s.kingaku);
    }
}

TEST_F(LedgerOps, CorrectingKeepsEveryDerivedValue) {
    add_all();
    const int n = int(std::size(kKinds));
    for (int i = 1; i <= n; ++i) {
        for (int k = 0; k < n; ++k) {
            l.replace_entry(i, kKinds[(i + k) % n]);
            ASSERT_EQ(derived(l), from_scratch(l)) << "entry " << i << " as kind " << (i + k) % n;
        }
    }
    EXPECT_EQ(l.kensu, n);
    const Derived before = derived(l);
    l.replace_entry(0, kKinds[0]);
    l.replace_entry(n + 1, kKinds[0]);
    EXPECT_EQ(derived(l), before);
    EXPECT_TRUE(l.syusi[n + 1].kingaku.isEmpty());
}

TEST_F(LedgerOps, DeletingMovesLaterEntriesUpAndKeepsEveryDerivedValue) {
    add_all();
    // First, middle, last, and so on until the month is empty.
    QStringList left;
    for (const SyusiRec& s : kKinds)
        left << s.tekiyo + s.kingaku;
    for (int step = 0; l.kensu > 0; ++step) {
        const int i = step % 3 == 0 ? 1 : step % 3 == 1 ? (l.kensu + 1) / 2 : l.kensu;
        const int before = l.kensu;
        l.remove_entry(i);
        left.removeAt(i - 1);
        ASSERT_EQ(l.kensu, before - 1);
        QStringList now;
        for (int j = 1; j <= l.kensu; ++j)
            now << l.syusi[j].tekiyo + l.syusi[j].kingaku;
        EXPECT_EQ(now, left);
        EXPECT_TRUE(l.syusi[before].hiduke.isEmpty()) << "freed slot " << before;
        ASSERT_EQ(derived(l), from_scratch(l)) << "after removing " << i;
    }
    EXPECT_EQ(l.syunyu_goukei, 0);
    EXPECT_EQ(l.saifu[0].zankin, 0);
    EXPECT_EQ(l.yosan_syunyu_goukei, 250000);
}

TEST_F(LedgerOps, ReorderingMovesEntriesOnlyAndRefusesWhatIsNoPermutation) {
    add_all();
    const int n = l.kensu;
    const Derived before = derived(l);
    std::vector<int> reversed;
    for (int i = n; i >= 1; --i)
        reversed.push_back(i);
    l.reorder_entries(reversed);
    for (int i = 1; i <= n; ++i)
        EXPECT_EQ(l.syusi[i].kingaku, kKinds[n - i].kingaku);
    EXPECT_EQ(derived(l), before);

    auto first_is = [&](int from) {
        auto order = reversed;
        order[0] = from;
        return order;
    };
    const std::vector<std::vector<int>> refused = {
        {}, {1, 2}, std::vector<int>(n, 1), first_is(0), first_is(n + 1), first_is(n - 1)};
    for (const auto& order : refused) {
        l.reorder_entries(order);
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(l.syusi[i].kingaku, kKinds[n - i].kingaku) << order.size();
    }
}

TEST_F(LedgerOps, AddingToAFullMonthChangesNothing) {
    for (int i = 0; i < kSyusiLimit; ++i)
        ASSERT_EQ(l.add_entry(rec("12", "1", "0")), i + 1);
    const Derived before = derived(l);
    EXPECT_EQ(l.add_entry(rec("2", "500", "0")), 0);
    EXPECT_EQ(l.kensu, kSyusiLimit);
    EXPECT_EQ(l.syusi[kSyusiLimit].kingaku, u"1");
    EXPECT_EQ(derived(l), before);
    EXPECT_EQ(l.sisyutu_goukei, kSyusiLimit);
}
