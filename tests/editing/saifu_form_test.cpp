#include "editing/saifu_form.h"
#include "ledger/clock.h"
#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/grid.h"
#include "platform/spinner.h"
#include "support/accessibility_check.h"
#include "support/gui_window_alone.h"
#include "support/layout_check.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using namespace testing;

QString text(QWidget& form, const char* name) {
    return box(form, name)->text();
}
QString balance(QWidget& form, int wallet) {
    return child<Grid>(form, "Saifu_Grid")->text(wallet + 1, 1);
}
// What a paste leaves in the amount box, then OK.
void paste_and_ok(QWidget& form, const QString& amount) {
    box(form, "saifu_kingaku")->setText(amount);
    click(form, "saifu_ok");
}

class SaifuFormTest : public MonthViewTest {
protected:
    // Opens the window with 財布, lets `drive` use it and closes it with 終了.
    void with_window(const std::function<void(QDialog&)>& drive) {
        open_with("Main_Saifu", [drive](QDialog& form) {
            drive(form);
            click(form, "saifu_end");
        });
    }
};

TEST_F(SaifuFormTest, WithdrawalByKeyboardIsTwoTransferEntriesThatMoveOnlyTheBalances) {
    start({entry("20040325", "2", "300,000", "給料", "1"),
           entry("20040326", "12", "5,000", "スーパー", "0")});
    ASSERT_TRUE(box_red("Main_genkin"));
    with_window([](QDialog& form) {
        EXPECT_EQ(balance(form, 0), u"-5,000"_s);
        EXPECT_EQ(balance(form, 1), u"300,000"_s);
        // 給料振込口座 to 現金 is proposed; Enter walks to the amount and OK.
        EXPECT_EQ(focused_name(), u"saifu_moto"_s);
        key(Qt::Key_Return);
        EXPECT_EQ(focused_name(), u"saifu_saki"_s);
        key(Qt::Key_Tab);
        EXPECT_EQ(focused_name(), u"saifu_kingaku"_s);
        type(u"20000"_s);
        key(Qt::Key_Return);
        EXPECT_EQ(focused_name(), u"saifu_ok"_s);
        key(Qt::Key_Return);
        EXPECT_EQ(balance(form, 0), u"15,000"_s);
        EXPECT_EQ(balance(form, 1), u"280,000"_s);
        EXPECT_TRUE(text(form, "saifu_kingaku").isEmpty());
        EXPECT_EQ(focused_name(), u"saifu_moto"_s);
    });
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u' '));

    ASSERT_EQ(ledger->kensu, 4);
    Grid* g1 = grid("Main_Grid1");
    const QStringList rows[] = {{u"15"_s, u"財布<=>口座"_s, u"-20,000"_s, u"給料振込口座"_s},
                                {u"15"_s, u"財布<=>口座"_s, u"20,000"_s, u"現金"_s}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(g1->text(3 + r, c), rows[r][c]) << r << c;
    EXPECT_EQ(main_text("Main_genkin"), u"15,000"_s);
    EXPECT_FALSE(box_red("Main_genkin"));
    EXPECT_EQ(main_text("Main_syunyu"), u"300,000"_s);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"5,000"_s);
    EXPECT_EQ(grid("Main_Grid2")->text(30, 2), u"0"_s);

    const QStringList lines = save_month();
    ASSERT_EQ(lines.size(), 181 + 4 * 5);
    EXPECT_EQ(lines.mid(191),
              (QStringList{u"20040315"_s, u"30"_s, u"-20,000"_s, u"給料振込口座"_s, u"1"_s,
                           u"20040315"_s, u"30"_s, u"20,000"_s, u"現金"_s, u"0"_s}));
}

TEST_F(SaifuFormTest, FewerThanTwoFreeSlotsShowTheLimitWindowAndRecordNothing) {
    for (const int kensu : {998, 999}) {
        SCOPED_TRACE(kensu);
        QList<QStringList> entries;
        for (int i = 0; i < kensu; ++i)
            entries.append(entry("20040301", "12", "100", "x", "0"));
        start(entries);
        const bool fits = kensu == 998;
        with_window([&](QDialog& form) {
            if (!fits)
                modals.next([](QDialog& genkai) { click(genkai, "genkai_OK"); });
            paste_and_ok(form, u"500"_s);
        });
        EXPECT_EQ(modals.opened().last(), fits ? u"saifu_form"_s : u"GENKAI_form"_s);
        EXPECT_EQ(ledger->kensu, fits ? kSyusiLimit : 999);
        EXPECT_EQ(grid("Main_Grid1")->text(kensu + 1, 2), fits ? u"-500"_s : QString());
        EXPECT_EQ(main_text("Main_genkin"), fits ? u"-99,300"_s : u"-99,900"_s);
    }
}

class SaifuWindowTest : public WindowAloneTest<SaifuForm> {
protected:
    QString shown_date() {
        return text(*form, "saifu_nen") + u'/' + text(*form, "saifu_tuki") + u'/' +
               text(*form, "saifu_hi");
    }
};

