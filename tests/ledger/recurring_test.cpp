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

RecurringTemplate make(R repeat, int every, int from_nen, int from_tuki, int day, int himoku = 8,
                       const QString& kingaku = u"80,000"_s, const QString& tekiyo = u"家賃"_s) {
    return {repeat, every, from_nen, from_tuki, day, himoku, kingaku, tekiyo, 1};
}

} // namespace

TEST(RecurringDue, FallsOnItsDayInTheMonthsItRepeatsIn) {
    const int end = RecurringTemplate::kMonthEnd;
    const struct {
        RecurringTemplate t;
        int nen, tuki;
        QDate due; // null: not due
    } cases[] = {
        {make(R::Monthly, 1, 0, 1, 25), 2004, 3, {2004, 3, 25}},
        {make(R::Monthly, 1, 0, 1, end), 2004, 2, {2004, 2, 29}},
        {make(R::Monthly, 1, 0, 1, end), 2005, 2, {2005, 2, 28}},
        {make(R::Monthly, 1, 0, 1, 31), 2005, 2, {2005, 2, 28}},
        {make(R::Monthly, 1, 0, 1, 31), 2005, 1, {2005, 1, 31}},
        {make(R::EveryNMonths, 3, 2004, 11, 10), 2004, 11, {2004, 11, 10}},
        {make(R::EveryNMonths, 3, 2004, 11, 10), 2005, 2, {2005, 2, 10}},
        {make(R::EveryNMonths, 3, 2004, 11, 10), 2005, 1, {}},
        {make(R::EveryNMonths, 3, 2004, 11, 10), 2004, 8, {}},
        {make(R::EveryNMonths, 12, 2004, 6, end), 2007, 6, {2007, 6, 30}},
        {make(R::Yearly, 1, 0, 5, 20), 1999, 5, {1999, 5, 20}},
        {make(R::Yearly, 1, 0, 5, 20), 1999, 6, {}},
        {make(R::Yearly, 1, 0, 2, 29), 2005, 2, {2005, 2, 28}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(due_date(c.t, c.nen, c.tuki).value_or(QDate()), c.due) << c.nen << "/" << c.tuki;
}

TEST(RecurringDue, OnlyTemplatesNotRecordedYetAreDueEachMatchedOnce) {
    TempFolder dir;
    Ledger l;
    init_default_ledger(l, dir);
    l.nen = u"2004"_s;
    l.tuki = u"03"_s;
    const RecurringTemplate coffee = make(R::Monthly, 1, 0, 1, 1, 12, u"300"_s, u"Coffee"_s);
    const std::vector<RecurringTemplate> templates = {
        make(R::Monthly, 1, 0, 1, 25), make(R::Monthly, 1, 0, 1, 20, 2, u"250000"_s, u"給料"_s),
        coffee, coffee, make(R::Yearly, 1, 0, 7, 1)};
    // Recorded: the rent (amount written another way, blanks around the
    // description) and one coffee; the salary on another day or category is not.
    l.add_entry({u"20040325"_s, u"08"_s, u"80000"_s, u" 家賃 "_s, u"0"_s});
    l.add_entry({u"20040301"_s, u"12"_s, u"300"_s, u"COFFEE"_s, u"0"_s});
    l.add_entry({u"20040321"_s, u"2"_s, u"250,000"_s, u"給料"_s, u"1"_s});
    l.add_entry({u"20040320"_s, u"3"_s, u"250,000"_s, u"給料"_s, u"1"_s});

    const std::vector<DueEntry> due = due_entries(templates, l);
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].template_index, 1);
    const SyusiRec& e = due[0].entry;
    EXPECT_EQ(QStringList({e.hiduke, e.himoku_no, e.kingaku, e.saifu_no}),
              QStringList({u"20040320"_s, u"2"_s, u"250000"_s, u"1"_s}));
    EXPECT_EQ(due[1].template_index, 3);

    ASSERT_TRUE(l.add_entries({due[0].entry, due[1].entry}));
    EXPECT_TRUE(due_entries(templates, l).empty());
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
