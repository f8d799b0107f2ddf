#include "assets/sisan_form.h"
#include "assets/sisan_rules.h"
#include "ledger/clock.h"
#include "ledger/line_file.h"
#include "platform/grid.h"
#include "support/accessibility_check.h"
#include "support/gui_keys.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

const QString kList = u"資産/sisan.dat"_s;

QString memo_file(int n) {
    return u"資産/m%1.txt"_s.arg(n, 7, 10, QChar(u'0'));
}

struct SisanFormTest : WindowTest {
    std::unique_ptr<SisanForm> form;

    void SetUp() override {
        WindowTest::SetUp();
        QDir(folder.path()).mkdir(u"資産"_s);
    }

    void open() {
        const AssetLoad loaded = asset_list_load(folder.path());
        ASSERT_FALSE(loaded.error.has_value()) << qPrintable(loaded.error->message());
        form = std::make_unique<SisanForm>(folder.path(), loaded.list);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    Grid* grid() { return child<Grid>(*form, "Grid1"); }
    QLineEdit* box(const char* name) { return child<QLineEdit>(*form, name); }
    QPlainTextEdit* memo() { return child<QPlainTextEdit>(*form, "Text1"); }
    QString total() { return child<QLabel>(*form, "Label1")->text(); }
    void click_row(int r) {
        Grid* g = grid();
        QTableWidgetItem* item = g->item(r - 1, 0);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(item).center());
    }
    // Types an asset as a user does: name, amount, memo, 追加/更新.
    void add(const QString& name, const QString& amount, const QString& memo_text) {
        box("Text2")->setText(name);
        box("Text3")->setText(amount);
        memo()->clear();
        memo()->insertPlainText(memo_text);
        click(*form, "Command1");
    }
    QStringList names() {
        QStringList out;
        for (int r = 1; r < grid()->rows(); ++r)
            out << grid()->text(r, 0);
        return out;
    }
    QString memo_text(int n) { return decode_cp932(folder.read_bytes(memo_file(n))); }
};

} // namespace

TEST_F(SisanFormTest, AddUpdateByNameAndFindEverythingAfterReopening) {
    open();
    EXPECT_EQ(grid()->rows(), 1);
    EXPECT_EQ(total(), u"資産総額：0円");
    expect_tidy_layout(*form);
    expect_named_boxes(*form);

    add(u"預金"_s, u"12,345,000"_s, u"4/1 入金\n4/5 出金"_s);
    add(u"株式"_s, u"800000"_s, u"A社"_s);
    EXPECT_EQ(box("Text3")->text(), u"800000");
    EXPECT_EQ(total(), u"資産総額：13,145,000円");
    EXPECT_EQ(grid()->text(1, 1), u"12,345,000");
    EXPECT_EQ(grid()->text(2, 2), u"2004/03/15");

    clock_set_today_for_tests(QDate(2004, 4, 1));
    click_row(1);
    EXPECT_EQ(box("Text2")->text(), u"預金");
    EXPECT_EQ(box("Text3")->text(), u"12,345,000");
    EXPECT_EQ(memo()->toPlainText(), u"4/1 入金\n4/5 出金");
    click(*form, "Command1");
    EXPECT_EQ(grid()->text(1, 2), u"2004/04/01");
    click(*form, "Command5");
    EXPECT_FALSE(form->isVisible());

    QStringList lines{u" 2 "_s,  u"預金"_s,   u"12345000"_s,   u"2004/04/01"_s, u" 1 "_s,
                      u"株式"_s, u"800000"_s, u"2004/03/15"_s, u" 2 "_s};
    EXPECT_EQ(folder.read_bytes(kList), cp932_bytes(lines));
    EXPECT_EQ(folder.read_bytes(memo_file(1)), *encode_cp932(u"4/1 入金\r\n4/5 出金\r\n"_s));
    open();
    EXPECT_EQ(names(), (QStringList{u"預金"_s, u"株式"_s}));
    EXPECT_EQ(total(), u"資産総額：13,145,000円");
}

