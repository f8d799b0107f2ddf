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

struct Line {
    int himoku;
    double kingaku;
};

// What the test writes for one month and the sums it expects from it.
struct MonthCase {
    CalendarMonth month;
    Status status;
    std::vector<Line> lines;
    std::map<int, double> budgets; // category number -> budget
};

// The default kinds: 1..6 income, the rest expense; 30 counts in neither total.
bool income(int himoku) {
    return himoku <= 6;
}

QString amount(double v) {
    return u"%L1"_s.arg(qint64(v));
}

QString day_of(CalendarMonth m) {
    return u"%1%2%3"_s.arg(m.year).arg(m.month, 2, 10, QChar(u'0')).arg(10);
}

QStringList month_lines(const MonthCase& c) {
    QList<QStringList> entries;
    for (const Line& l : c.lines) {
        const QByteArray d = day_of(c.month).toLatin1();
        const QByteArray h = QByteArray::number(l.himoku);
        const QByteArray k = amount(l.kingaku).toUtf8();
        entries << entry(d.constData(), h.constData(), k.constData(), "", "0");
    }
    QStringList lines = month_file_with(entries);
    for (const auto& [no, budget] : c.budgets)
        lines[1 + (no - 1) * 5 + 2] = amount(budget);
    return lines;
}

struct NenkanRulesTest : ::testing::Test {
    TempFolder folder;
    Ledger ledger;

    void SetUp() override {
        init_default_ledger(ledger, folder);
        ledger.nen = u"2007"_s;
        ledger.tuki = u"03"_s;
    }