TEST_F(SaifuWindowTest, TheDayIsAlwaysOneTheMonthHas) {
    clock_set_today_for_tests(QDate(2004, 3, 31));
    ledger->tuki = u"02"_s;
    SaifuForm& f = open();
    EXPECT_EQ(shown_date(), u"2004/2/29"_s);
    paste_and_ok(f, u"100"_s);
    EXPECT_EQ(ledger->syusi[1].hiduke, u"20040229"_s);
    EXPECT_EQ(ledger->hi, u"29"_s);

    // Spinners: March 31, then back to February, then to 2003.
    auto* tuki = child<Spinner>(f, "saifu_tuki_vsc");
    auto* hi = child<Spinner>(f, "saifu_hi_vsc");
    tuki->step_up();
    hi->step_up();
    hi->step_up();
    EXPECT_EQ(shown_date(), u"2004/3/31"_s);
    tuki->step_down();
    EXPECT_EQ(shown_date(), u"2004/2/29"_s);
    child<Spinner>(f, "saifu_nen_vsc")->step_down();
    EXPECT_EQ(shown_date(), u"2003/2/28"_s);
}

TEST_F(SaifuWindowTest, TypedDatesAreCheckedWhenTheTransferIsRecorded) {
    SaifuForm& f = open();
    box(f, "saifu_tuki")->setText(u"4"_s);
    box(f, "saifu_hi")->setText(u"31"_s);
    paste_and_ok(f, u"100"_s);
    EXPECT_EQ(ledger->syusi[1].hiduke, u"20040430"_s);
    EXPECT_EQ(shown_date(), u"2004/4/30"_s);
    EXPECT_TRUE(messages.texts().isEmpty());

    const struct {
        const char* box;
        QString typed;
        QString message; // the correction window's wording for the same box
    } refused[] = {{"saifu_nen", u"20x4"_s, u"年は1900～3000の数字を入力して下さい。"_s},
                   {"saifu_tuki", u"13"_s, u"月は1～12の数字を入力して下さい。"_s},
                   {"saifu_hi", u""_s, u"日は1～31の数字を入力して下さい。"_s}};
    for (const auto& r : refused) {
        messages.clear();
        QLineEdit* b = box(f, r.box);
        const QString before = b->text();
        b->setText(r.typed);
        paste_and_ok(f, u"100"_s);
        EXPECT_EQ(ledger->kensu, 2) << r.box;
        ASSERT_EQ(messages.texts().size(), 1) << r.box;
        EXPECT_EQ(messages.texts().front(), r.message);
        EXPECT_EQ(focused_name(), QString::fromLatin1(r.box));
        b->setText(before);
    }
}

TEST_F(SaifuWindowTest, AmountsAndWalletsAreCheckedWhenOkIsPressed) {
    SaifuForm& f = open();
    const int beeps = beep_count_for_tests();
    click(f, "saifu_ok");
    EXPECT_EQ(beep_count_for_tests(), beeps + 1);
    EXPECT_EQ(messages.texts(), QStringList{u"金額が入っていません"_s});
    EXPECT_EQ(focused_name(), u"saifu_kingaku"_s);

    // Which amounts pass is the rules test's; here the message and the focus.
    messages.clear();
    paste_and_ok(f, u"12a"_s);
    EXPECT_EQ(messages.texts(), QStringList{u"数字を入力して下さいね。"_s});
    EXPECT_EQ(focused_name(), u"saifu_kingaku"_s);

    auto* moto = child<QComboBox>(f, "saifu_moto");
    auto* saki = child<QComboBox>(f, "saifu_saki");
    const struct {
        int moto, saki;
        QString message;
    } wallets[] = {{0, 0, u"同じところに移動してどうするんですか？"_s},
                   {-1, 0, u"財布の指定が不正です。"_s},
                   {1, -1, u"財布の指定が不正です。"_s}};
    for (const auto& w : wallets) {
        messages.clear();
        moto->setCurrentIndex(w.moto);
        saki->setCurrentIndex(w.saki);
        paste_and_ok(f, u"100"_s);
        EXPECT_EQ(messages.texts(), QStringList{w.message});
    }
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_EQ(ledger->saifu[0].zankin, 0);
}

TEST_F(SaifuWindowTest, KeysThatAreNotDigitsBeepAndListsCannotBeTypedInto) {
    SaifuForm& f = open();
    auto* moto = child<QComboBox>(f, "saifu_moto");
    type(u"g"_s); // 現金 or any name: a letter never moves the choice
    EXPECT_EQ(moto->currentIndex(), 1);

    box(f, "saifu_kingaku")->setFocus();
    const int beeps = beep_count_for_tests();
    type(u"1a2-,3"_s);
    EXPECT_EQ(text(f, "saifu_kingaku"), u"123"_s);
    EXPECT_EQ(beep_count_for_tests(), beeps + 3);
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(f, "saifu_kingaku"), u"12"_s);
}

TEST_F(SaifuWindowTest, LaysOutEveryWalletWithoutOverlapsAndNamesItsBoxes) {
    ledger->saifu[14].zankin = -123456789;
    SaifuForm& f = open();
    expect_tidy_layout(f);
    expect_named_boxes(f);
    auto* grid = child<Grid>(f, "Saifu_Grid");
    EXPECT_EQ(balance(f, 14), u"-123,456,789"_s);
    // The last row is fully visible.
    EXPECT_LE(grid->visualItemRect(grid->item(14, 1)).bottom(), grid->viewport()->height());
}

} // namespace

} // namespace kanvelo