// Amounts follow for every asset of the name; the memo only for the one shown.
TEST_F(SisanFormTest, UpdateWritesTheMemoOfTheSelectedAssetOnly) {
    folder.write_lines(kList, {u" 2 "_s, u"預金"_s, u"100"_s, u"d"_s, u" 1 "_s, u"預金"_s, u"200"_s,
                               u"d"_s, u" 2 "_s});
    folder.write_bytes(memo_file(1), "A\r\n");
    folder.write_bytes(memo_file(2), "B\r\n");
    open();
    click_row(1);
    memo()->selectAll();
    memo()->insertPlainText(u"A2"_s);
    box("Text3")->setText(u"300"_s);
    click(*form, "Command1");
    EXPECT_EQ(memo_text(1), u"A2\r\n");
    EXPECT_EQ(memo_text(2), u"B\r\n");
    EXPECT_EQ(grid()->text(1, 1), u"300");
    EXPECT_EQ(grid()->text(2, 1), u"300");
    EXPECT_TRUE(messages.texts().isEmpty());

    // Typed without selecting an asset: no memo is replaced unseen.
    open();
    add(u"預金"_s, u"400"_s, u"typed"_s);
    EXPECT_EQ(memo_text(1), u"A2\r\n");
    EXPECT_EQ(memo_text(2), u"B\r\n");
    EXPECT_EQ(grid()->text(2, 1), u"400");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().front().startsWith(u"メモ欄の内容は保存していません"_s));
}

TEST_F(SisanFormTest, DeleteAsksAndTheCloseBoxKeepsWhatWasDeleted) {
    open();
    add(u"預金"_s, u"100"_s, u"A"_s);
    add(u"株式"_s, u"200"_s, u"B"_s);
    add(u"車"_s, u"300"_s, u"C"_s);
    click_row(2);
    messages.answer_next(MsgAnswer::No);
    click(*form, "Command2");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().front().endsWith(u"\n\n「株式」を削除しますか？"_s));
    EXPECT_EQ(messages.messages().front().buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages.messages().front().title, kSisanTitle);
    EXPECT_EQ(names().size(), 3);
    EXPECT_TRUE(folder.exists(memo_file(2)));

    messages.answer_next(MsgAnswer::Yes);
    click(*form, "Command2");
    EXPECT_EQ(names(), (QStringList{u"預金"_s, u"車"_s}));
    EXPECT_FALSE(folder.exists(memo_file(2)));
    EXPECT_EQ(total(), u"資産総額：400円");
    EXPECT_TRUE(box("Text2")->text().isEmpty());
    form->close(); // the close box
    EXPECT_FALSE(form->isVisible());

    open();
    EXPECT_EQ(names(), (QStringList{u"預金"_s, u"車"_s}));
    add(u"家"_s, u"1"_s, {});
    EXPECT_TRUE(folder.exists(memo_file(4))); // 2 is never handed out again
}

