#include "entry/kinyu_form.h"
#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "platform/storable_text.h"
#include "settings/option_form.h"
#include "support/accessibility_check.h"
#include "support/gui_window_alone.h"
#include "support/layout_check.h"

#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using namespace testing;

QListWidget* list(QWidget& form) {
    return child<QListWidget>(form, "Option_list");
}
// The number typed into its box and confirmed with Enter, as a user does.
void type_number(QWidget& form, const QString& number) {
    QLineEdit* b = box(form, "Option_HimokuNo");
    b->setFocus();
    b->selectAll();
    type(number);
    key(Qt::Key_Return);
}
// 変更 with a new name for the number in the box.
void change(QWidget& form, const QString& name) {
    box(form, "Option_Sin")->setText(name);
    click(form, "Option_change");
}

// The budget of category `slot` in the lines of a month file.
void set_budget(QStringList& lines, int slot, const QString& budget) {
    lines[1 + 5 * slot + 2] = budget;
}

class OptionFormTest : public MonthViewTest {
protected:
    void with_window(const std::function<void(QDialog&)>& drive) {
        open_with("MenuOptionHimoku", [this, drive](QDialog& form) {
            EXPECT_FALSE(main->isVisible()); // hidden while the window is open
            drive(form);
        });
        EXPECT_TRUE(main->isVisible());
    }
};

TEST_F(OptionFormTest, RenamedCategoryShowsInBothGridsTheEntryWindowAndBothFiles) {
    start({entry("20040301", "3", "10,000", "定期から", "0"),
           entry("20040305", "12", "800", "パン", "0"),
           entry("20040310", "3", "5,000", "定期から", "1")});
    with_window([](QDialog& form) {
        click_list_row(list(form), 2);
        EXPECT_EQ(box(form, "Option_HimokuNo")->text(), u" 3"_s);
        EXPECT_EQ(box(form, "Option_Genzai")->text(), u"貯金引き出し"_s);
        EXPECT_EQ(focused_name(), u"Option_Sin"_s);
        EXPECT_TRUE(child<QRadioButton>(form, "Option_syunyu")->isChecked());
        change(form, u"仕送り"_s);
        EXPECT_EQ(list(form)->item(2)->text(), u"  3   仕送り"_s);
        for (const char* b : {"Option_HimokuNo", "Option_Genzai", "Option_Sin"})
            EXPECT_TRUE(box(form, b)->text().isEmpty()) << b;
        click(form, "Option_end");
    });
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u' '));
    EXPECT_EQ(grid("Main_Grid2")->text(3, 1), u"仕送り"_s);
    for (int row : {1, 3})
        EXPECT_EQ(grid("Main_Grid1")->text(row, 1), u"仕送り"_s) << row;
    EXPECT_EQ(grid("Main_Grid1")->text(2, 1), u"日常食品"_s);
    EXPECT_EQ(main_text("Main_syunyu"), u"15,000"_s);

    KinyuForm entry(main->edits(), 0);
    child<QRadioButton>(entry, "Kinyu_Syunyu")->setChecked(true);
    EXPECT_EQ(child<QListWidget>(entry, "Kinyu_list")->item(2)->text(), u"  3   仕送り"_s);

    const QStringList month = save_month();
    EXPECT_EQ(month[1 + 5 * 2 + 1], u"仕送り"_s);
    EXPECT_EQ(folder.read_lines(kSettingsFile)[1 + 3 * 2 + 1], u"仕送り"_s);
}

