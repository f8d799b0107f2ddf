#include "budget/yosan_form.h"
#include "common/month_edits.h"
#include "ledger/clock.h"
#include "ledger/guards.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "main_window/main_form.h"
#include "platform/grid.h"
#include "support/accessibility_check.h"
#include "support/gui_keys.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMissingSen = u"先月の家計簿ファイルがありません。"_s;
const QString kMissingZennen = u"前年同月の家計簿ファイルがありません。"_s;
const QString kOldSen = u"先月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません"_s;
const QString kOldZennen = u"前年同月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません"_s;

QString text(QWidget& w, const char* name) {
    QLineEdit* box = child<QLineEdit>(w, name);
    return box ? box->text() : QString();
}

// Clicks a category of the list as a user does, scrolling to it first.
void click_category(QWidget& w, int number) {
    auto* list = child<QListWidget>(w, "yosan_list");
    QListWidgetItem* item = list->item(number - 1);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// Replaces what the focused amount box holds with `typed`.
void retype(const QString& typed) {
    static_cast<QLineEdit*>(focused())->selectAll();
    key(Qt::Key_Backspace);
    type(typed);
}

QStringList with_budget(QStringList lines, int number, const QString& budget,
                        const QString& comment = {}) {
    lines[1 + 5 * (number - 1) + 2] = budget;
    lines[1 + 5 * (number - 1) + 4] = comment;
    return lines;
}

// A month file in the layout of version 2.30: ten wallet blocks.
QStringList version_230(QStringList lines) {
    lines[0] = u"@VER2.30 ZelvanorQistrombelUxafendriloKvm"_s;
    lines.erase(lines.begin() + 1 + 150 + 20, lines.begin() + 1 + 150 + 30);
    return lines;
}

struct YosanFormTest : WindowTest {
    std::unique_ptr<MonthEdits> edits;
    std::unique_ptr<YosanForm> form;

    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    YosanForm& open() {
        edits = std::make_unique<MonthEdits>(*ledger);
        form = std::make_unique<YosanForm>(*edits);
        make_active(*form);
        return *form;
    }
};

} // namespace

TEST_F(YosanFormTest, ShowsTheCategoryBesideLastMonthAndLastYear) {
    folder.write_lines(u"~200402.dat"_s,
                       with_budget(month_file_with({entry("20040201", "12", "1,000", "", "0"),
                                                    entry("20040202", "30", "-5,000", "", "1"),
                                                    entry("20040203", "13", "250", "", "0")}),
                                   12, u"28,000"_s, u"少し節約"_s));
    folder.write_lines(
        u"~200303.dat"_s,
        version_230(with_budget(month_file_with({entry("20030310", "12", "2,500", "", "0")}), 12,
                                u"25000"_s, u"去年の三月"_s)));
    ledger->himoku[11].yosan_kingaku = u"30,000"_s;
    ledger->himoku[11].yosan_comment = u"今月の目標"_s;
    ledger->himoku[12].yosan_kingaku = u"5,000"_s;
    ledger->add_entry({u"20040301"_s, u"12"_s, u"4,000"_s, u"x"_s, u"0"_s});
    ledger->add_entry({u"20040302"_s, u"30"_s, u"-9,000"_s, u"x"_s, u"0"_s});
    ledger->add_entry({u"20040303"_s, u"2"_s, u"200,000"_s, u"x"_s, u"0"_s});
    YosanForm& w = open();
    EXPECT_TRUE(messages.messages().empty()) << messages.texts().join(u'|').toStdString();

    click_category(w, 12);
    EXPECT_EQ(focused_name(), u"yosan_kon_kingaku");
    expect_tidy_layout(w);
    expect_named_boxes(w);
    const std::pair<const char*, const char16_t*> shown[] = {
        {"yosan_number", u"12"},
        {"yosan_himoku", u"日常食品"},
        {"yosan_kon_kingaku", u"30,000"},
        {"yosan_kon_jisseki", u"4,000"},
        {"yosan_kon_comment", u"今月の目標"},
        {"yosan_kon_yosan_goukei", u"35,000"},
        {"yosan_kon_jisseki_goukei", u"4,000"},
        {"yosan_sen_kingaku", u"28,000"},
        {"yosan_sen_jisseki", u"1,000"},
        {"yosan_sen_comment", u"少し節約"},
        {"yosan_sen_yosan_goukei", u"28,000"},
        {"yosan_sen_jisseki_goukei", u"1,250"},
        {"yosan_zennen_kingaku", u"25,000"},
        {"yosan_zennen_jisseki", u"2,500"},
        {"yosan_zennen_comment", u"去年の三月"},
        {"yosan_zennen_yosan_goukei", u"25,000"},
        {"yosan_zennen_jisseki_goukei", u"2,500"},
    };
    for (const auto& [name, value] : shown)
        EXPECT_EQ(text(w, name), QString::fromUtf16(value)) << name;
    EXPECT_EQ(child<QLabel>(w, "label_yosan")->text(), u"(支出)");

    click_category(w, 2);
    EXPECT_EQ(child<QLabel>(w, "label_jisseki")->text(), u"(収入)");
    EXPECT_EQ(text(w, "yosan_kon_kingaku"), u""); // a budget of 0 shows empty
    EXPECT_EQ(text(w, "yosan_kon_jisseki_goukei"), u"200,000");
    click(w, "yosan_end");
    EXPECT_EQ(w.result(), QDialog::Accepted);
    // Leaving a category without typing keeps its budget as shown.
    EXPECT_EQ(ledger->himoku[11].yosan_kingaku, u"30,000");
    // No budget and a budget of 0 are one to every total: either is kept.
    EXPECT_EQ(amount_value(ledger->himoku[1].yosan_kingaku).value_or(0), 0);
}

