#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "support/test_files.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct SlotCase {
    const char* text;
    std::optional<int> slot;
};

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

TEST(Guards, CategoryNumberIsAWholeNumberOneToThirty) {
    const SlotCase cases[] = {{"1", 0},
                              {" 30 ", 29},
                              {"12", 11},
                              {"3.0", 2},
                              {"2.5", {}},
                              {"", {}},
                              {"abc", {}},
                              {"0", {}},
                              {"31", {}},
                              {"-1", {}},
                              {"99999999999", {}},
                              {"1e1", {}},
                              {"999999999999999999999", {}}};
    Ledger l;
    for (const SlotCase& c : cases) {
        EXPECT_EQ(himoku_slot(u8(c.text)), c.slot) << c.text;
        EXPECT_EQ(l.category_index(u8(c.text)), c.slot.value_or(-1)) << c.text;
    }
}

TEST(Guards, WalletNumberIsZeroToFourteen) {
    const SlotCase cases[] = {{"0", 0},   {" 14 ", 14}, {" 3 ", 3}, {"15", {}},
                              {"-1", {}}, {"3.5", {}},  {"", {}},   {"99999999999", {}}};
    for (const SlotCase& c : cases) {
        EXPECT_EQ(saifu_slot(u8(c.text)), c.slot) << c.text;
        EXPECT_EQ(Ledger::saifu_index(u8(c.text)), c.slot.value_or(-1)) << c.text;
    }
}

TEST(Guards, AmountsTheTotalsCannotHoldExactlyAreRefused) {
    struct Case {
        QString text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {QStringLiteral("1,000"), 1000},
        {QStringLiteral("-2,500"), -2500},
        {QStringLiteral("999,999,999,999,999"), 999999999999999.0},
        {QStringLiteral("-999999999999999"), -999999999999999.0},
        {QStringLiteral("1,000,000,000,000,000"), {}},
        {QStringLiteral("-1000000000000000"), {}},
        {QStringLiteral("abc"), {}},
        {QString(), {}},
        {QString(400, u'9'), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(amount_value(c.text), c.value) << qPrintable(c.text);
    EXPECT_TRUE(
        amount_problem(QStringLiteral("1000000000000000")).contains(QStringLiteral("大きすぎ")));
    EXPECT_TRUE(
        amount_problem(QStringLiteral("abc")).contains(QStringLiteral("数字ではありません")));
}

TEST(Guards, NumbersThatAreNotFiniteAreShownAsZero) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double v : {inf, -inf, nan}) {
        for (const char16_t* p : {u"#,##0", u"#,##0.0", u"0.000", u"00"}) {
            const QString s = format_number(v, QString::fromUtf16(p));
            EXPECT_TRUE(is_number(s)) << qPrintable(s);
            EXPECT_EQ(to_number(s), 0.0) << qPrintable(s);
        }
        EXPECT_EQ(format_number(v, QStringLiteral("#,###")), QString());
    }
}

TEST(Guards, HugeAmountInAMonthIsReportedCountsNothingAndIsWrittenBackAsHeld) {
    TempFolder dir;
    Ledger l;
    init_default_ledger(l, dir);
    l.nen = QStringLiteral("2004");
    l.tuki = QStringLiteral("03");
    QStringList lines = month_file_with({entry("20040301", "12", "1000000000000000", "a", "0"),
                                         entry("20040302", "12", "500", "b", "0")});
    lines[5 * 11 + 3] = QStringLiteral("2000000000000000"); // budget of category 12
    dir.write_lines(QStringLiteral("~200403.dat"), lines);
    const QByteArray before = dir.read_bytes(QStringLiteral("~200403.dat"));
    ReadReport r = month_file_read(l);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors.at(0).line, 5 * 11 + 3 + 1);
    EXPECT_EQ(r.errors.at(1).line, 182);
    EXPECT_EQ(l.himoku[11].jisseki, 500);
    EXPECT_EQ(l.sisyutu_goukei, 500);
    EXPECT_EQ(l.saifu[0].zankin, -500);
    EXPECT_EQ(l.yosan_sisyutu_goukei, 0);
    ASSERT_FALSE(month_file_write(l));
    EXPECT_EQ(dir.read_bytes(QStringLiteral("~200403.dat")), before);
}

TEST(Guards, WindowFileValuesOutOfRangeAreReportedAndNotUsed) {
    TempFolder dir;
    Ledger l;
    l.app_path = dir.path();
    dir.write_lines(kWindowFile,
                    {QStringLiteral("99999999999"), QStringLiteral(" 9615 "),
                     QStringLiteral("-1e3"), QStringLiteral(" 450 "), QStringLiteral("99999999999"),
                     QString(), QString(), QString(), QString(), QString()});
    ReadReport r = window_file_read(l);
    ASSERT_EQ(r.errors.size(), 3u);
    EXPECT_EQ(r.errors.at(0).line, 1);
    EXPECT_EQ(r.errors.at(1).line, 3);
    EXPECT_EQ(r.errors.at(2).line, 5);
    EXPECT_EQ(l.win_height, 0);
    EXPECT_EQ(l.win_width, 9615);
    EXPECT_EQ(l.win_state, 0);
}