TEST_F(OptionFormTest, ExpenseMadeIncomeMovesTotalsBalancesAndBothShares) {
    start({entry("20040325", "2", "300,000", "給料", "1"),
           entry("20040326", "12", "5,000", "スーパー", "0"),
           entry("20040327", "13", "15,000", "外食", "0")},
          [](QStringList& lines) {
              set_budget(lines, 1, u"300,000"_s);
              set_budget(lines, 11, u"30,000"_s);
              set_budget(lines, 12, u"10,000"_s);
          });
    Grid* g2 = grid("Main_Grid2");
    ASSERT_EQ(g2->text(12, 5), u"75.0"_s);
    ASSERT_EQ(main_text("Main_genkin"), u"-20,000"_s);

    with_window([](QDialog& form) {
        type_number(form, u"13"_s);
        EXPECT_EQ(focused_name(), u"Option_Sin"_s);
        EXPECT_EQ(box(form, "Option_Genzai")->text(), u"外食"_s);
        EXPECT_TRUE(child<QRadioButton>(form, "Option_sisyutu")->isChecked());
        click(form, "Option_syunyu");
        change(form, u"臨時収入"_s);
        click(form, "Option_end");
    });
    EXPECT_TRUE(ledger->himoku[12].is_income());
    EXPECT_EQ(main_text("Main_syunyu"), u"315,000"_s);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"5,000"_s);
    EXPECT_EQ(main_text("Main_Syusi"), u"310,000"_s);
    // Cash loses an expense of 15,000 and gains an income of 15,000.
    EXPECT_EQ(main_text("Main_genkin"), u"10,000"_s);
    EXPECT_FALSE(box_red("Main_genkin"));
    EXPECT_EQ(g2->text(13, 1), u"臨時収入"_s);
    EXPECT_EQ(g2->text(13, 2), u"15,000"_s);
    EXPECT_EQ(g2->text(13, 5), u"3.2"_s);   // 10,000 of the income budget 310,000
    EXPECT_EQ(g2->text(13, 6), u"4.8"_s);   // 15,000 of the income 315,000
    EXPECT_EQ(g2->text(12, 5), u"100.0"_s); // the only expense budget left
    EXPECT_EQ(g2->text(12, 6), u"100.0"_s);
    EXPECT_EQ(ledger->yosan_syunyu_goukei, 310000);
    EXPECT_EQ(ledger->yosan_sisyutu_goukei, 30000);
}

TEST_F(OptionFormTest, CancelUndoesEveryChangeTheCloseBoxKeepsThemAndTheMainWindowRefreshes) {
    start({entry("20040327", "13", "15,000", "外食", "0")});
    const HimokuCopy before = copy_himoku(*ledger);
    grid("Main_Grid2")->set_text(5, 1, u"x"_s);
    with_window([](QDialog& form) {
        type_number(form, u"13"_s);
        click(form, "Option_syunyu");
        change(form, u"臨時収入"_s);
        type_number(form, u"5"_s);
        change(form, u"副業"_s);
        click(form, "Option_Cancel");
    });
    const HimokuCopy after = copy_himoku(*ledger);
    for (int c = 0; c < kHimokuCount; ++c) {
        EXPECT_EQ(after.slots[c].name, before.slots[c].name) << c;
        EXPECT_EQ(after.slots[c].kubun, before.slots[c].kubun) << c;
    }
    EXPECT_EQ(grid("Main_Grid2")->text(5, 1), u"アルバイト"_s);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"15,000"_s);

    // The close box keeps the changes, as 変更終了 does.
    with_window([](QDialog& form) {
        type_number(form, u"5"_s);
        change(form, u"副業"_s);
        form.close();
    });
    EXPECT_EQ(ledger->himoku[4].name, u"副業"_s);
    EXPECT_EQ(grid("Main_Grid2")->text(5, 1), u"副業"_s);
}

using OptionWindowTest = WindowAloneTest<OptionForm>;

TEST_F(OptionWindowTest, ChangeWithABadNumberOrNameChangesNothing) {
    OptionForm& f = open();
    const QString range = u"1～30の数字を入力して下さい。"_s;
    const QString not_number = u"数字を入力して下さいね。"_s;
    const struct {
        QString number, name;
        QStringList messages;
        const char* focus;
    } cases[] = {
        {u""_s, u"新"_s, {not_number, range}, "Option_HimokuNo"},
        {u"abc"_s, u"新"_s, {not_number, range}, "Option_HimokuNo"},
        {u"0"_s, u"新"_s, {range}, "Option_HimokuNo"},
        {u"31"_s, u"新"_s, {range}, "Option_HimokuNo"},
        {u"2.5"_s, u"新"_s, {range}, "Option_HimokuNo"},
        {u"30"_s,
         u"新"_s,
         {u"財布<=>口座間移動専用の費目なので変更できません"_s},
         "Option_HimokuNo"},
        {u"5"_s, u""_s, {u"新しい費目名を入力して下さい。"_s}, "Option_Sin"},
        {u"5"_s, u"  "_s, {u"新しい費目名を入力して下さい。"_s}, "Option_Sin"},
    };
    const HimokuCopy before = copy_himoku(*ledger);
    for (const auto& c : cases) {
        messages.clear();
        box(f, "Option_HimokuNo")->setText(c.number);
        change(f, c.name);
        EXPECT_EQ(messages.texts(), c.messages) << qPrintable(c.number);
        EXPECT_EQ(focused_name(), QString::fromLatin1(c.focus)) << qPrintable(c.number);
        for (int s = 0; s < kHimokuCount; ++s) {
            EXPECT_EQ(ledger->himoku[s].name, before.slots[s].name);
            EXPECT_EQ(ledger->himoku[s].kubun, before.slots[s].kubun);
        }
    }
}

