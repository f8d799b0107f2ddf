#include "ledger/recurring_file.h"
#include "support/gui_keys.h"
#include "support/gui_month_view.h"
#include "support/gui_window_alone.h"

#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using testing::child;
using testing::click;
using testing::make_active;

QStringList rows_of(QListWidget* list, bool only_checked = false) {
    QStringList out;
    for (int r = 0; r < list->count(); ++r) {
        if (!only_checked || list->item(r)->checkState() == Qt::Checked)
            out << list->item(r)->text();
    }
    return out;
}

// March 2004; the salary (last day) is recorded already, the July tax not due.
class RecurringTest : public testing::MonthViewTest {
protected:
    void SetUp() override {
        MonthViewTest::SetUp();
        folder.write_lines(kRecurringFile, {u"毎月\t\t25\t8\t80,000\t家賃\t1"_s,
                                            u"毎月\t\t月末\t2\t250,000\t給料\t1"_s,
                                            u"毎年\t3\t10\t7\t36,000\t自動車税\t0"_s,
                                            u"毎年\t7\t10\t7\t9,000\t保険\t0"_s});
    }

    void start_with_due(const std::function<void(QDialog&)>& drive) {
        modals.next([&](QDialog& d) {
            make_active(d);
            listed = rows_of(child<QListWidget>(d, "teiki_kinyu_list"), true);
            drive(d);
        });
        start({testing::entry("20040331", "2", "250,000", "給料", "1")});
        EXPECT_EQ(modals.pending(), 0);
    }

    QStringList listed;
};

} // namespace

TEST_F(RecurringTest, OpeningTheMonthOffersWhatIsDueAndNotRecordedAndRecordsItOnce) {
    start_with_due([](QDialog& d) { click(d, "teiki_kinyu"); });
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[0].contains(u"家賃"_s)) << listed[0].toStdString();
    EXPECT_TRUE(listed[0].startsWith(u" 3/25"_s)) << listed[0].toStdString();
    EXPECT_TRUE(listed[1].contains(u"自動車税"_s)) << listed[1].toStdString();

    ASSERT_EQ(ledger->kensu, 3);
    Grid* g1 = grid("Main_Grid1");
    EXPECT_EQ(g1->text(3, 3), u"自動車税"_s);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"116,000"_s);

    // Both entries are one step of the month's history.
    make_active(*main);
    g1->setFocus();
    QTest::keyClick(g1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ledger->kensu, 1);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"0"_s);
    QTest::keyClick(g1, Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(ledger->kensu, 3);
    EXPECT_EQ(g1->text(3, 3), u"自動車税"_s);

    // Saved and opened again: nothing is due any more, no window comes.
    const QStringList lines = save_month();
    EXPECT_EQ(lines.mid(186, 5),
              (QStringList{u"20040325"_s, u"8"_s, u"80,000"_s, u"家賃"_s, u"1"_s}));
    main->startup();
    EXPECT_EQ(ledger->kensu, 3);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u' ').toStdString();
}

TEST_F(RecurringTest, OnlyTheCheckedAreRecordedAndNotNowRecordsNothing) {
    start_with_due([](QDialog& d) {
        auto* list = child<QListWidget>(d, "teiki_kinyu_list");
        ASSERT_EQ(testing::focused(), list);
        testing::key(Qt::Key_Down);
        testing::key(Qt::Key_Space);
        EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
        click(d, "teiki_kinyu");
    });
    ASSERT_EQ(ledger->kensu, 2);
    EXPECT_EQ(ledger->syusi[2].tekiyo, u"家賃"_s);

    // Saved, the tax is still due at the next opening; 今回は記入しない adds nothing.
    save_month();
    modals.next([&](QDialog& d) {
        make_active(d);
        listed = rows_of(child<QListWidget>(d, "teiki_kinyu_list"));
        click(d, "teiki_skip");
    });
    main->startup();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_TRUE(listed[0].contains(u"自動車税"_s));
    EXPECT_EQ(ledger->kensu, 2);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"80,000"_s);
}

