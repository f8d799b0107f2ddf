#include "import/import_model.h"
#include "ledger/category_rules_file.h"
#include "ledger/line_file.h"
#include "support/gui_keys.h"
#include "support/gui_month_view.h"
#include "support/layout_check.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

const QStringList kStatement{
    u"カード名称,ぽるるカード"_s,
    u"ご利用期間,2004/02/16～2004/03/15"_s,
    u"ご利用日,ご利用店名,ご利用金額,支払区分,備考"_s,
    u"2004/02/20,スーパーまるや,\"3,240\",1回,"_s,
    u"2004/02/27,ガソリンスタンド東,\"5,000\",1回,"_s,
    u"2004/03/02,カフェ青空,450,1回,"_s,
    u"2004/03/02,カフェ青空,450,1回,"_s,
    u"2004/03/05,スーパーまるや,\"1,980\",1回,"_s,
    u"2004/03/08,スーパーまるや,△500,1回,返品"_s,
    u"2004/03/10,携帯電話料金,\"6,480\",1回,"_s,
    u"2004/03/11,書店,6.5,1回,"_s,
    u"合計,,\"18,100\",,"_s,
};

// The history proposes its category for the same description in March.
const QStringList kFebruaryEntry = entry("20040203", "17", "6,480", "携帯電話料金", "2");

struct TorikomiTest : MonthViewTest {
    QString statement_path;

    void SetUp() override {
        MonthViewTest::SetUp();
        folder.write_lines(u"card.csv"_s, kStatement);
        statement_path = folder.file(u"card.csv"_s);
        folder.write_lines(u"~200402.dat"_s, month_file_with({kFebruaryEntry}));
        folder.write_lines(kRulesFile, {u"ルール\tスーパー\t12\t"_s, u"ルール\tガソリン\t19\t"_s});
        start({entry("20040301", "2", "250,000", "給料", "1")});
    }

    static QString counts(QDialog& d) { return child<QLabel>(d, "torikomi_goukei")->text(); }
    static QTableView* view(QDialog& d) { return child<QTableView>(d, "torikomi_grid"); }
    static QString cell(QDialog& d, int row, int col) {
        return view(d)->model()->index(row, col).data().toString();
    }
    static QStringList column(QDialog& d, int col) {
        QStringList out;
        for (int r = 0; r < view(d)->model()->rowCount(); ++r)
            out << cell(d, r, col);
        return out;
    }
};

} // namespace

TEST_F(TorikomiTest, ACardStatementBecomesEntriesOfBothMonthsAndASecondImportAddsNothing) {
    modals.next([&](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(statement_path);
        d.accept();
    });
    open_with("MenuTorikomi", [&](QDialog& d) {
        expect_tidy_layout(d);
        EXPECT_EQ(cell(d, 6, ImportModel::Description), u"携帯電話料金"_s);
        EXPECT_EQ(column(d, ImportModel::Number),
                  (QStringList{u"12"_s, u"19"_s, {}, {}, u"12"_s, u"12"_s, u"17"_s}));
        QStringList states(7);
        states[2] = states[3] = u"費目を選んで下さい"_s;
        states[5] = u"支出の費目です"_s;
        EXPECT_EQ(column(d, ImportModel::State), states);
        EXPECT_EQ(cell(d, 5, ImportModel::Direction), u"収入"_s);
        EXPECT_EQ(counts(d), u"取り込む件数 5件　取り込み済み 0件　読めない行 1件　"
                             "収入合計 500円　支出合計 16,700円"_s);
        auto* unread = child<QListWidget>(d, "torikomi_yomenai");
        ASSERT_EQ(unread->count(), 1);
        EXPECT_EQ(unread->item(0)->text(), u"11行目：小数の金額は読めません（6.5）"_s);

        messages.answer_next(MsgAnswer::Yes);
        // Typed as a user: the cell opened, the number, Enter; the question
        // about a rule comes after the editor has closed.
        const QModelIndex at = view(d)->model()->index(2, ImportModel::Number);
        view(d)->setCurrentIndex(at);
        view(d)->edit(at);
        auto* editor = view(d)->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(u"13"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.texts().first().startsWith(
            u"これからは「カフェ青空」を含む内容を「13 外食」"_s));
        EXPECT_EQ(cell(d, 3, ImportModel::Name), u"外食"_s) << "the new rule fills the other row";
        EXPECT_EQ(counts(d), u"取り込む件数 7件　取り込み済み 0件　読めない行 1件　"
                             "収入合計 500円　支出合計 17,600円"_s);
        child<QComboBox>(d, "torikomi_saifu")->setCurrentIndex(6);
        click(d, "torikomi_ok");
    });

    EXPECT_EQ(ledger->kensu, 6);
    EXPECT_EQ(main_text("Main_syunyu"), u"250,000"_s);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"8,860"_s);
    Grid* g1 = grid("Main_Grid1");
    const QStringList row5{g1->text(5, 0), g1->text(5, 1), g1->text(5, 2), g1->text(5, 3)};
    EXPECT_EQ(row5, (QStringList{u"08"_s, u"日常食品"_s, u"-500"_s, u"スーパーまるや"_s}));
    EXPECT_EQ(grid("Main_Grid2")->text(13, 2), u"900"_s);
    EXPECT_EQ(folder.read_bytes(u"~200402.dat"_s),
              cp932_bytes(month_file_with(
                  {kFebruaryEntry, entry("20040220", "12", "3,240", "スーパーまるや", "6"),
                   entry("20040227", "19", "5,000", "ガソリンスタンド東", "6")})));
    const CategoryRules rules = read_category_rules(folder.file(kRulesFile)).rules;
    ASSERT_EQ(rules.rules.size(), 3u);
    EXPECT_EQ(rules.rules.front(), (CategoryRule{u"カフェ青空"_s, 13, -1}));
    ASSERT_EQ(rules.layouts.size(), 1u);
    EXPECT_EQ(rules.layouts.front().saifu_no, 6);

    // The open month's part is one undo step; February's file is not in it.
    const QByteArray february = folder.read_bytes(u"~200402.dat"_s);
    make_active(*main);
    g1->setFocus();
    QTest::keyClick(g1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ledger->kensu, 1);
    EXPECT_EQ(g1->rows(), 1 + 2);
    QTest::keyClick(g1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(ledger->kensu, 6);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"8,860"_s);
    EXPECT_EQ(folder.read_bytes(u"~200402.dat"_s), february);

    // The same file dropped on the window: every row is there already.
    modals.next([&](QDialog& d) {
        make_active(d);
        EXPECT_EQ(child<QComboBox>(d, "torikomi_saifu")->currentIndex(), 6) << "remembered";
        EXPECT_EQ(counts(d), u"取り込む件数 0件　取り込み済み 7件　読めない行 1件　"
                             "収入合計 0円　支出合計 0円"_s);
        messages.clear();
        click(d, "torikomi_ok");
        EXPECT_EQ(messages.texts(), QStringList{u"取り込む行がありません。"_s});
        click(d, "torikomi_cancel");
    });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(statement_path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main.get(), &drop);
    for (int i = 0; i < 20 && modals.pending() > 0; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(ledger->kensu, 6);
    EXPECT_EQ(folder.read_bytes(u"~200402.dat"_s), february);
}

