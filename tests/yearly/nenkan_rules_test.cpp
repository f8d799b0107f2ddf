#include "ledger/settings_file.h"
#include "support/qt_print.h"
#include "support/test_files.h"
#include "yearly/nenkan_print.h"
#include "yearly/nenkan_rules.h"

#include <gtest/gtest.h>
#include <map>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

using Status = NenkanMonth::Status;

QString amount(double v) {
    return u"%L1"_s.arg(qint64(v));
}

// A month file with entries (category, amount) on the 10th and the budgets given.
QStringList month_lines(CalendarMonth m, const std::vector<std::pair<int, double>>& lines,
                        const std::map<int, double>& budgets = {}) {
    const QByteArray d = u"%1%2"_s.arg(m.year).arg(m.month, 2, 10, QChar(u'0')).toLatin1() + "10";
    QList<QStringList> entries;
    for (const auto& [himoku, kingaku] : lines) {
        const QByteArray h = QByteArray::number(himoku);
        const QByteArray k = amount(kingaku).toUtf8();
        entries << entry(d.constData(), h.constData(), k.constData(), "", "0");
    }
    QStringList out = month_file_with(entries);
    for (const auto& [no, budget] : budgets)
        out[1 + (no - 1) * 5 + 2] = amount(budget);
    return out;
}

struct NenkanRulesTest : ::testing::Test {
    TempFolder folder;
    Ledger ledger;

    void SetUp() override {
        init_default_ledger(ledger, folder);
        ledger.nen = u"2007"_s;
        ledger.tuki = u"03"_s;
    }
};

} // namespace

TEST(NenkanMonths, AYearOrTheTwelveUpToTheOpenMonthAcrossTheYearEnd) {
    struct Case {
        NenkanSpan span;
        int year;
        CalendarMonth open;
        CalendarMonth first;
        CalendarMonth last;
    } cases[] = {
        {NenkanSpan::Year, 2006, {2007, 3}, {2006, 1}, {2006, 12}},
        {NenkanSpan::UpToOpenMonth, 2006, {2007, 12}, {2007, 1}, {2007, 12}},
        {NenkanSpan::UpToOpenMonth, 2006, {2007, 1}, {2006, 2}, {2007, 1}},
    };
    for (const Case& c : cases) {
        const auto months = nenkan_months(c.span, c.year, c.open);
        ASSERT_EQ(months.size(), std::size_t(kNenkanMonths));
        EXPECT_EQ(months.front(), c.first) << c.open.year << "/" << c.open.month;
        EXPECT_EQ(months.back(), c.last) << c.open.year << "/" << c.open.month;
    }
}

