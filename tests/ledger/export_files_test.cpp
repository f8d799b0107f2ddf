#include "ledger/export_files.h"
#include "ledger/settings_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

struct ExportFilesTest : ::testing::Test {
    TempFolder dir;
    Ledger l;
    void SetUp() override { init_default_ledger(l, dir); }
};

} // namespace

TEST(ExportMonths, OnlyRealMonthsFromStartToEnd) {
    const auto across = months_between({1998, 11}, {1999, 2});
    const std::vector<CalendarMonth> expected{{1998, 11}, {1998, 12}, {1999, 1}, {1999, 2}};
    EXPECT_EQ(across, expected);
    EXPECT_EQ(months_between({2004, 3}, {2004, 3}).size(), 1u);
    EXPECT_TRUE(months_between({1999, 2}, {1998, 11}).empty());
    EXPECT_EQ(months_between({1900, 1}, {3000, 12}).size(), 1101u * 12);
    EXPECT_EQ(month_file_name_of({1998, 9}), u"~199809.dat");
}

TEST(ExportCsv, FieldsWithACommaOrAQuoteAreQuoted) {
    const std::pair<const char*, const char*> cases[] = {
        {"食費", "食費"},
        {"", ""},
        {"外食,飲み会", "\"外食,飲み会\""},
        {"\"特別\"費", "\"\"\"特別\"\"費\""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(csv_field(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

// A damaged month stops the totals and names its file and the line at fault.
TEST_F(ExportFilesTest, DamagedMonthStopsTheTotalsAtItsLine) {
    const int entries = 1 + 150 + 30; // header, categories, wallets
    struct Case {
        QStringList lines;
        int line;
    };
    QStringList cut = month_file_with({});
    cut = cut.mid(0, 100);
    const Case cases[] = {
        {month_file_with({entry("19981101", "12", "abc", "パン", "0")}), entries + 3},
        {month_file_with({entry("19981101", "12", "1,000", "パン", "0"),
                          entry("19981102", "12", "", "空", "0")}),
         entries + 5 + 3},
        {month_file_with({entry("19981101", "0", "100", "番号", "0")}), entries + 2},
        {month_file_with({entry("19981101", "12", "100", "パン", "0")}).mid(0, entries + 3),
         entries + 4},
        {cut, 101},
    };
    for (const Case& c : cases) {
        dir.write_lines(u"~199811.dat"_s, c.lines);
        const CategoryTotals t = category_totals(dir.path(), {1998, 10}, {1998, 12});
        ASSERT_TRUE(t.error.has_value()) << c.line;
        EXPECT_EQ(t.error->file_name(), u"~199811.dat");
        EXPECT_EQ(t.error->line, c.line);
        EXPECT_TRUE(t.lines.isEmpty());
    }
}

TEST_F(ExportFilesTest, UndecodableBytesInADescriptionDoNotStopTheTotals) {
    dir.write_bytes(u"~199811.dat"_s,
                    cp932_bytes(month_file_with({entry("19981101", "12", "1,500", "x", "0")}),
                                {{181 + 3, QByteArray("\x81\x7f")}}));
    const CategoryTotals t = category_totals(dir.path(), {1998, 11}, {1998, 11});
    ASSERT_FALSE(t.error.has_value()) << qPrintable(t.error->message());
    EXPECT_EQ(t.lines.at(12), u" 12,日常食品,1500");
}

// Expenses are negated, income and transfers keep their sign, and an amount
// that is not a number leaves the field empty.
TEST_F(ExportFilesTest, EntryAmountsAreTheValueWithTheExpenseSign) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"12", "1,500", "-1500"},
        {"12", "-500", "500"},
        {"12", "0", "0"},
        {"30", "-5,000", "-5000"},
        {"30", "5000", "5000"},
        {"2", "1,500", "1500"},
        {"12", "", ""},
        {"12", "abc", ""},
        {"12", "2.5", "-3"},
        {"0", "700", "700"},
        {"12", "1,000,000,000,000,000", ""},
    };
    for (const auto& [himoku, kingaku, out] : cases) {
        const SyusiRec s{
            u"20040301"_s, QString::fromUtf8(himoku), QString::fromUtf8(kingaku), {}, u"0"_s};
        EXPECT_EQ(entries_amount(l, s), QString::fromUtf8(out)) << himoku << " " << kingaku;
    }
}