TEST_F(TorikomiTest, AFileThatCannotBeReadIsRefusedWithItsMessageAndNoWindow) {
    folder.write_bytes(u"card.csv"_s, QByteArray("PK\x03\x04\0\0\x08\0", 8));
    main->import_file(statement_path);
    ASSERT_EQ(messages.texts().size(), 1);
    const QString text = messages.texts().first();
    EXPECT_TRUE(text.endsWith(u"\nこのファイルは文字のファイルではないため、取り込めません。"_s))
        << text.toStdString();
    EXPECT_EQ(ledger->kensu, 1);
}

TEST_F(TorikomiTest, AFileThatCannotBeWrittenIsNamedWithTheMonthsWrittenAndAgainAddsOnlyTheRest) {
    folder.write_lines(u"card.csv"_s,
                       {u"利用日,利用店名,利用金額"_s, u"2004/01/25,スーパー一月,100"_s,
                        u"2004/02/25,スーパー二月,200"_s, u"2004/03/03,スーパー三月,300"_s});
    const QByteArray february = folder.read_bytes(u"~200402.dat"_s);
    const QStringList january =
        month_file_with({}) + entry("20040125", "12", "100", "スーパー一月", "0");
    modals.next([&](QDialog& d) {
        make_active(d);
        // January's new file takes six operations; February's is the next.
        fail_file_operation_for_tests(7, EIO);
        click(d, "torikomi_ok");
        fail_file_operation_for_tests(0);
        ASSERT_EQ(messages.texts().size(), 1);
        const QString text = messages.texts().first();
        EXPECT_TRUE(text.startsWith(u"2004年2月 を書き込めませんでした。"_s)) << text.toStdString();
        EXPECT_TRUE(
            text.contains(u"取り込んだ月：2004年1月\n取り込めなかった月：2004年2月、2004年3月"_s))
            << text.toStdString();
        EXPECT_EQ(ledger->kensu, 1);
        EXPECT_EQ(folder.read_lines(u"~200401.dat"_s), january);
        EXPECT_EQ(folder.read_bytes(u"~200402.dat"_s), february);
        EXPECT_EQ(counts(d), u"取り込む件数 2件　取り込み済み 1件　読めない行 0件　"
                             "収入合計 0円　支出合計 500円"_s);
        click(d, "torikomi_ok");
    });
    main->import_file(statement_path);
    EXPECT_EQ(ledger->kensu, 2);
    EXPECT_EQ(folder.read_lines(u"~200401.dat"_s), january) << "January is not written twice";
    EXPECT_EQ(folder.read_bytes(u"~200402.dat"_s),
              february + cp932_bytes(entry("20040225", "12", "200", "スーパー二月", "0")));
}
