#include "common/month_edits.h"
#include "editing/month_view_test.h"
#include "editing/saifu_rules.h"
#include "ledger/guards.h"
#include "ledger/values.h"
#include "main_window/main_rules.h"

#include <QAction>
#include <QUndoStack>
#include <array>
#include <random>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using namespace testing;

QStringList fields(const Ledger& l) {
    auto n = [](double v) { return QString::number(v, 'g', 17); };
    QStringList out;
    for (const HimokuRec& h : l.himoku)
        out << QStringList{h.no, h.name, n(h.jisseki), h.yosan_kingaku, h.kubun, h.yosan_comment}
                   .join(u'|');
    for (const SaifuRec& w : l.saifu)
        out << QStringList{w.no, w.name, n(w.zankin)}.join(u'|');
    for (const SyusiRec& s : l.syusi)
        out << QStringList{s.hiduke, s.himoku_no, s.kingaku, s.tekiyo, s.saifu_no}.join(u'|');
    out << n(l.syunyu_goukei) << n(l.sisyutu_goukei) << n(l.yosan_syunyu_goukei)
        << n(l.yosan_sisyutu_goukei) << QString::number(l.kensu) << l.hi;
    return out;
}

const QList<QStringList> kMonth = {entry("20040301", "2", "300,000", "給料", "1"),
                                   entry("20040305", "12", "1,000", "スーパー", "0"),
                                   entry("20040306", "13", "1,000", "外食", "0"),
                                   entry("20040310", "30", "10,000", "引き出し", "0"),
                                   entry("20040312", "12", "2,000", "パン", "1")};

struct MonthEditsTest : EntryEditTest {
    MonthEdits& edits() { return main->edits(); }
    QAction* action(const char* name) { return child<QAction>(*main, name); }

    void expect_view_follows(const char* what) {
        ASSERT_EQ(grid1()->rows(), ledger->kensu + 2) << what;
        for (int i = 1; i <= ledger->kensu; ++i) {
            const SyusiRec& s = ledger->syusi[i];
            EXPECT_EQ(grid1()->text(i, 0), s.hiduke.mid(6, 2)) << what << i;
            const HimokuRec* h = ledger->category_of(i);
            EXPECT_EQ(grid1()->text(i, 1), h ? h->name : QString()) << what << i;
            EXPECT_EQ(amount_value(grid1()->text(i, 2)), amount_value(s.kingaku)) << what << i;
            EXPECT_EQ(grid1()->text(i, 3), s.tekiyo) << what << i;
        }
        for (int n = 1; n <= kHimokuCount; ++n) {
            EXPECT_EQ(grid2()->text(n, 1), ledger->himoku[n - 1].name) << what << n;
            EXPECT_EQ(grid2()->text(n, 2), format_number(ledger->himoku[n - 1].jisseki, u"#,##0"_s))
                << what << n;
        }
        const TotalsText t = totals_text(*ledger);
        EXPECT_EQ(totals(), (QStringList{t.syunyu, t.sisyutu, t.syusi, t.genkin})) << what;
    }
};

