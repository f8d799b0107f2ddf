#include "entry/entry_rules.h"
#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

std::unique_ptr<Ledger> default_ledger() {
    auto ledger = std::make_unique<Ledger>();
    set_default_categories(*ledger);
    set_default_wallets(*ledger);
    return ledger;
}

TEST(EntryRules, ListsNeverOfferTheTransferCategory) {
    auto l = default_ledger();
    const QList<int> expense = category_list_slots(*l, false);
    const QList<int> income = category_list_slots(*l, true);
    EXPECT_EQ(income, (QList<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(expense.first(), 6);
    EXPECT_EQ(expense.last(), 28);
    EXPECT_EQ(expense.size(), 23);

    // Category 30 made an income category is offered by the income list only.
    l->himoku[29].kubun = u" 1 "_s;
    EXPECT_EQ(category_list_slots(*l, true).last(), 29);
    EXPECT_FALSE(category_list_slots(*l, false).contains(29));
}

TEST(EntryRules, CategoryNumberMustBeAWholeNumberFromOneToThirty) {
    EXPECT_EQ(check_category(u"1"_s).slot, 0);
    EXPECT_EQ(check_category(u" 5 "_s).slot, 4);
    EXPECT_EQ(check_category(u"30"_s).slot, 29);
    for (const QString& out : {u"0"_s, u"31"_s, u"45"_s, u"-1"_s, u"2.5"_s})
        EXPECT_EQ(check_category(out).check, CategoryCheck::OutOfRange) << out.toStdString();
    for (const QString& bad : {u""_s, u"a"_s, u"1a"_s, u" "_s})
        EXPECT_EQ(check_category(bad).check, CategoryCheck::NotNumber) << bad.toStdString();
}

TEST(EntryRules, CategoryMessagesComeInTheirOrder) {
    const QString range = u"1～30の数字を入力して下さい。"_s;
    EXPECT_EQ(category_messages(CategoryCheck::NotNumber, Asker::Box),
              (QStringList{u"数字を入力して下さいね。"_s, range}));
    EXPECT_EQ(category_messages(CategoryCheck::NotNumber, Asker::FocusCheck),
              (QStringList{u"費目の数字を入力して下さいね。"_s, range}));
    EXPECT_EQ(category_messages(CategoryCheck::OutOfRange, Asker::FocusCheck), QStringList{range});
    EXPECT_TRUE(category_messages(CategoryCheck::Ok, Asker::Box).isEmpty());
}

TEST(EntryRules, EntryChecksRunInOrderAndTheFirstFailureWins) {
    auto l = default_ledger();
    const QString cash = u"現金"_s;
    auto check = [&](const QString& n, const QString& k, const QString& w) {
        return check_entry(*l, n, k, w);
    };
    EXPECT_TRUE(check(u"12"_s, u"1,000"_s, cash).ok());

    EntryCheckResult r = check(u""_s, u""_s, u"?"_s);
    EXPECT_EQ(r.messages, QStringList{u"費目を指定して下さい。"_s});
    EXPECT_EQ(r.focus, EntryField::Number);

    r = check(u"abc"_s, u""_s, cash);
    EXPECT_EQ(r.messages, QStringList{u"金額を入れて下さい。"_s});
    EXPECT_EQ(r.focus, EntryField::Kingaku);

    r = check(u"abc"_s, u"x"_s, cash);
    EXPECT_EQ(r.messages.size(), 2);
    EXPECT_EQ(r.messages.first(), u"数字を入力して下さいね。"_s);
    EXPECT_EQ(r.focus, EntryField::Number);

    r = check(u"31"_s, u"x"_s, cash);
    EXPECT_EQ(r.messages, QStringList{u"1～30の数字を入力して下さい。"_s});

    r = check(u"12"_s, u"12 000"_s, cash);
    EXPECT_EQ(r.messages, QStringList{u"数字を入力して下さいね。"_s});
    EXPECT_EQ(r.focus, EntryField::Kingaku);

    // Amounts the totals cannot hold exactly are refused, whatever their sign.
    for (const QString& huge : {u"1,000,000,000,000,000"_s, u"-1000000000000000"_s, u"1e400"_s}) {
        r = check(u"12"_s, huge, cash);
        EXPECT_EQ(r.focus, EntryField::Kingaku) << huge.toStdString();
        EXPECT_EQ(r.messages.size(), 1);
    }
    EXPECT_TRUE(check(u"12"_s, u"999,999,999,999,999"_s, cash).ok());
    EXPECT_NE(check(u"12"_s, u"1,000,000,000,000,000"_s, cash).messages,
              QStringList{u"数字を入力して下さいね。"_s});

    r = check(u"12"_s, u"-500"_s, u"財布"_s);
    EXPECT_EQ(r.messages, QStringList{u"財布の指定が不正です。"_s});

    l->kensu = kSyusiLimit;
    r = check(u"12"_s, u"-500"_s, cash);
    EXPECT_TRUE(r.limit);
    EXPECT_TRUE(r.messages.isEmpty());
    l->kensu = kSyusiLimit - 1;
    EXPECT_TRUE(check(u"12"_s, u"0"_s, u"その他９"_s).ok());
}

TEST(EntryRules, DateKeyAndDiaryIndexOfADate) {
    EXPECT_EQ(date_key({2004, 3, 7}), u"20040307"_s);
    EXPECT_EQ(date_key({2004, 12, 31}), u"20041231"_s);
    EXPECT_EQ(entry_day_index({2004, 1, 1}), 0);
    EXPECT_EQ(entry_day_index({2004, 12, 31}), 365);
    EXPECT_EQ(entry_day_index({2005, 12, 31}), 364);
    EXPECT_EQ(entry_day_index({2004, 3, 1}), 60);
}

TEST(EntryRules, ImpossibleDaysAreLoweredToTheMonthsLastDay) {
    EXPECT_FALSE(date_exists({2004, 2, 30}));
    EXPECT_TRUE(date_exists({2004, 2, 29}));
    EXPECT_EQ(corrected_day({2004, 2, 31}), 29);
    EXPECT_EQ(corrected_day({2005, 2, 31}), 28);
    EXPECT_EQ(corrected_day({2100, 2, 29}), 28); // not a leap year
    EXPECT_EQ(corrected_day({2004, 4, 31}), 30);
    EXPECT_EQ(corrected_day({2004, 1, 31}), 31);
}

TEST(EntryRules, WeekdayLetterAndColourStartOnSunday) {
    // 7 March 2004 was a Sunday.
    EXPECT_EQ(entry_weekday({2004, 3, 7}), u"日"_s);
    EXPECT_EQ(entry_weekday({2004, 3, 8}), u"月"_s);
    EXPECT_EQ(entry_weekday({2004, 3, 13}), u"土"_s);
    EXPECT_EQ(weekday_colour({2004, 3, 7}), QColor(255, 0, 0));
    EXPECT_EQ(weekday_colour({2004, 3, 13}), QColor(0, 0, 255));
    EXPECT_EQ(weekday_colour({2004, 3, 10}), QColor(0, 0, 0));
}

TEST(EntryRules, RecordKeepsTheTypedTextsAndTheWalletIndex) {
    const SyusiRec r = entry_record({2004, 3, 7}, u" 12"_s, u"12000"_s, u"昼食"_s, 3);
    EXPECT_EQ(r.hiduke, u"20040307"_s);
    EXPECT_EQ(r.himoku_no, u" 12"_s);
    EXPECT_EQ(r.kingaku, u"12000"_s);
    EXPECT_EQ(r.tekiyo, u"昼食"_s);
    EXPECT_EQ(r.saifu_no, u"3"_s);
}

} // namespace
} // namespace kanvelo
