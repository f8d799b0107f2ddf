#include "budget/yosan_rules.h"
#include "ledger/settings_file.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;

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