TEST_F(MonthEditsTest, EveryKindOfStepIsTakenBackAndDoneAgainWithTheViewFollowing) {
    const SyusiRec transfer_from{u"20040315"_s, u"30"_s, u"-5,000"_s, u"現金"_s, u"0"_s};
    const SyusiRec transfer_to{u"20040315"_s, u"30"_s, u"5,000"_s, u"給料振込口座"_s, u"1"_s};
    const struct Case {
        const char* kind;
        std::function<void()> act;
        QString undo_text;
    } cases[] = {
        {"entry",
         [this] {
             edits().add_entry({u"20040303"_s, u"12"_s, u"1200"_s, u"朝市"_s, u"0"_s});
         },
         u"元に戻す：記入（3日 日常食品 1,200円）"_s},
        {"correction",
         [this] {
             edits().replace_entry(2, {u"20040307"_s, u"2"_s, u"800"_s, u"返金"_s, u"1"_s});
         },
         u"元に戻す：訂正（7日 給料 800円）"_s},
        {"deletion", [this] { edits().remove_entry(3); }, u"元に戻す：削除（6日 外食 1,000円）"_s},
        {"deletion of the last", [this] { edits().remove_entry(5); },
         u"元に戻す：削除（12日 日常食品 2,000円）"_s},
        // Entries 2 and 3 have equal amounts: their order must come back too.
        {"sort", [this] { trigger("MenuSortKingaku"); }, u"元に戻す：並べ替え（金額順）"_s},
        {"transfer",
         [&] {
             edits().add_entries({transfer_from, transfer_to},
                                 transfer_step_text(*ledger, {2004, 3, 15}, 0, 1, 5000));
         },
         u"元に戻す：移動（15日 現金→給料振込口座 5,000円）"_s},
        {"category name and kind", [this] { edits().change_category(11, u"食費"_s, u" 1 "_s); },
         u"元に戻す：費目名（12 食費）"_s},
        {"wallet name", [this] { edits().rename_wallet(1, u"銀行"_s); },
         u"元に戻す：財布・口座名（銀行）"_s},
        {"budget", [this] { edits().set_budget(11, u"30,000"_s, u"外食は別"_s); },
         u"元に戻す：予算（日常食品）"_s},
    };
    for (const Case& c : cases) {
        start(kMonth);
        select(2);
        const QStringList before = fields(*ledger);
        c.act();
        const QStringList after = fields(*ledger);
        EXPECT_NE(after, before) << c.kind;
        expect_view_follows(c.kind);
        EXPECT_EQ(action("MenuUndo")->text(), c.undo_text) << c.kind;

        trigger("MenuUndo");
        EXPECT_EQ(fields(*ledger), before) << c.kind;
        expect_view_follows(c.kind);
        EXPECT_EQ(grid1()->row(), 2) << c.kind;
        EXPECT_FALSE(action("MenuUndo")->isEnabled()) << c.kind;
        EXPECT_EQ(action("MenuRedo")->text(), u"やり直し："_s + c.undo_text.mid(5)) << c.kind;

        trigger("MenuRedo");
        EXPECT_EQ(fields(*ledger), after) << c.kind;
        main.reset();
    }
}

TEST_F(MonthEditsTest, ARefusedStepChangesNothingAndIsNotKept) {
    start({});
    for (int i = 0; i < kSyusiLimit - 1; ++i)
        ledger->add_entry({u"20040301"_s, u"12"_s, u"1"_s, u"x"_s, u"0"_s});
    edits().month_loaded();
    const QStringList before = fields(*ledger);
    const SyusiRec e{u"20040302"_s, u"12"_s, u"5"_s, u"y"_s, u"0"_s};
    EXPECT_FALSE(edits().add_entries({e, e}, u"移動"_s)); // needs two free slots
    EXPECT_EQ(fields(*ledger), before);
    EXPECT_EQ(edits().history().count(), 0);
    EXPECT_TRUE(edits().add_entry(e));
    EXPECT_FALSE(edits().add_entry(e));
    EXPECT_EQ(edits().history().count(), 1);
    edits().set_budget(11, ledger->himoku[11].yosan_kingaku, ledger->himoku[11].yosan_comment);
    EXPECT_EQ(edits().history().count(), 1);
}