// Only a row the user picked is deleted, though the grid always has a current one.
TEST_F(SisanFormTest, DeleteTakesOnlyTheAssetTheUserChose) {
    const struct {
        const char* what;
        std::function<void(SisanFormTest&)> choose;
        QString deleted; // empty: nothing chosen, nothing deleted
    } cases[] = {
        {"nothing", [](SisanFormTest&) {}, {}},
        {"tab into the grid", [](SisanFormTest& t) { t.grid()->setFocus(); }, {}},
        {"arrow key",
         [](SisanFormTest& t) {
             t.grid()->setFocus();
             key(Qt::Key_Down);
         },
         u"株式"_s},
        {"click", [](SisanFormTest& t) { t.click_row(1); }, u"預金"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write_lines(kList, {u" 2 "_s, u"預金"_s, u"100"_s, u"d"_s, u" 1 "_s, u"株式"_s,
                                   u"200"_s, u"d"_s, u" 2 "_s});
        folder.write_bytes(memo_file(1), "A\r\n");
        folder.write_bytes(memo_file(2), "B\r\n");
        open();
        make_active(*form);
        messages.clear();
        c.choose(*this);
        messages.answer_next(MsgAnswer::Yes);
        click(*form, "Command2");
        ASSERT_EQ(messages.texts().size(), 1);
        if (c.deleted.isEmpty()) {
            EXPECT_EQ(messages.texts().front(), u"削除する項目を選択して下さい。");
            EXPECT_EQ(names(), (QStringList{u"預金"_s, u"株式"_s}));
            continue;
        }
        EXPECT_TRUE(
            messages.texts().front().endsWith(u"「"_s + c.deleted + u"」を削除しますか？"_s));
        EXPECT_FALSE(names().contains(c.deleted));
        EXPECT_EQ(names().size(), 1);
        // After a delete nothing is chosen until the user picks again.
        messages.clear();
        click(*form, "Command2");
        EXPECT_EQ(messages.texts(), QStringList{u"削除する項目を選択して下さい。"_s});
    }
}

TEST_F(SisanFormTest, MovesCarryTheWholeAssetAndStopAtTheEnds) {
    open();
    click(*form, "Command3");
    click(*form, "Command2");
    add(u"預金"_s, u"100"_s, u"A"_s);
    add(u"株式"_s, u"200"_s, u"B"_s);
    click_row(1);
    click(*form, "Command3");
    click(*form, "Command4");
    EXPECT_EQ(names(), (QStringList{u"株式"_s, u"預金"_s}));
    EXPECT_EQ(grid()->row(), 2);
    EXPECT_EQ(grid()->text(2, 1), u"100");
    click(*form, "Command4");
    const QStringList expected{
        u"一つ上に移動する項目を選択して下さい。"_s, u"削除する項目を選択して下さい。"_s,
        u"これ以上上には移動できません。"_s, u"これ以上下には移動できません。"_s};
    EXPECT_EQ(messages.texts(), expected);
    // The memo follows its asset.
    click_row(2);
    EXPECT_EQ(memo()->toPlainText(), u"A");
}

// A memo past 32000 bytes is not shown and not replaced; a name is still updated.
TEST_F(SisanFormTest, OversizedMemoIsNeitherShownNorOverwritten) {
    folder.write_lines(kList, {u" 2 "_s, u"預金"_s, u"100"_s, u"d"_s, u" 1 "_s, u"株式"_s, u"200"_s,
                               u"d"_s, u" 2 "_s});
    const QByteArray big = QByteArray(31999, 'a') + "\r\n";
    folder.write_bytes(memo_file(1), big);
    folder.write_bytes(memo_file(2), QByteArray(31998, 'b') + "\r\n");
    open();
    click_row(2);
    EXPECT_EQ(memo()->toPlainText().size(), 31998);
    EXPECT_TRUE(messages.texts().isEmpty());
    click_row(1);
    ASSERT_EQ(messages.texts(), QStringList{u"データが３２ｋＢを超えているので表示できません"_s});
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Critical);
    EXPECT_TRUE(memo()->toPlainText().isEmpty());
    box("Text3")->setText(u"150"_s);
    click(*form, "Command1");
    EXPECT_EQ(folder.read_bytes(memo_file(1)), big);
    EXPECT_EQ(grid()->text(1, 1), u"150");
}

TEST_F(SisanFormTest, AmountsThatAreNotNumbersAndFullListsAreRefused) {
    folder.write_lines(kList, {u" 32767 "_s});
    open();
    const std::pair<const char*, const char*> refused[] = {
        {"abc", "数字を入力して下さいね。"},
        {"", "数字を入力して下さいね。"},
        {"100", "これ以上は登録できません。"},
    };
    for (const auto& [amount, text] : refused) {
        messages.clear();
        add(u"預金"_s, QString::fromUtf8(amount), {});
        EXPECT_EQ(messages.texts(), QStringList{QString::fromUtf8(text)});
        EXPECT_EQ(grid()->rows(), 1);
    }
    add({}, u"1"_s, {});
    EXPECT_EQ(messages.texts().back(), u"資産名を入力してください。");
}

TEST_F(SisanFormTest, DamagedListOpensNothingAndUnwritableListAsksBeforeClosing) {
    folder.write_lines(kList, {u" 1 "_s, u"預金"_s, u"100"_s, u"d"_s, u"../x"_s});
    const QByteArray before = folder.read_bytes(kList);
    show_sisan_form(nullptr, folder.path());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().front().contains(u"sisan.dat 5行目"_s));
    EXPECT_EQ(folder.read_bytes(kList), before);

    folder.write_lines(kList, {u" 0 "_s});
    open();
    add(u"預金"_s, u"1"_s, {});
    messages.clear();
    fail_file_operation_for_tests(1);
    messages.answer_next(MsgAnswer::Ok);
    messages.answer_next(MsgAnswer::No);
    click(*form, "Command5");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(messages.messages().size(), 2u);
    click(*form, "Command5");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(asset_list_load(folder.path()).list.sisan.size(), 1u);
}
