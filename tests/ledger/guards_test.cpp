#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

TEST(Guards, CategoryAndWalletNumbersAreWholeNumbersInTheirRange) {
    const struct {
        const char* text;
        std::optional<int> himoku, saifu;
    } cases[] = {
        {"1", 0, 1},     {" 30 ", 29, {}},
        {"0", {}, 0},    {" 14 ", 13, 14},
        {"15", 14, {}},  {"31", {}, {}},
        {"3.0", 2, 3},   {"2.5", {}, {}},
        {"", {}, {}},    {"abc", {}, {}},
        {"-1", {}, {}},  {"99999999999", {}, {}},
        {"1e1", {}, {}}, {"999999999999999999999", {}, {}},
    };
    Ledger l;
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(himoku_slot(text), c.himoku) << c.text;
        EXPECT_EQ(saifu_slot(text), c.saifu) << c.text;
        EXPECT_EQ(l.category_index(text), c.himoku.value_or(-1)) << c.text;
        EXPECT_EQ(Ledger::saifu_index(text), c.saifu.value_or(-1)) << c.text;
    }
}

TEST(Guards, AmountsTheTotalsCannotHoldExactlyAreRefused) {
    const struct {
        QString text;
        std::optional<double> value;
    } cases[] = {
        {u"-2,500"_s, -2500},
        {u"999,999,999,999,999"_s, 999999999999999.0},
        {u"1,000,000,000,000,000"_s, {}},
        {u"-1000000000000000"_s, {}},
        {u"abc"_s, {}},
        {QString(), {}},
        {QString(400, u'9'), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amount_value(c.text), c.value) << qPrintable(c.text);
}

TEST(Guards, NumbersThatAreNotFiniteAreShownAsZero) {
    for (double v :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        for (const char16_t* p : {u"#,##0", u"#,##0.0", u"0.000", u"00"})
            EXPECT_EQ(to_number(format_number(v, QString::fromUtf16(p))), 0.0);
        EXPECT_EQ(format_number(v, u"#,###"_s), QString());
    }
}

TEST(Guards, HugeAmountInAMonthIsReportedCountsNothingAndIsWrittenBackAsHeld) {
    TempFolder dir;
    Ledger l;
    init_default_ledger(l, dir);
    l.nen = u"2004"_s;
    l.tuki = u"03"_s;
    QStringList lines = month_file_with({entry("20040301", "12", "1000000000000000", "a", "0"),
                                         entry("20040302", "12", "500", "b", "0")});
    lines[5 * 11 + 3] = u"2000000000000000"_s; // budget of category 12
    dir.write_lines(u"~200403.dat"_s, lines);
    const QByteArray before = dir.read_bytes(u"~200403.dat"_s);
    ReadReport r = month_file_read(l);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors.at(0).line, 5 * 11 + 3 + 1);
    EXPECT_EQ(r.errors.at(1).line, 182);
    EXPECT_TRUE(r.errors.at(1).detail.contains(u"大きすぎ"_s));
    EXPECT_EQ(l.sisyutu_goukei, 500);
    EXPECT_EQ(l.saifu[0].zankin, -500);
    EXPECT_EQ(l.yosan_sisyutu_goukei, 0);
    ASSERT_FALSE(month_file_write(l));
    EXPECT_EQ(dir.read_bytes(u"~200403.dat"_s), before);
}

TEST(Guards, WindowFileValuesOutOfRangeAreReportedAndNotUsed) {
    TempFolder dir;
    Ledger l;
    l.app_path = dir.path();
    QStringList lines{u"99999999999"_s, u" 9615 "_s, u"-1e3"_s, u" 450 "_s, u"99999999999"_s};
    dir.write_lines(kWindowFile, lines + QStringList(5, QString()));
    ReadReport r = window_file_read(l);
    ASSERT_EQ(r.errors.size(), 3u);
    EXPECT_EQ(r.errors.at(2).line, 5);
    EXPECT_EQ(l.win_height, 0);
    EXPECT_EQ(l.win_width, 9615);
    EXPECT_EQ(l.win_state, 0);
}