TEST_F(MonthEditsTest, TwoHundredRandomStepsTakenBackLeaveTheMonthFileAsItWas) {
    start(kMonth);
    trigger("Menu_Save");
    const QByteArray saved = folder.read_bytes(u"~200403.dat"_s);
    const QStringList start_fields = fields(*ledger);
    std::mt19937 random(20040301);
    auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
    auto some_entry = [&] {
        return SyusiRec{u"200403%1"_s.arg(pick(1, 31), 2, 10, QChar(u'0')),
                        QString::number(pick(1, 30)), QString::number(pick(-3, 50) * 250.5),
                        u"品%1"_s.arg(pick(0, 99)), QString::number(pick(0, 14))};
    };
    int steps = 0;
    for (int k = 0; k < 200; ++k) {
        const int kensu = ledger->kensu;
        switch (pick(0, 8)) {
        case 0:
        case 1:
            edits().add_entry(some_entry());
            break;
        case 2:
            if (kensu > 0)
                edits().replace_entry(pick(1, kensu), some_entry());
            break;
        case 3:
            if (kensu > 0)
                edits().remove_entry(pick(1, kensu));
            break;
        case 4:
            trigger(std::array{"MenuSortHiduke", "MenuSortHimoku", "MenuSortKingaku"}[pick(0, 2)]);
            break;
        case 5:
            edits().add_entries({some_entry(), some_entry()}, u"移動"_s);
            break;
        case 6:
            edits().change_category(pick(0, 28), u"費目%1"_s.arg(k),
                                    pick(0, 1) ? u" 1 "_s : u"-1 "_s);
            break;
        case 7:
            edits().rename_wallet(pick(1, 14), u"口座%1"_s.arg(k));
            break;
        case 8:
            edits().set_budget(pick(0, 28), number_form(pick(0, 9) * 1000), u"k%1"_s.arg(k));
            break;
        }
        steps = edits().history().count();
    }
    EXPECT_GT(steps, 150);
    auto recomputed = std::make_unique<Ledger>(*ledger); // the steps left what a recompute gives
    recomputed->recompute();
    EXPECT_EQ(fields(*recomputed), fields(*ledger));
    while (edits().history().canUndo())
        trigger("MenuUndo");
    EXPECT_EQ(fields(*ledger), start_fields);
    trigger("Menu_Save");
    EXPECT_EQ(folder.read_bytes(u"~200403.dat"_s), saved);
}

// 保存 keeps the history; opening the month again ends it.
TEST_F(MonthEditsTest, TheKeysAndTheMenuTakeStepsBackUntilAnotherMonthIsOpened) {
    start(kMonth);
    const QStringList rows = grid1_rows();
    edits().remove_entry(3);
    make_active(*main);
    grid1()->setFocus();

    QTest::keyClick(grid1(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid1_rows(), rows);
    QTest::keyClick(grid1(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ledger->kensu, 4);
    EXPECT_EQ(ledger->syusi[3].tekiyo, u"引き出し"_s);

    trigger("MenuSortKingaku");
    trigger("Menu_Save");
    EXPECT_EQ(action("MenuUndo")->text(), u"元に戻す：並べ替え（金額順）"_s);
    trigger("MenuUndo");
    trigger("MenuUndo");
    EXPECT_EQ(grid1_rows(), rows);

    main->startup();
    EXPECT_FALSE(action("MenuUndo")->isEnabled());
    EXPECT_FALSE(action("MenuRedo")->isEnabled());
    EXPECT_EQ(ledger->kensu, 4); // the sort was saved before its undo
}

TEST_F(MonthEditsTest, WindowsMakeOneStepPerTransferAndPerCorrectedEntry) {
    start(kMonth);
    const QStringList before = fields(*ledger);
    open_with("Main_Saifu", [](QDialog& d) {
        box(d, "saifu_kingaku")->setText(u"20000"_s);
        click(d, "saifu_ok");
        click(d, "saifu_end");
    });
    ASSERT_EQ(ledger->kensu, 7);
    EXPECT_EQ(edits().history().count(), 1);
    trigger("MenuUndo");
    EXPECT_EQ(fields(*ledger), before);

    select(2);
    open_with("MenuTeisei", [](QDialog& d) {
        box(d, "Teisei_Kingaku")->setText(u"1,100"_s);
        click(d, "teisei_tugi"); // writes entry 2 back, shows entry 3
        box(d, "Teisei_Kingaku")->setText(u"1,300"_s);
        click(d, "Teisei_OK");
    });
    ASSERT_EQ(edits().history().count(), 2);
    EXPECT_EQ(action("MenuUndo")->text(), u"元に戻す：訂正（6日 外食 1,300円）"_s);
    trigger("MenuUndo");
    EXPECT_EQ(ledger->syusi[3].kingaku, u"1,000"_s);
    EXPECT_EQ(ledger->syusi[2].kingaku, u"1,100"_s);
    trigger("MenuUndo");
    EXPECT_EQ(fields(*ledger), before);
}

} // namespace

} // namespace kanvelo
