#include "charts/graph_rules.h"
#include "ledger/settings_file.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

using Status = MonthFigures::Status;

SyusiRec rec(const char* hiduke, const char* himoku_no, const char* kingaku) {
    return {QString::fromUtf8(hiduke), QString::fromUtf8(himoku_no), QString::fromUtf8(kingaku),
            u"t"_s, u"0"_s};
}

struct GraphRulesTest : ::testing::Test {
    TempFolder folder;
    Ledger ledger;

    void SetUp() override {
        init_default_ledger(ledger, folder);
        ledger.nen = u"2007"_s;
        ledger.tuki = u"03"_s;
    }
};

} // namespace

TEST_F(GraphRulesTest, ExpenseIsTheLedgersCategoryTotalsLargestFirst) {
    for (const SyusiRec& s :
         {rec("20070301", "12", "1,000"), rec("20070302", "9", "5,000"),
          rec("20070303", "13", "1000"), rec("20070304", "2", "9,999"),
          rec("20070305", "30", "-7,000"), rec("20070306", "11", "0"), rec("20070307", "9", "500")})
        ledger.add_entry(s);
    const std::vector<ExpenseSlice> got = expense_by_category(ledger);
    // Income, the transfer and a category without expense are left out;
    // equal amounts keep the category order.
    const QList<QStringList> want = {
        {u"住宅費"_s, u"5,500"_s, u"73.3%"_s},
        {u"日常食品"_s, u"1,000"_s, u"13.3%"_s},
        {u"外食"_s, u"1,000"_s, u"13.3%"_s},
    };
    ASSERT_EQ(got.size(), std::size_t(want.size()));
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(expense_row(got[i]), want[int(i)]) << i;
        EXPECT_EQ(got[i].kingaku, ledger.himoku[got[i].no - 1].jisseki);
    }
    ledger.ledger_reset_month();
    EXPECT_TRUE(expense_by_category(ledger).empty());
}

TEST_F(GraphRulesTest, TwelveMonthsAcrossTheYearFromFilesAndTheOpenLedger) {
    // 13 months back: not in the chart.
    folder.write_lines(u"~200603.dat"_s, month_file_with({entry("20060301", "2", "1", "", "0")}));
    folder.write_lines(u"~200604.dat"_s,
                       month_file_with({entry("20060425", "2", "250,000", "給料", "1"),
                                        entry("20060426", "12", "3,000", "", "0"),
                                        entry("20060427", "30", "-5,000", "引出", "1"),
                                        entry("20060427", "30", "5,000", "引出", "0")}));
    // A file that ends inside an entry and one whose amount is not a number.
    QStringList cut = month_file_with({entry("20060601", "12", "800", "", "0")});
    folder.write_lines(u"~200606.dat"_s, cut.mid(0, cut.size() - 2));
    folder.write_lines(u"~200607.dat"_s, month_file_with({entry("20060701", "12", "x", "", "0")}));
    // The oldest layout: no header, four-line entries, 30 counted as 29.
    QStringList old = month_file_with({}).mid(1, 150);
    old << u"20061201"_s << u"30"_s << u"700"_s << u"old"_s;
    folder.write_lines(u"~200612.dat"_s, old);
    // Bytes the code page cannot decode in a description change no total.
    QStringList odd = month_file_with({entry("20070201", "1", "12,345", "?", "0")});
    folder.write_bytes(u"~200702.dat"_s, cp932_bytes(odd, {{int(odd.size()) - 2, "\x85\x40"}}));
    // The open month's file is older than the ledger, which wins.
    folder.write_lines(u"~200703.dat"_s, month_file_with({entry("20070301", "12", "1", "", "0")}));
    ledger.add_entry(rec("20070310", "2", "300,000"));
    ledger.add_entry(rec("20070311", "12", "320,000"));
    ledger.add_entry(rec("20070312", "30", "40,000"));

    struct Want {
        const char16_t* caption;
        Status status;
        double syunyu;
        double sisyutu;
    };
    const Want want[kGraphMonths] = {
        {u"2006/04", Status::Read, 250000, 3000}, {u"2006/05", Status::Missing, 0, 0},
        {u"2006/06", Status::Damaged, 0, 0},      {u"2006/07", Status::Damaged, 0, 0},
        {u"2006/08", Status::Missing, 0, 0},      {u"2006/09", Status::Missing, 0, 0},
        {u"2006/10", Status::Missing, 0, 0},      {u"2006/11", Status::Missing, 0, 0},
        {u"2006/12", Status::Read, 0, 700},       {u"2007/01", Status::Missing, 0, 0},
        {u"2007/02", Status::Read, 12345, 0},     {u"2007/03", Status::Open, 300000, 320000},
    };
    const std::vector<MonthFigures> got = twelve_months(ledger);
    ASSERT_EQ(got.size(), std::size_t(kGraphMonths));
    for (int i = 0; i < kGraphMonths; ++i) {
        const QString caption = QString::fromUtf16(want[i].caption);
        EXPECT_EQ(month_caption(got[i]), caption);
        EXPECT_EQ(got[i].status, want[i].status) << caption.toStdString();
        EXPECT_EQ(got[i].syunyu, want[i].syunyu) << caption.toStdString();
        EXPECT_EQ(got[i].sisyutu, want[i].sisyutu) << caption.toStdString();
    }
    EXPECT_EQ(got.back().syunyu, ledger.syunyu_goukei);
    EXPECT_EQ(got.back().sisyutu, ledger.sisyutu_goukei);
    EXPECT_EQ(unreadable_files(got), (QStringList{u"~200606.dat"_s, u"~200607.dat"_s}));
    EXPECT_EQ(month_row(got[11]).last(), u"-20,000"_s);
}
