#include "ledger/line_file.h"
#include "ledger/recurring_due.h"
#include "ledger/recurring_file.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

using R = RecurringTemplate::Repeat;

RecurringTemplate make(R repeat, int every, int from_nen, int from_tuki, int day) {
    RecurringTemplate t;
    t.repeat = repeat;
    t.every = every;
    t.from_nen = from_nen;
    t.from_tuki = from_tuki;
    t.day = day;
    t.himoku_no = 8;
    t.kingaku = u"80,000"_s;
    t.tekiyo = u"家賃"_s;
    t.saifu_no = 1;
    return t;
}

} // namespace

TEST(RecurringDue, FallsOnItsDayInTheMonthsItRepeatsIn) {
    const int end = RecurringTemplate::kMonthEnd;
    struct Case {
        const char* what;
        RecurringTemplate t;
        int nen, tuki;
        QDate due; // null: not due
    };
    const Case cases[] = {
        {"monthly", make(R::Monthly, 1, 0, 1, 25), 2004, 3, {2004, 3, 25}},
        {"月末 in a leap February", make(R::Monthly, 1, 0, 1, end), 2004, 2, {2004, 2, 29}},
        {"月末 in February", make(R::Monthly, 1, 0, 1, end), 2005, 2, {2005, 2, 28}},
        {"月末 in April", make(R::Monthly, 1, 0, 1, end), 2005, 4, {2005, 4, 30}},
        {"day 31 in February is its last day",
         make(R::Monthly, 1, 0, 1, 31),
         2005,
         2,
         {2005, 2, 28}},
        {"day 31 in a month that has it", make(R::Monthly, 1, 0, 1, 31), 2005, 1, {2005, 1, 31}},
        {"every 3 months: the first month",
         make(R::EveryNMonths, 3, 2004, 11, 10),
         2004,
         11,
         {2004, 11, 10}},
        {"every 3 months: across the year-end",
         make(R::EveryNMonths, 3, 2004, 11, 10),
         2005,
         2,
         {2005, 2, 10}},
        {"every 3 months: a month between", make(R::EveryNMonths, 3, 2004, 11, 10), 2005, 1, {}},
        {"every 3 months: before the first month",
         make(R::EveryNMonths, 3, 2004, 11, 10),
         2004,
         8,
         {}},
        {"every 2 months a year later",
         make(R::EveryNMonths, 2, 2004, 1, 5),
         2005,
         1,
         {2005, 1, 5}},
        {"every 12 months", make(R::EveryNMonths, 12, 2004, 6, end), 2007, 6, {2007, 6, 30}},
        {"yearly in its month", make(R::Yearly, 1, 0, 5, 20), 1999, 5, {1999, 5, 20}},
        {"yearly, other month", make(R::Yearly, 1, 0, 5, 20), 1999, 6, {}},
        {"yearly on 29 February in a common year",
         make(R::Yearly, 1, 0, 2, 29),
         2005,
         2,
         {2005, 2, 28}},
    };
    for (const Case& c : cases) {
        const auto due = due_date(c.t, c.nen, c.tuki);
        EXPECT_EQ(due.value_or(QDate()), c.due) << c.what;
    }
}