TEST_F(OptionWindowTest, FieldChecksSendTheUserBackToTheNumber) {
    OptionForm& f = open();
    type_number(f, u"31"_s);
    EXPECT_EQ(messages.texts(), QStringList{u"1～30の数字を入力して下さい。"_s});
    EXPECT_EQ(focused_name(), u"Option_HimokuNo"_s);

    // A good number shows the whole name, however long.
    messages.clear();
    ledger->himoku[20].name = u"医療と保健と薬代"_s;
    click_list_row(list(f), 20);
    EXPECT_EQ(box(f, "Option_Genzai")->text(), u"医療と保健と薬代"_s);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(OptionWindowTest, TheKindAlwaysBelongsToTheNumberInTheBox) {
    OptionForm& f = open();
    // Category 2 (income) is picked, then 7 typed over it and 変更 pressed.
    click_list_row(list(f), 1);
    EXPECT_TRUE(child<QRadioButton>(f, "Option_syunyu")->isChecked());
    box(f, "Option_HimokuNo")->setText(u"7"_s);
    change(f, u"所得税"_s);
    EXPECT_EQ(ledger->himoku[6].name, u"所得税"_s);
    EXPECT_FALSE(ledger->himoku[6].is_income());
    EXPECT_TRUE(ledger->himoku[1].is_income());

    // The kind the user chose for the number shown is the one stored.
    click_list_row(list(f), 6);
    click(f, "Option_syunyu");
    box(f, "Option_Sin")->setFocus(); // coming back into the name keeps the choice
    change(f, u"還付金"_s);
    EXPECT_TRUE(ledger->himoku[6].is_income());
    EXPECT_EQ(ledger->himoku[6].kubun, u" 1 "_s);
}

// After 変更 the list shows the category changed, not the row clicked before.
TEST_F(OptionWindowTest, TheListHighlightsTheCategoryChangedNotTheRowClickedBefore) {
    OptionForm& f = open();
    const struct {
        int clicked; // list row, -1: none
        QString typed;
        int changed; // list row
    } cases[] = {{1, u"7"_s, 6}, {27, u"3"_s, 2}, {-1, u" 25 "_s, 24}, {3, u"4"_s, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        if (c.clicked >= 0)
            click_list_row(list(f), c.clicked);
        type_number(f, c.typed);
        change(f, u"新しい名前"_s);
        QListWidget* l = list(f);
        EXPECT_EQ(l->currentRow(), c.changed);
        ASSERT_EQ(l->selectedItems().size(), 1);
        EXPECT_EQ(l->selectedItems().front(), l->item(c.changed));
        EXPECT_TRUE(l->viewport()->rect().contains(l->visualItemRect(l->item(c.changed))));
    }
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(OptionWindowTest, LaysOutWithoutOverlapsAndListRowsPlaceWhateverNumberWasTyped) {
    OptionForm& f = open();
    expect_tidy_layout(f);
    expect_named_boxes(f);
    for (const QString& typed : {u"5"_s, u"05"_s, u" 5 "_s}) {
        type_number(f, typed);
        change(f, u"副業"_s + typed.trimmed());
        EXPECT_EQ(list(f)->item(4)->text(), u"  5   副業"_s + typed.trimmed()) << qPrintable(typed);
    }
    EXPECT_EQ(list(f)->count(), 29);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(OptionWindowTest, NamesCannotBreakTheFiles) {
    OptionForm& f = open();
    type_number(f, u"5"_s);
    QLineEdit* sin = box(f, "Option_Sin");
    sin->setText(u"副\t業\r\n"_s);
    EXPECT_EQ(sin->text(), u"副 業  "_s);
    sin->setText(u"副業😀"_s);
    EXPECT_EQ(sin->text(), u"副業"_s);
    EXPECT_EQ(messages.texts(), QStringList{unstorable_message(u"😀"_s)});
    click(f, "Option_change");
    EXPECT_EQ(ledger->himoku[4].name, u"副業"_s);
}

} // namespace

} // namespace kanvelo
