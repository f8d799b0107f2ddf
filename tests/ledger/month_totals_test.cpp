#include "ledger/month_totals.h"
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

struct MonthTotalsTest : ::testing::Test {
    TempFolder dir;
    MonthTotals read(const QStringList& lines) {
        dir.write_lines(u"~200402.dat"_s, lines);
        return read_month_totals(dir.file(u"~200402.dat"_s));
    }
};

} // namespace

TEST_F(MonthTotalsTest, ActualTotalsLeaveTransfersOutButTheirRowKeepsThem) {
    const MonthTotals m = read(month_file_with(
        {entry("20040201", "12", "1,000", "a", "0"), entry("20040202", "30", "-5,000", "b", "1")}));
    EXPECT_EQ(m.status, MonthTotals::Status::Read);
    EXPECT_TRUE(m.errors.empty());
    EXPECT_EQ(m.sisyutu_jisseki, 1000);
    EXPECT_EQ(m.syunyu_jisseki, 0);
    EXPECT_EQ(m.jisseki[11], 1000);
    EXPECT_EQ(m.jisseki[29], -5000);
}

TEST_F(MonthTotalsTest, KindsComeFromThatMonthsOwnFileAndAnythingButOneIsExpense) {
    QStringList lines = month_file_with(
        {entry("20040201", "5", "100", "", "0"), entry("20040202", "6", "20", "", "0"),
         entry("20040203", "7", "3", "", "0"), entry("20040204", "2", "4000", "", "0")});
    lines = with_budget(lines, 5, u"1,000"_s, u" 1 "_s); // income with blanks
    lines = with_budget(lines, 6, u"200"_s, u"0"_s);     // kind 0: expense
    lines = with_budget(lines, 7, QString(), u"-1 "_s);  // no budget
    lines = with_budget(lines, 2, u" 0 "_s);
    const MonthTotals m = read(lines);
    EXPECT_EQ(m.syunyu_jisseki, 4100);
    EXPECT_EQ(m.sisyutu_jisseki, 23);
    EXPECT_EQ(m.syunyu_yosan, 1000);
    EXPECT_EQ(m.sisyutu_yosan, 200);
}

TEST_F(MonthTotalsTest, DamagedEntriesAreSkippedAndReported) {
    const MonthTotals m = read(month_file_with(
        {entry("20040201", "0", "1,000", "", "0"), entry("20040202", "31", "2,000", "", "0"),
         entry("20040203", "abc", "4,000", "", "0"), entry("20040204", "12", "x", "", "0"),
         entry("20040205", "12", "8", "", "0")}));
    EXPECT_EQ(m.errors.size(), 4u);
    EXPECT_EQ(m.kensu, 5); // counted all the same
    EXPECT_EQ(m.sisyutu_jisseki, 8);
    EXPECT_EQ(m.jisseki[11], 8);
    EXPECT_TRUE(m.incomplete());
}

TEST_F(MonthTotalsTest, TruncatedFileKeepsWhatWasRead) {
    QStringList lines = month_file_with({entry("20040201", "12", "300", "", "0")});
    lines = with_budget(lines, 12, u"9,000"_s);
    const MonthTotals m = read(lines.mid(0, lines.size() - 3));
    EXPECT_FALSE(m.errors.empty());
    EXPECT_EQ(m.sisyutu_yosan, 9000);
}
