#include "charts/graph_form.h"
#include "platform/grid.h"
#include "platform/save_dialog.h"
#include "support/gui_month_view.h"
#include "support/layout_check.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

QStringList grid_row(QWidget& window, const char* name, int row) {
    QStringList cells;
    Grid* grid = child<Grid>(window, name);
    for (int c = 0; c < grid->cols(); ++c)
        cells << grid->text(row, c);
    return cells;
}

// Each bar set's value in category `i` of a chart.
QList<qreal> bars_at(QWidget& window, const char* name, int i) {
    QList<qreal> out;
    for (QAbstractSeries* series : child<QChartView>(window, name)->chart()->series())
        for (QBarSet* set : static_cast<QAbstractBarSeries*>(series)->barSets())
            out << set->at(i);
    return out;
}

struct GraphFormTest : MonthViewTest {};

} // namespace

TEST_F(GraphFormTest, GraphShowsTheMonthsFiguresInChartsAndTablesAndSavesAPng) {
    folder.write_lines(u"~200402.dat"_s,
                       month_file_with({entry("20040225", "2", "200,000", "給料", "1"),
                                        entry("20040226", "12", "8,000", "", "0")}));
    folder.write_lines(u"~200306.dat"_s, month_file_with({entry("20030601", "12", "x", "", "0")}));
    start({entry("20040301", "12", "3,000", "", "0"), entry("20040302", "9", "60,000", "", "0"),
           entry("20040303", "2", "250,000", "", "1"),
           entry("20040304", "30", "-10,000", "", "1")});
    folder.write_bytes(u"plain"_s, "x");
    QStringList files = QDir(folder.path()).entryList(QDir::Files);
    files << u"chart.png"_s;
    files.sort();
    const QByteArray march = folder.read_bytes(u"~200403.dat"_s);
    QStringList proposed;
    auto answer_png = [&](const QString& path) {
        modals.next([&proposed, path](QDialog& d) {
            auto& dialog = static_cast<QFileDialog&>(d);
            proposed << dialog.selectedFiles().value(0);
            dialog.selectFile(path);
            d.done(QDialog::Accepted);
        });
    };

    open_with("MenuGraph", [&](QDialog& d) {
        expect_tidy_layout(d);
        EXPECT_EQ(child<Grid>(d, "graph_himoku_grid")->rows(), 3);
        EXPECT_EQ(grid_row(d, "graph_himoku_grid", 1),
                  (QStringList{u"住宅費"_s, u"60,000"_s, u"95.2%"_s}));
        EXPECT_EQ(grid_row(d, "graph_himoku_grid", 2),
                  (QStringList{u"日常食品"_s, u"3,000"_s, u"4.8%"_s}));
        // The largest bar is drawn on top, the last of the axis.
        EXPECT_EQ(bars_at(d, "graph_himoku_chart", 1), QList<qreal>{60000});

        EXPECT_EQ(child<Grid>(d, "graph_month_grid")->rows(), 13);
        EXPECT_EQ(grid_row(d, "graph_month_grid", 1),
                  (QStringList{u"2003/04"_s, u"ファイルなし"_s, {}, {}}));
        EXPECT_EQ(grid_row(d, "graph_month_grid", 3),
                  (QStringList{u"2003/06"_s, u"読めません"_s, {}, {}}));
        EXPECT_EQ(grid_row(d, "graph_month_grid", 11),
                  (QStringList{u"2004/02"_s, u"200,000"_s, u"8,000"_s, u"192,000"_s}));
        EXPECT_EQ(grid_row(d, "graph_month_grid", 12),
                  (QStringList{u"2004/03"_s, u"250,000"_s, u"63,000"_s, u"187,000"_s}));
        EXPECT_EQ(bars_at(d, "graph_month_chart", 0), (QList<qreal>{0, 0, 0}));
        EXPECT_EQ(bars_at(d, "graph_month_chart", 10), (QList<qreal>{200000, 8000, 192000}));
        EXPECT_EQ(bars_at(d, "graph_month_chart", 11), (QList<qreal>{250000, 63000, 187000}));
        EXPECT_TRUE(child<QLabel>(d, "graph_unreadable")->text().contains(u"~200306.dat"_s));

        // A folder that is a file: the window says which file and why, and stays.
        child<QTabWidget>(d, "graph_tabs")->setCurrentIndex(1);
        answer_png(folder.file(u"plain/chart.png"_s));
        click(d, "graph_png");
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.texts()[0].contains(u"「chart.png」"_s));
        EXPECT_TRUE(messages.texts()[0].contains(u"フォルダが見つかりません"_s));
        answer_png(folder.file(u"chart.png"_s));
        click(d, "graph_png");
        click(d, "graph_close");
    });
    EXPECT_EQ(proposed.value(1), documents_folder() + u"収支グラフ200403.png"_s);
    QImage png;
    ASSERT_TRUE(png.loadFromData(folder.read_bytes(u"chart.png"_s), "PNG"));
    EXPECT_GT(png.width(), 300);
    // Nothing else was written.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), files);
    EXPECT_EQ(folder.read_bytes(u"~200403.dat"_s), march);
    EXPECT_EQ(messages.texts().size(), 1);
}
