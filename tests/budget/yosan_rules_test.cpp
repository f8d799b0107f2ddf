#include "budget/yosan_rules.h"
#include "common/notices.h"
#include "ledger/settings_file.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

QStringList with_budget(QStringList lines, int number, const QString& budget,
                        const QString& kubun = {}, const QString& comment = {}) {
    const int block = 1 + 5 * (number - 1);
    lines[block + 2] = budget;
    if (!kubun.isNull())
        lines[block + 3] = kubun;
    if (!comment.isNull())
        lines[block + 4] = comment;
    return lines;
}

struct ComparisonTest : ::testing::Test {
    TempFolder dir;
    ComparisonMonth read(const QStringList& lines) {
        dir.write_lines(u"~200402.dat"_s, lines);
        return read_comparison_month(dir.file(u"~200402.dat"_s));
    }
};

} // namespace

TEST_F(ComparisonTest, ActualTotalsLeaveTransfersOutButTheirRowKeepsThem) {
    const ComparisonMonth m = read(month_file_with(
        {entry("20040201", "12", "1,000", "a", "0"), entry("20040202", "30", "-5,000", "b", "1")}));
    EXPECT_EQ(m.status, ComparisonMonth::Status::Read);
    EXPECT_TRUE(m.errors.empty());
    EXPECT_EQ(m.sisyutu_jisseki, 1000);
    EXPECT_EQ(m.syunyu_jisseki, 0);
    EXPECT_EQ(m.jisseki[11], 1000);
    EXPECT_EQ(m.jisseki[29], -5000);
}

TEST_F(ComparisonTest, KindsComeFromThatMonthsOwnFileAndAnythingButOneIsExpense) {
    QStringList lines = month_file_with(
        {entry("20040201", "5", "100", "", "0"), entry("20040202", "6", "20", "", "0"),
         entry("20040203", "7", "3", "", "0"), entry("20040204", "2", "4000", "", "0")});
    lines = with_budget(lines, 5, u"1,000"_s, u" 1 "_s); // income with blanks
    lines = with_budget(lines, 6, u"200"_s, u"0"_s);     // kind 0: expense
    lines = with_budget(lines, 7, QString(), u"-1 "_s);  // no budget
    lines = with_budget(lines, 2, u" 0 "_s);
    const ComparisonMonth m = read(lines);
    EXPECT_EQ(m.syunyu_jisseki, 4100);
    EXPECT_EQ(m.sisyutu_jisseki, 23);
    EXPECT_EQ(m.syunyu_yosan, 1000);
    EXPECT_EQ(m.sisyutu_yosan, 200);
}

TEST_F(ComparisonTest, DamagedEntriesAreSkippedAndReported) {
    const ComparisonMonth m = read(month_file_with(
        {entry("20040201", "0", "1,000", "", "0"), entry("20040202", "31", "2,000", "", "0"),
         entry("20040203", "abc", "4,000", "", "0"), entry("20040204", "12", "x", "", "0"),
         entry("20040205", "12", "8", "", "0")}));
    EXPECT_EQ(m.errors.size(), 4u);
    EXPECT_EQ(m.sisyutu_jisseki, 8);
    EXPECT_EQ(m.jisseki[11], 8);
    EXPECT_FALSE(contact_code(m.errors).isEmpty());
    EXPECT_TRUE(contact_code(m.errors).contains(u"ほか3件"_s));
}

TEST_F(ComparisonTest, TruncatedFileKeepsWhatWasRead) {
    QStringList lines = month_file_with({entry("20040201", "12", "300", "", "0")});
    lines = with_budget(lines, 12, u"9,000"_s);
    const ComparisonMonth m = read(lines.mid(0, lines.size() - 3));
    EXPECT_FALSE(m.errors.empty());
    EXPECT_EQ(m.sisyutu_yosan, 9000);
}

TEST(YosanRules, BudgetChecksAndStoredForm) {
    struct Case {
        const char16_t* typed;
        BudgetCheck check;
        const char16_t* stored;
    };
    const Case cases[] = {
        {u"12.5", BudgetCheck::Ok, u"13"},
        {u"12000", BudgetCheck::Ok, u"12,000"},
        {u" 1,234 ", BudgetCheck::Ok, u"1,234"},
        {u"-300.5", BudgetCheck::Ok, u"-301"},
        {u"0", BudgetCheck::Ok, u"0"},
        {u"", BudgetCheck::Empty, u""},
        {u"  ", BudgetCheck::Empty, u""},
        {u"abc", BudgetCheck::NotNumber, u"abc"},
        {u"12円", BudgetCheck::NotNumber, u"12円"},
        {u"999,999,999,999,999.5", BudgetCheck::TooLarge, nullptr},
    };
    for (const Case& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        EXPECT_EQ(check_budget(typed), c.check) << typed.toStdString();
        if (c.stored) {
            EXPECT_EQ(budget_to_store(typed), QString::fromUtf16(c.stored));
        }
    }
    EXPECT_EQ(budget_message(BudgetCheck::NotNumber), u"数字を入力して下さいね。");
}

TEST(YosanRules, KindBudgetSumCountsTheTransferCategoryAndSkipsEmptyBudgets) {
    Ledger l;
    set_default_categories(l);
    for (HimokuRec& h : l.himoku)
        h.yosan_kingaku.clear();
    l.himoku[11].yosan_kingaku = u"30,000"_s;
    l.himoku[12].yosan_kingaku = u"-500"_s;
    l.himoku[29].yosan_kingaku = u"7"_s;
    l.himoku[13].kubun = u"0"_s;
    l.himoku[13].yosan_kingaku = u"1"_s;
    l.himoku[1].yosan_kingaku = u"250,000"_s;
    l.himoku[4].kubun = u" 1 "_s;
    l.himoku[4].yosan_kingaku = u"50,000"_s;
    EXPECT_EQ(kind_budget_sum(l, 11), 30000 - 500 + 7 + 1);
    EXPECT_EQ(kind_budget_sum(l, 1), 300000);
}