TEST(RecurringDue, OnlyTemplatesNotRecordedYetAreDueEachMatchedOnce) {
    TempFolder dir;
    Ledger l;
    init_default_ledger(l, dir);
    l.nen = u"2004"_s;
    l.tuki = u"03"_s;
    RecurringTemplate rent = make(R::Monthly, 1, 0, 1, 25);
    RecurringTemplate salary = make(R::Monthly, 1, 0, 1, 20);
    salary.himoku_no = 2;
    salary.kingaku = u"250000"_s;
    salary.tekiyo = u"給料"_s;
    RecurringTemplate coffee = make(R::Monthly, 1, 0, 1, 1);
    coffee.himoku_no = 12;
    coffee.kingaku = u"300"_s;
    coffee.tekiyo = u"Coffee"_s;
    const RecurringTemplate yearly_elsewhere = make(R::Yearly, 1, 0, 7, 1);
    // Recorded already: the rent (amount written another way, blanks around
    // the description) and one of two equal coffees.
    l.add_entry({u"20040325"_s, u"08"_s, u"80000"_s, u" 家賃 "_s, u"0"_s});
    l.add_entry({u"20040301"_s, u"12"_s, u"300"_s, u"COFFEE"_s, u"0"_s});
    // Not the same: another day, another category.
    l.add_entry({u"20040321"_s, u"2"_s, u"250,000"_s, u"給料"_s, u"1"_s});
    l.add_entry({u"20040320"_s, u"3"_s, u"250,000"_s, u"給料"_s, u"1"_s});

    const std::vector<DueEntry> due =
        due_entries({rent, salary, coffee, coffee, yearly_elsewhere}, l);
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].template_index, 1);
    EXPECT_EQ(due[0].entry.hiduke, u"20040320"_s);
    EXPECT_EQ(due[0].entry.himoku_no, u"2"_s);
    EXPECT_EQ(due[0].entry.kingaku, u"250000"_s);
    EXPECT_EQ(due[0].entry.saifu_no, u"1"_s);
    EXPECT_EQ(due[1].template_index, 3);

    // Recorded, they are due no more.
    ASSERT_TRUE(l.add_entries({due[0].entry, due[1].entry}));
    EXPECT_TRUE(due_entries({rent, salary, coffee, coffee, yearly_elsewhere}, l).empty());
}

TEST(RecurringFile, ReadsTemplatesAndKeepsDamagedLinesAsTheyWere) {
    TempFolder dir;
    const QString path = dir.file(kRecurringFile);
    EXPECT_TRUE(read_recurring(path).report.missing);
    const QStringList lines = {
        u"毎月\t\t25\t8\t80,000\t家賃\t1"_s,
        u"毎年\t5\t月末\t7\t36,000\t自動車税\t0"_s,
        u"3か月ごと\t200411\t10\t24\t-5,000\t積立\t2"_s,
        u""_s,
        u"毎月\t\t32\t8\t1\t日がない\t0"_s,       // no day 32
        u"毎月\t\t1\t31\t1\t費目がない\t0"_s,     // category 31
        u"毎月\t\t1\t8\t1e15\t大きすぎる\t0"_s,   // amount past the limit
        u"毎年\t13\t1\t8\t1\t十三月\t0"_s,        // month 13
        u"0か月ごと\t200401\t1\t8\t1\t零\t0"_s,   // every 0 months
        u"2か月ごと\t2004-1\t1\t8\t1\t起点\t0"_s, // not yyyymm
        u"毎月\t3\t1\t8\t1\t余分な起点\t0"_s,
        u"毎月\t\t1\t8\t1\t財布\t15"_s,
        u"毎月\t\t1\t8\t1\t欄が足りない"_s,
    };
    dir.write_bytes(kRecurringFile,
                    cp932_bytes(lines + QStringList{u"x"_s}, {{13, "\x81\x41\xff\xfe"}}));
    const RecurringRead r = read_recurring(path);
    ASSERT_EQ(r.file.templates.size(), 3u);
    EXPECT_EQ(r.file.templates[1].repeat, R::Yearly);
    EXPECT_EQ(r.file.templates[1].from_tuki, 5);
    EXPECT_EQ(r.file.templates[1].day, RecurringTemplate::kMonthEnd);
    EXPECT_EQ(r.file.templates[2].every, 3);
    EXPECT_EQ(r.file.templates[2].from_nen, 2004);
    EXPECT_EQ(r.file.templates[2].from_tuki, 11);
    EXPECT_EQ(r.file.kept.size(), 10);
    std::vector<int> bad;
    for (const FileError& e : r.report.errors)
        bad.push_back(e.line);
    // Line 14's bytes are reported once as undecodable and once as not a template.
    EXPECT_EQ(bad, (std::vector<int>{14, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));

    // Written back: templates first, then the kept lines byte for byte.
    const QByteArray before = dir.read_bytes(kRecurringFile);
    ASSERT_EQ(write_recurring(path, r.file), std::nullopt);
    const QByteArray after = dir.read_bytes(kRecurringFile);
    EXPECT_TRUE(after.startsWith(cp932_bytes(lines.mid(0, 3))));
    EXPECT_TRUE(after.endsWith("\x81\x41\xff\xfe\r\n"));
    EXPECT_EQ(after.size(), before.size() - 2); // the blank line is gone
    EXPECT_EQ(read_recurring(path).file, r.file);
}
