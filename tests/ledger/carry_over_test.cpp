#include "ledger/other_month.h"
#include "ledger/settings_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

QStringList entry(const char* day, const char* himoku, const char* kingaku, const char* saifu) {
    return kanvelo::testing::entry(day, himoku, kingaku, "x", saifu);
}

struct CarryOverTest : ::testing::Test {
    TempFolder dir;
    Ledger l;
    void SetUp() override {
        init_default_ledger(l, dir);
        l.nen = u"2005"_s;
        l.tuki = u"01"_s;
    }
};

} // namespace

TEST_F(CarryOverTest, CashBalanceOfDecemberCountsIncomeExpenseTransfersAndCarryOver) {
    dir.write_lines(
        u"~200412.dat"_s,
        month_file_with(
            {entry("20041201", "1", "10,000", " 0 "), entry("20041225", "2", "300,000", " 0 "),
             entry("20041226", "12", "120,500", "0"), entry("20041227", "30", "-50,000", "0"),
             entry("20041227", "30", "50,000", "1"), entry("20041228", "13", "9,999", "1")}));
    CarryOver r = carry_over_balance(l, 0);
    EXPECT_EQ(r.status, CarryOver::Status::Ok);
    EXPECT_EQ(r.zankin, 139500);
    EXPECT_EQ(carry_over_balance(l, 1).zankin, 50000 - 9999);
    EXPECT_EQ(carry_over_balance(l, 5).zankin, 0);
}

TEST_F(CarryOverTest, UsesThePreviousMonthsOwnCategoryKinds) {
    QStringList lines = month_file_with({entry("20041225", "7", "1,000", "0")});
    lines[5 * 6 + 4] = u" 1 "_s; // category 7 was an income category then
    dir.write_lines(u"~200412.dat"_s, lines);
    l.himoku[6].kubun = u"-1 "_s;
    EXPECT_EQ(carry_over_balance(l, 0).zankin, 1000);
}

TEST_F(CarryOverTest, MissingOldFormatAndDamagedFilesAreTold) {
    EXPECT_EQ(carry_over_balance(l, 0).status, CarryOver::Status::Missing);
    EXPECT_TRUE(carry_over_balance(l, 0).path.endsWith(u"~200412.dat"_s));

    QStringList lines = month_file_with({});
    lines.removeFirst();
    dir.write_lines(u"~200412.dat"_s, lines.mid(0, 150));
    EXPECT_EQ(carry_over_balance(l, 0).status, CarryOver::Status::OldFormat);

    dir.write_lines(u"~200412.dat"_s, month_file_with({entry("20041225", "12", "abc", "0")}));
    CarryOver r = carry_over_balance(l, 0);
    EXPECT_EQ(r.status, CarryOver::Status::Damaged);
    ASSERT_FALSE(r.errors.empty());
    EXPECT_TRUE(r.errors.front().message().contains(u"abc"_s));
}

TEST_F(CarryOverTest, OtherMonthsInTheYearLookOneMonthBack) {
    l.tuki = u"10"_s;
    dir.write_lines(u"~200509.dat"_s, month_file_with({entry("20050901", "2", "1,000", "0")}));
    EXPECT_EQ(carry_over_balance(l, 0).zankin, 1000);
}