TEST_F(YosanFormTest, MissingAndOldComparisonMonthsAreToldInOrder) {
    struct Case {
        bool sen_old; // otherwise missing
        bool zennen_old;
        QStringList texts;
        std::vector<MsgIcon> icons;
    };
    const Case cases[] = {
        {false, false, {kMissingSen, kMissingZennen}, {MsgIcon::None, MsgIcon::None}},
        {true, true, {kOldSen, kOldZennen}, {MsgIcon::Exclamation, MsgIcon::Exclamation}},
        {true, false, {kOldSen, kMissingZennen}, {MsgIcon::Exclamation, MsgIcon::None}},
    };
    for (const Case& c : cases) {
        TempFolder f;
        ledger->app_path = f.path();
        messages.clear();
        // The oldest layout: no header, four-line entries.
        const QStringList old =
            month_file_with({}).mid(1, 150) + QStringList{u"20040201"_s, u"12"_s, u"1,000"_s, {}};
        if (c.sen_old)
            f.write_lines(u"~200402.dat"_s, old);
        if (c.zennen_old)
            f.write_lines(u"~200303.dat"_s, old);
        YosanForm& w = open();
        EXPECT_EQ(messages.texts(), c.texts);
        for (std::size_t i = 0; i < c.icons.size() && i < messages.messages().size(); ++i)
            EXPECT_EQ(messages.messages()[i].icon, c.icons[i]);
        click_category(w, 12);
        // A month that is missing shows nothing; an old one zeros.
        EXPECT_EQ(text(w, "yosan_sen_jisseki"), c.sen_old ? u"0" : u"");
        EXPECT_EQ(text(w, "yosan_zennen_yosan_goukei"), c.zennen_old ? u"0" : u"");
        click(w, "yosan_end");
    }
}

TEST_F(YosanFormTest, DamagedComparisonMonthIsReportedAndItsGoodLinesShown) {
    folder.write_lines(u"~200402.dat"_s,
                       month_file_with({entry("20040201", "0", "1,000", "", "0"),
                                        entry("20040202", "31", "2,000", "", "0"),
                                        entry("20040203", "12", "600", "", "0")}));
    folder.write_lines(u"~200303.dat"_s, month_file_with({}));
    QString contact;
    modals.next([&](QDialog& d) {
        for (QLabel* l : d.findChildren<QLabel*>())
            contact += l->text();
        d.accept();
    });
    YosanForm& w = open();
    EXPECT_TRUE(contact.contains(u"~200402.dat"_s)) << contact.toStdString();
    click_category(w, 12);
    EXPECT_EQ(text(w, "yosan_sen_jisseki"), u"600");
    EXPECT_EQ(text(w, "yosan_sen_jisseki_goukei"), u"600");
    click(w, "yosan_end");
}

