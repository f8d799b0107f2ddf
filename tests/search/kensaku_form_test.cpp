#include "common/month_edits.h"
#include "ledger/settings_file.h"
#include "platform/model_grid.h"
#include "search/kensaku_form.h"
#include "support/accessibility_check.h"
#include "support/gui_keys.h"
#include "support/gui_month_view.h"
#include "support/layout_check.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct KensakuFormTest : MonthViewTest {
    void SetUp() override {
        MonthViewTest::SetUp();
        folder.write_lines(u"~200312.dat"_s, month_file_with({entry("20031230", "12", "4,000",
                                                                    "スーパー年末", "0")}));
        folder.write_lines(
            u"~200401.dat"_s,
            month_file_with({entry("20040102", "13", "1,500", "新年会", "0"),
                             entry("20040110", "12", "2,300", "スーパー一月", "1")}));
        start({entry("20040305", "12", "700", "スーパー三月", "0")});
    }
    static QLineEdit* box(QDialog& d, const char* name) { return child<QLineEdit>(d, name); }
    static ModelGrid* results(QDialog& d) { return child<ModelGrid>(d, "kensaku_grid"); }
    static void search_by_enter(QDialog& d, const char* name, const QString& text) {
        box(d, name)->setText(text);
        box(d, name)->setFocus();
        key(Qt::Key_Return);
    }
};

} // namespace

TEST_F(KensakuFormTest, AHitInAnotherMonthOpensItAfterSavingAndSelectsTheEntry) {
    main->edits().add_entry({u"20040320"_s, u"12"_s, u"250"_s, u"スーパー未保存"_s, u"0"_s});
    open_with("MenuKensaku", [this](QDialog& d) {
        expect_tidy_layout(d);
        expect_named_boxes(d);
        search_by_enter(d, "kensaku_kingaku_from", u"1,000x"_s);
        EXPECT_EQ(messages.texts(), QStringList{u"数字を入力して下さいね。"_s});
        EXPECT_EQ(focused_name(), u"kensaku_kingaku_from");
        EXPECT_EQ(results(d)->rows(), 1);

        box(d, "kensaku_kingaku_from")->clear();
        search_by_enter(d, "kensaku_moji", u"スーパー"_s);
        ModelGrid* g = results(d);
        ASSERT_EQ(g->rows(), 5);
        EXPECT_EQ(g->text(1, 0), u"2003/12/30");
        EXPECT_EQ(g->text(2, 1) + g->text(2, 2) + g->text(2, 4), u"日常食品2,300給料振込口座");
        EXPECT_EQ(g->text(4, 3), u"スーパー未保存");
        EXPECT_EQ(child<QLabel>(d, "kensaku_goukei")->text(), u"4件　合計 7,250円");

        const QPoint cell = g->visualRect(g->model()->index(1, 3)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell);
    });
    EXPECT_EQ(ledger->nen, u"2004");
    EXPECT_EQ(ledger->tuki, u"01");
    EXPECT_EQ(ledger->kensu, 2);
    EXPECT_EQ(grid("Main_Grid1")->row(), 2);
    EXPECT_EQ(grid("Main_Grid1")->text(2, 3), u"スーパー一月");
    const QStringList ini = folder.read_lines(kSettingsFile);
    EXPECT_EQ(ini.mid(91, 2), (QStringList{u"2004"_s, u"01"_s}));
    // The month left was saved on the way.
    EXPECT_TRUE(folder.read_lines(u"~200403.dat"_s).contains(u"スーパー未保存"));

    // A hit in the open month needs no loading: Enter on the row selects it.
    open_with("MenuKensaku", [](QDialog& d) {
        search_by_enter(d, "kensaku_moji", u"新年会"_s);
        ASSERT_EQ(results(d)->rows(), 2);
        results(d)->setFocus();
        key(Qt::Key_Return);
    });
    EXPECT_EQ(ledger->tuki, u"01");
    EXPECT_EQ(grid("Main_Grid1")->row(), 1);
    EXPECT_EQ(messages.texts().size(), 1);
}

// A hit opened in another month lies wholly in view, above the horizontal scroll bar.
TEST_F(KensakuFormTest, AHitOpenedInAnotherMonthIsWhollyInView) {
    for (const auto& [file, month, count] :
         {std::tuple{u"~200402.dat"_s, u"02"_s, 60}, {u"~200405.dat"_s, u"05"_s, 45}}) {
        QList<QStringList> entries;
        for (int i = 1; i <= count; ++i)
            entries.append({u"2004%1%2"_s.arg(month).arg(1 + i % 28, 2, 10, QChar(u'0')), u"12"_s,
                            u"100"_s, u"行%1月%2"_s.arg(month).arg(i, 3, 10, QChar(u'0')), u"0"_s});
        folder.write_lines(file, month_file_with(entries));
    }
    const struct {
        QString month;
        int index;
    } cases[] = {{u"02"_s, 60}, {u"05"_s, 45}, {u"02"_s, 1}, {u"05"_s, 23}, {u"02"_s, 37}};
    for (const auto& c : cases) {
        const QString wanted = u"行%1月%2"_s.arg(c.month).arg(c.index, 3, 10, QChar(u'0'));
        SCOPED_TRACE(wanted.toStdString());
        open_with("MenuKensaku", [&](QDialog& d) {
            search_by_enter(d, "kensaku_moji", wanted);
            ModelGrid* g = results(d);
            ASSERT_EQ(g->rows(), 2);
            g->setFocus();
            g->set_row(1);
            QTest::keyClick(g, Qt::Key_Return);
        });
        QCoreApplication::processEvents();
        ASSERT_EQ(ledger->tuki, c.month);
        Grid* g = grid("Main_Grid1");
        ASSERT_EQ(g->row(), c.index);
        ASSERT_EQ(g->text(c.index, 3), wanted);
        // Without the bar there is nothing to test.
        ASSERT_TRUE(g->horizontalScrollBar()->isVisible());
        const QRect row = g->visualRect(g->currentIndex());
        EXPECT_TRUE(g->viewport()->rect().contains(row))
            << row.top() << ".." << row.bottom() << " in 0.." << g->viewport()->height();
    }
    EXPECT_TRUE(messages.texts().isEmpty());
}