    // The sums the test expects of a month: by category, income, expense.
    static std::array<double, kNenkanRows> sums(const MonthCase& c, bool oldest_layout = false) {
        std::array<double, kNenkanRows> s{};
        for (const Line& l : c.lines) {
            // The oldest layout had no transfers: its 30 is filed under 29.
            const int himoku = oldest_layout && l.himoku == 30 ? 29 : l.himoku;
            s[himoku - 1] += l.kingaku;
            if (himoku == 30)
                continue;
            s[income(himoku) ? kNenkanSyunyuRow : kNenkanSisyutuRow] += l.kingaku;
        }
        s[kNenkanSagakuRow] = s[kNenkanSyunyuRow] - s[kNenkanSisyutuRow];
        return s;
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
        {NenkanSpan::UpToOpenMonth, 2006, {2007, 3}, {2006, 4}, {2007, 3}},
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
    const MonthCase april{
        {2006, 4},
        Status::Read,
        {{2, 250000}, {12, 3000}, {12, 1500}, {21, 7000}, {30, -5000}, {30, 5000}},
        {{2, 200000}, {12, 20000}}};
    folder.write_lines(u"~200604.dat"_s, month_lines(april));
    // Cut short inside an entry, and an amount that is not a number.
    QStringList cut = month_lines({{2006, 6}, Status::Damaged, {{12, 800}, {13, 900}}, {}});
    folder.write_lines(u"~200606.dat"_s, cut.mid(0, cut.size() - 2));
    folder.write_lines(u"~200607.dat"_s, month_file_with({entry("20060701", "12", "x", "", "0")}));
    // The oldest layout: no header line, four-line entries, no budgets.
    const MonthCase december{{2006, 12}, Status::Read, {{30, 700}, {12, 1200}}, {}};
    QStringList old = month_file_with({}).mid(1, 150);
    old << u"20061201"_s << u"30"_s << u"700"_s << u"old"_s;
    old << u"20061202"_s << u"12"_s << u"1,200"_s << u"old"_s;
    folder.write_lines(u"~200612.dat"_s, old);
    const MonthCase february{{2007, 2}, Status::Read, {{1, 12345}, {23, 4000}}, {{23, 3000}}};
    folder.write_lines(u"~200702.dat"_s, month_lines(february));
    // The open month's saved file is older than the ledger, which counts.
    folder.write_lines(u"~200703.dat"_s, month_file_with({entry("20070301", "12", "1", "", "0")}));
    const MonthCase march{
        {2007, 3}, Status::Open, {{2, 300000}, {12, 32000}, {30, 40000}}, {{12, 10000}}};
    for (const Line& l : march.lines)
        ledger.add_entry({u"20070305"_s, QString::number(l.himoku), amount(l.kingaku), {}, u"0"_s});
    ledger.himoku[11].yosan_kingaku = u"10,000"_s;
    ledger.budget_totals_recalc();
    // Thirteen months back: outside the table.
    folder.write_lines(u"~200603.dat"_s, month_lines({{2006, 3}, Status::Read, {{12, 9}}, {}}));

    const NenkanTable table = nenkan_table(ledger, NenkanSpan::UpToOpenMonth, 1999);
    ASSERT_EQ(table.months.size(), std::size_t(kNenkanMonths));
    std::map<QString, std::pair<MonthCase, bool>> written = {
        {u"2006/04"_s, {april, false}},
        {u"2006/12"_s, {december, true}},
        {u"2007/02"_s, {february, false}},
        {u"2007/03"_s, {march, false}},
    };
    const QStringList header = nenkan_header(table);
    std::array<double, kNenkanRows> year{};
    std::array<double, kNenkanRows> budget{};
    for (int m = 0; m < kNenkanMonths; ++m) {
        const NenkanMonth& got = table.months[m];
        const QString caption = header.at(1 + m);
        const auto w = written.find(caption);
        Status want_status = w == written.end() ? Status::Missing : w->second.first.status;
        if (caption == u"2006/06"_s || caption == u"2006/07"_s)
            want_status = Status::Damaged;
        EXPECT_EQ(got.status, want_status) << caption.toStdString();
        if (w == written.end())
            continue;
        const auto want = sums(w->second.first, w->second.second);
        for (int r = 0; r < kNenkanRows; ++r) {
            EXPECT_EQ(got.jisseki[r], want[r]) << caption.toStdString() << " row " << r;
            year[r] += want[r];
        }
        for (const auto& [no, b] : w->second.first.budgets) {
            budget[no - 1] += b;
            budget[income(no) ? kNenkanSyunyuRow : kNenkanSisyutuRow] += b;
        }
    }
    budget[kNenkanSagakuRow] = budget[kNenkanSyunyuRow] - budget[kNenkanSisyutuRow];
    for (int r = 0; r < kNenkanRows; ++r) {
        EXPECT_EQ(table.year_total(r), year[r]) << r;
        // Four months have figures; missing and damaged ones do not count.
        EXPECT_EQ(table.month_average(r), year[r] / 4) << r;
        EXPECT_EQ(table.year_budget(r), budget[r]) << r;
        EXPECT_EQ(table.budget_difference(r), budget[r] - year[r]) << r;
    }
    EXPECT_EQ(table.months.back().jisseki[kNenkanSisyutuRow], ledger.sisyutu_goukei);
    EXPECT_EQ(nenkan_damaged_files(table), (QStringList{u"~200606.dat"_s, u"~200607.dat"_s}));
    EXPECT_EQ(nenkan_damaged_text(table),
              u"読めなかったファイル: ~200606.dat、~200607.dat（空欄にしてあります）"_s);

    // The rows as shown: blanks for months without figures, then the four
    // year columns. 日常食品: 4,500 + 1,200 + 32,000; budgets 20,000 + 10,000.
    EXPECT_EQ(nenkan_row(table, 11).join(u'|'),
              u"日常食品|4,500"_s + QString(8, u'|') +
                  u"1,200||0|32,000|37,700|9,425|30,000|-7,700"_s);
    EXPECT_EQ(nenkan_row(table, kNenkanSagakuRow).mid(13),
              (QStringList{u"512,945"_s, u"128,236"_s, u"167,000"_s, u"-345,945"_s}));
    EXPECT_EQ(nenkan_row(table, 29).at(0), u"財布<=>口座"_s);
    EXPECT_EQ(nenkan_title(table), u"2006年4月～2007年3月の収支"_s);
    EXPECT_EQ(nenkan_file_stem(table), u"年間収支表200604-200703"_s);
    EXPECT_EQ(table.first_day(), u"20060401"_s);
    EXPECT_EQ(table.last_day(), u"20070331"_s);
}

TEST_F(NenkanRulesTest, AYearWithoutTheOpenMonthIsReadFromFilesOnly) {
    folder.write_lines(u"~200602.dat"_s, month_lines({{2006, 2}, Status::Read, {{12, 500}}, {}}));
    ledger.add_entry({u"20070301"_s, u"12"_s, u"999"_s, {}, u"0"_s});
    const NenkanTable table = nenkan_table(ledger, NenkanSpan::Year, 2006);
    EXPECT_EQ(nenkan_title(table), u"2006年の収支"_s);
    EXPECT_EQ(table.last_day(), u"20061231"_s);
    EXPECT_EQ(table.year_total(11), 500);
    EXPECT_EQ(table.month_average(11), 500);
    // A year without a single file has no average at all.
    const NenkanTable empty = nenkan_table(ledger, NenkanSpan::Year, 1990);
    EXPECT_EQ(empty.month_average(11), std::nullopt);
    EXPECT_EQ(nenkan_row(empty, 11).at(14), QString());
    EXPECT_EQ(nenkan_row(empty, 11).at(13), u"0"_s);
}

TEST_F(NenkanRulesTest, CsvQuotesNamesAndWritesWholeYenWithoutSeparators) {
    ledger.himoku[11].name = u"食費,\"外\""_s;
    folder.write_lines(u"~200601.dat"_s,
                       month_lines({{2006, 1}, Status::Read, {{12, 1234567}, {2, 10}}, {}}));
    folder.write_lines(u"~200602.dat"_s, month_lines({{2006, 2}, Status::Read, {{12, 2}}, {}}));
    const QStringList lines = nenkan_csv_lines(nenkan_table(ledger, NenkanSpan::Year, 2006));
    ASSERT_EQ(lines.size(), 1 + kNenkanRows);
    EXPECT_EQ(lines[0],
              u"No.,費目,2006/01,2006/02,2006/03,2006/04,2006/05,2006/06,2006/07,"
              "2006/08,2006/09,2006/10,2006/11,2006/12,年合計,月平均,年間予算,予算との差"_s);
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