TEST_F(NenkanRulesTest, FiguresAreTheSumsOfTheMonthFilesAndTheOpenLedger) {
    folder.write_lines(
        u"~200604.dat"_s,
        month_lines({2006, 4},
                    {{2, 250000}, {12, 3000}, {12, 1500}, {21, 7000}, {30, -5000}, {30, 5000}},
                    {{2, 200000}, {12, 20000}}));
    // Cut short inside an entry, and an amount that is not a number.
    QStringList cut = month_lines({2006, 6}, {{12, 800}, {13, 900}});
    folder.write_lines(u"~200606.dat"_s, cut.mid(0, cut.size() - 2));
    folder.write_lines(u"~200607.dat"_s, month_file_with({entry("20060701", "12", "x", "", "0")}));
    // The oldest layout: no header line, four-line entries, no budgets, its 30 filed under 29.
    QStringList old = month_file_with({}).mid(1, 150);
    old << u"20061201"_s << u"30"_s << u"700"_s << u"old"_s;
    old << u"20061202"_s << u"12"_s << u"1,200"_s << u"old"_s;
    folder.write_lines(u"~200612.dat"_s, old);
    folder.write_lines(u"~200702.dat"_s,
                       month_lines({2007, 2}, {{1, 12345}, {23, 4000}}, {{23, 3000}}));
    // The open month's saved file is older than the ledger, which counts.
    folder.write_lines(u"~200703.dat"_s, month_file_with({entry("20070301", "12", "1", "", "0")}));
    for (const auto& [himoku, kingaku] :
         std::initializer_list<std::pair<int, double>>{{2, 300000}, {12, 32000}, {30, 40000}})
        ledger.add_entry({u"20070305"_s, QString::number(himoku), amount(kingaku), {}, u"0"_s});
    ledger.himoku[11].yosan_kingaku = u"10,000"_s;
    ledger.budget_totals_recalc();
    // Thirteen months back: outside the table.
    folder.write_lines(u"~200603.dat"_s, month_lines({2006, 3}, {{12, 9}}));

    const NenkanTable table = nenkan_table(ledger, NenkanSpan::UpToOpenMonth, 1999);
    ASSERT_EQ(table.months.size(), std::size_t(kNenkanMonths));
    const Status want[] = {Status::Read,    Status::Missing, Status::Damaged, Status::Damaged,
                           Status::Missing, Status::Missing, Status::Missing, Status::Missing,
                           Status::Read,    Status::Missing, Status::Read,    Status::Open};
    for (int m = 0; m < kNenkanMonths; ++m)
        EXPECT_EQ(table.months[m].status, want[m]) << m;
    EXPECT_EQ(nenkan_damaged_text(table),
              u"読めなかったファイル: ~200606.dat、~200607.dat（空欄にしてあります）"_s);

    // Blanks for months without figures; the average is over the four read.
    EXPECT_EQ(nenkan_row(table, 11).join(u'|'),
              u"日常食品|4,500"_s + QString(8, u'|') +
                  u"1,200||0|32,000|37,700|9,425|30,000|-7,700"_s);
    // Transfers (30) count in neither total.
    EXPECT_EQ(nenkan_row(table, kNenkanSagakuRow).join(u'|'),
              u"差引収支|238,500"_s + QString(8, u'|') +
                  u"-1,900||8,345|268,000|512,945|128,236|167,000|-345,945"_s);
    EXPECT_EQ(nenkan_row(table, 29).at(0), u"財布<=>口座"_s);
    EXPECT_EQ(nenkan_title(table), u"2006年4月～2007年3月の収支"_s);
    EXPECT_EQ(nenkan_file_stem(table), u"年間収支表200604-200703"_s);
    EXPECT_EQ(table.first_day(), u"20060401"_s);
}

TEST_F(NenkanRulesTest, AYearWithoutTheOpenMonthIsReadFromFilesOnly) {
    folder.write_lines(u"~200602.dat"_s, month_lines({2006, 2}, {{12, 500}}));
    ledger.add_entry({u"20070301"_s, u"12"_s, u"999"_s, {}, u"0"_s});
    const NenkanTable table = nenkan_table(ledger, NenkanSpan::Year, 2006);
    EXPECT_EQ(nenkan_title(table), u"2006年の収支"_s);
    EXPECT_EQ(table.last_day(), u"20061231"_s);
    EXPECT_EQ(table.year_total(11), 500);
    const NenkanTable empty = nenkan_table(ledger, NenkanSpan::Year, 1990);
    EXPECT_EQ(nenkan_row(empty, 11).at(14), QString()); // no average
    EXPECT_EQ(nenkan_row(empty, 11).at(13), u"0"_s);
}

TEST_F(NenkanRulesTest, CsvQuotesNamesAndWritesWholeYenWithoutSeparators) {
    ledger.himoku[11].name = u"食費,\"外\""_s;
    folder.write_lines(u"~200601.dat"_s, month_lines({2006, 1}, {{12, 1234567}, {2, 10}}));
    folder.write_lines(u"~200602.dat"_s, month_lines({2006, 2}, {{12, 2}}));
    const QStringList lines = nenkan_csv_lines(nenkan_table(ledger, NenkanSpan::Year, 2006));
    ASSERT_EQ(lines.size(), 1 + kNenkanRows);
    // The average of 1,234,567 and 2 rounds half away from zero.
    EXPECT_EQ(lines[12], u"12,\"食費,\"\"外\"\"\",1234567,2,,,,,,,,,,,1234569,617285,0,-1234569"_s);
    EXPECT_EQ(lines[31], u",収入合計,10,0,,,,,,,,,,,10,5,0,-10"_s);
    EXPECT_EQ(lines[33], u",差引収支,-1234557,-2,,,,,,,,,,,-1234559,-617280,0,1234559"_s);
}

TEST(NenkanPrint, PagesStartAfterAFullPageAndThereIsAlwaysOne) {
    struct Case {
        int rows;
        int per_page;
        QList<int> starts;
    } cases[] = {
        {33, 40, {0}}, {33, 33, {0}},           {33, 32, {0, 32}}, {33, 10, {0, 10, 20, 30}},
        {0, 10, {0}},  {5, 0, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nenkan_page_starts(c.rows, c.per_page), c.starts) << c.rows << "/" << c.per_page;
}