TEST_F(YosanFormTest, TypedBudgetIsStoredRoundedWhicheverWayTheBoxIsLeft) {
    // Each way of leaving the amount box after typing 12.5.
    const std::vector<std::function<void(YosanForm&)>> ways = {
        [](YosanForm&) { key(Qt::Key_Return); },
        [](YosanForm&) { key(Qt::Key_Tab); },
        [](YosanForm& w) { click_category(w, 14); },
        [](YosanForm& w) { click(w, "yosan_end"); },
        [](YosanForm& w) { w.reject(); }, // the close box and Esc
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        ledger->himoku[11].yosan_kingaku = u" 0 "_s;
        YosanForm& w = open();
        messages.clear();
        click_category(w, 12);
        retype(u"12.5"_s);
        ways[i](w);
        if (w.isVisible()) {
            if (i < 2) {
                EXPECT_EQ(text(w, "yosan_kon_kingaku"), u"13");
                EXPECT_EQ(focused_name(), u"yosan_kon_comment");
            }
            click(w, "yosan_end");
        }
        EXPECT_FALSE(w.isVisible()) << i;
        EXPECT_EQ(ledger->himoku[11].yosan_kingaku, u"13") << i;
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(YosanFormTest, RefusedAmountStoresNothingAndKeepsTheCategory) {
    ledger->himoku[11].yosan_kingaku = u"3,000"_s;
    YosanForm& w = open();
    messages.clear();
    click_category(w, 12);
    retype(u"abc"_s);
    click_category(w, 13);
    EXPECT_EQ(messages.texts(), QStringList{u"数字を入力して下さいね。"_s});
    EXPECT_EQ(messages.messages().back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(text(w, "yosan_number"), u"12");
    EXPECT_EQ(child<QListWidget>(w, "yosan_list")->currentRow(), 11);
    EXPECT_EQ(focused_name(), u"yosan_kon_kingaku");
    EXPECT_EQ(ledger->himoku[11].yosan_kingaku, u"3,000");

    click(w, "yosan_end");
    EXPECT_TRUE(w.isVisible());
    w.reject();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(messages.messages().size(), 3u);

    retype(QString());
    key(Qt::Key_Return); // Enter does not take an empty box
    EXPECT_EQ(messages.messages().size(), 4u);
    EXPECT_EQ(focused_name(), u"yosan_kon_kingaku");

    retype(u"-2000"_s);
    click_category(w, 13); // a negative budget is a budget
    retype(u"99999999999999999"_s);
    key(Qt::Key_Return);
    EXPECT_TRUE(messages.texts().last().startsWith(u"金額が大きすぎます"_s));
    retype(QString());
    click(w, "yosan_end"); // leaving a category with an empty box stores no budget
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ledger->himoku[11].yosan_kingaku, u"-2,000");
    EXPECT_EQ(amount_value(ledger->himoku[12].yosan_kingaku).value_or(0), 0);
}

TEST_F(YosanFormTest, NothingTypedBeforeACategoryIsChosenIsLost) {
    YosanForm& w = open();
    EXPECT_FALSE(child<QLineEdit>(w, "yosan_kon_kingaku")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w, "yosan_kon_comment")->isEnabled());
    click(w, "yosan_end");
    EXPECT_FALSE(w.isVisible());
    for (int c = 0; c < kHimokuCount; ++c)
        EXPECT_EQ(ledger->himoku[c].yosan_kingaku, number_form(0)) << c;
}

namespace {

struct BudgetMenuTest : WindowTest {
    std::unique_ptr<Main_Form> main;
    void TearDown() override {
        main.reset();
        WindowTest::TearDown();
    }
};

} // namespace

TEST_F(BudgetMenuTest, BudgetsReachTheCategoryGridTheTotalsAndTheMonthFile) {
    folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    folder.write_lines(u"~200403.dat"_s,
                       month_file_with({entry("20040301", "12", "5,000", "a", "0"),
                                        entry("20040302", "13", "1,000", "b", "0"),
                                        entry("20040303", "2", "100,000", "c", "1")}));
    folder.write_lines(u"~200402.dat"_s, month_file_with({}));
    folder.write_lines(u"~200303.dat"_s, month_file_with({}));
    clock_set_today_for_tests(QDate(2004, 3, 20));
    main = std::make_unique<Main_Form>(*ledger);
    main->set_splash_enabled(false);
    main->startup();
    main->show();

    modals.next([](QDialog& d) {
        make_active(d);
        click_category(d, 13);
        retype(u"1000.4"_s);
        click_category(d, 2);
        retype(u"250,000"_s);
        click_category(d, 12);
        retype(u"4000"_s);
        key(Qt::Key_Return);
        // The comment keeps one storable line; Enter moves on to 終了, which Enter presses.
        child<QLineEdit>(d, "yosan_kon_comment")->setText(u"週末に\nまとめ買い"_s);
        key(Qt::Key_Return);
        EXPECT_EQ(focused_name(), u"yosan_end");
        key(Qt::Key_Return);
    });
    QAction* budget = main->findChild<QAction*>(u"MenuBudget"_s);
    ASSERT_TRUE(budget->isEnabled());
    budget->trigger();

    EXPECT_EQ(ledger->yosan_sisyutu_goukei, 5000);
    EXPECT_EQ(ledger->yosan_syunyu_goukei, 250000);
    Grid* g = main->findChild<Grid*>(u"Main_Grid2"_s);
    EXPECT_EQ(g->text(12, 3), u"-1,000");
    EXPECT_EQ(g->text(12, 4), u"4,000");
    EXPECT_EQ(g->text(12, 5), u"80.0");
    EXPECT_EQ(g->text(13, 5), u"20.0");
    EXPECT_EQ(g->text(2, 5), u"100.0");
    EXPECT_EQ(g->text(12, 6), u"83.3");

    main->menu_save();
    const QStringList lines = folder.read_lines(u"~200403.dat"_s);
    EXPECT_EQ(lines.at(1 + 5 * 11 + 2), u"4,000");
    EXPECT_EQ(lines.at(1 + 5 * 11 + 4), u"週末に まとめ買い");
    EXPECT_EQ(lines.at(1 + 5 * 12 + 2), u"1,000");
    EXPECT_EQ(lines.at(1 + 5 * 1 + 2), u"250,000");
    EXPECT_EQ(lines.at(1 + 5 * 2 + 2), u" 0 ");
}