TEST_F(RecurringTest, TemplatesAreAddedChangedAndDeletedThroughTheSettingsAndKeptInTheFile) {
    folder.write_lines(kRecurringFile, {u"毎月\t\t25\t8\t80,000\t家賃\t1"_s, u"壊れた行"_s});
    modals.next([](QDialog& d) { click(d, "teiki_skip"); });
    start({});
    ASSERT_EQ(messages.texts().size(), 0);
    open_with("MenuOptionTeiki", [&](QDialog& d) {
        EXPECT_EQ(messages.texts().size(), 1); // the damaged line, named
        auto* list = child<QListWidget>(d, "teiki_list");
        ASSERT_EQ(list->count(), 1);

        // Refused: the message, and the focus in the faulty box.
        const char* names[] = {"teiki_every", "teiki_from_nen", "teiki_from_tuki",
                               "teiki_day",   "teiki_himoku",   "teiki_kingaku"};
        auto fill = [&](int repeat, const QString& values) {
            child<QComboBox>(d, "teiki_repeat")->setCurrentIndex(repeat);
            for (int i = 0; i < 6; ++i)
                testing::box(d, names[i])->setText(values.section(u'|', i, i));
        };
        const struct {
            int repeat, focus;
            QString values, message;
        } refused[] = {
            {1, 0, u"0|2004|4|1|8|1"_s, u"間隔は1～99の数字を入力して下さい。"_s},
            {1, 1, u"2|20x4|4|1|8|1"_s, u"起点の年を正しく入力して下さい。"_s},
            {2, 2, u"||13|1|8|1"_s, u"月は1～12の数字を入力して下さい。"_s},
            {0, 3, u"|||32|8|1"_s, u"日は1～31の数字か「月末」を入力して下さい。"_s},
            {0, 4, u"|||月末|31|1"_s, u"費目は1～30の数字を入力して下さい。"_s},
            {0, 5, u"|||1|8|1e15"_s, u"金額を正しく入力して下さい。"_s},
        };
        for (const auto& r : refused) {
            SCOPED_TRACE(names[r.focus]);
            messages.clear();
            fill(r.repeat, r.values);
            click(d, "teiki_add");
            EXPECT_EQ(messages.texts(), QStringList{r.message});
            EXPECT_EQ(testing::focused_name(), QString::fromLatin1(names[r.focus]));
        }
        EXPECT_EQ(list->count(), 1);

        fill(1, u"2|2004|4|月末|13|12000"_s);
        testing::box(d, "teiki_tekiyo")->setText(u"会費"_s);
        child<QComboBox>(d, "teiki_saifu")->setCurrentIndex(2);
        click(d, "teiki_add");
        ASSERT_EQ(list->count(), 2);
        // The first row changed to day 27, then the new one back in its boxes.
        testing::click_list_row(list, 0);
        EXPECT_EQ(testing::box(d, "teiki_tekiyo")->text(), u"家賃"_s);
        testing::box(d, "teiki_day")->setText(u"27"_s);
        click(d, "teiki_change");
        testing::click_list_row(list, 1);
        EXPECT_FALSE(testing::box(d, "teiki_every")->text().isEmpty());
        EXPECT_EQ(testing::box(d, "teiki_kingaku")->text(), u"12,000"_s);
        click(d, "teiki_ok");
    });
    EXPECT_EQ(folder.read_lines(kRecurringFile),
              (QStringList{u"毎月\t\t27\t8\t80,000\t家賃\t1"_s,
                           u"2か月ごと\t200404\t月末\t13\t12,000\t会費\t2"_s, u"壊れた行"_s}));

    // 削除 then 中止: the file stays as it was.
    open_with("MenuOptionTeiki", [&](QDialog& d) {
        testing::click_list_row(child<QListWidget>(d, "teiki_list"), 0);
        click(d, "teiki_delete");
        EXPECT_EQ(child<QListWidget>(d, "teiki_list")->count(), 1);
        click(d, "teiki_cancel");
    });
    EXPECT_EQ(folder.read_lines(kRecurringFile).size(), 3);
}

} // namespace kanvelo
