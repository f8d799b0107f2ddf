#include "platform/geometry.h"
#include "platform/grid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kCenter = Qt::AlignHCenter | Qt::AlignVCenter;

QStringList column(const Grid& grid, int col) {
    QStringList texts;
    for (int r = 1; r < grid.rows(); ++r)
        texts.append(grid.text(r, col));
    return texts;
}

// Middle of a cell, in viewport coordinates.
QPoint cell_centre(const Grid& grid, int row, int col) {
    return grid.visualRect(grid.model()->index(row - grid.fixed_rows(), col)).center();
}

// A shown grid like the entries grid of the main window.
struct GridOnScreen : ::testing::Test {
    Grid grid;
    void SetUp() override {
        grid.set_cols(4);
        grid.resize(600, 300);
        for (int c = 0; c < 4; ++c)
            grid.set_col_width_twips(c, 1500);
        grid.add_item(u"01\t食費\t1,000\t昼食"_s, 1);
        grid.add_item(u"02\t交通費\t500\t電車"_s, 2);
        grid.add_item(u"03\t給料\t200,000\t四月分"_s, 3);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
};

} // namespace

TEST(Grid, StartsWithTheHeaderRowOnlyAndSetRowsCountsIt) {
    Grid grid;
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.row(), 0);

    grid.set_cols(7);
    grid.set_rows(31);
    EXPECT_EQ(grid.rows(), 31);
    EXPECT_EQ(grid.rowCount(), 30);
    grid.set_text(30, 6, u"last"_s);
    EXPECT_EQ(grid.text(30, 6), u"last"_s);
    grid.set_text(31, 6, u"beyond"_s); // out of range: ignored
    EXPECT_EQ(grid.rows(), 31);
    EXPECT_EQ(grid.text(31, 6), QString());
}

TEST(Grid, HeaderTextsAreRowZeroWithTheirOwnAlignment) {
    Grid grid;
    grid.set_cols(3);
    grid.set_fixed_cols(1);
    grid.set_text(0, 0, u"月・日"_s);
    grid.set_text(0, 1, u"曜"_s);
    grid.set_text(0, 2, u"日記"_s);
    grid.set_fixed_alignment(0, Grid::Align::Right);
    grid.set_fixed_alignment(1, Grid::Align::Center);

    EXPECT_EQ(grid.text(0, 0), u"月・日"_s);
    EXPECT_EQ(grid.horizontalHeaderItem(2)->text(), u"日記"_s);
    EXPECT_EQ(grid.alignment(0, 0), kRight);
    EXPECT_EQ(grid.alignment(0, 1), kCenter);
    EXPECT_EQ(grid.alignment(0, 2), kLeft);
    EXPECT_EQ(grid.rows(), 1); // header texts add no rows
}

TEST(Grid, AddItemInsertsAtItsPositionAndRemoveItemTakesTheRowOut) {
    Grid grid;
    grid.set_cols(3);
    grid.add_item(u"a\t1\tx"_s, 1);
    grid.add_item(u"c\t3"_s, 2);           // missing field leaves the cell empty
    grid.add_item(u"b\t2\ty\textra"_s, 2); // fields beyond the last column are dropped
    grid.add_item(u"d\t4\tz"_s, 99);       // past the end appends
    EXPECT_EQ(grid.rows(), 5);
    EXPECT_EQ(column(grid, 0), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
    EXPECT_EQ(column(grid, 2), (QStringList{u"x"_s, u"y"_s, QString(), u"z"_s}));

    grid.remove_item(2);
    EXPECT_EQ(column(grid, 0), (QStringList{u"a"_s, u"c"_s, u"d"_s}));
    grid.remove_item(0); // the header row stays
    grid.remove_item(9);
    EXPECT_EQ(grid.rows(), 4);
}

TEST(Grid, InsertingARowKeepsTheCurrentRowNumber) {
    Grid grid;
    grid.set_cols(2);
    grid.set_rows(2); // the header and one empty row, as the entries grid starts
    ASSERT_EQ(grid.row(), 1);
    for (int i = 1; i <= 20; ++i)
        grid.add_item(u"%1\tx"_s.arg(i), i);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.text(grid.row(), 0), u"1"_s);
}

TEST(Grid, DiaryLayoutFillsTheFixedColumnFromColumnZero) {
    Grid grid;
    grid.set_cols(3);
    grid.set_fixed_cols(1);
    for (int d = 0; d < 366; ++d)
        grid.add_item(u"01/01\t月\t"_s + QString::number(d), d + 1);
    EXPECT_EQ(grid.rows(), 367);
    EXPECT_EQ(grid.text(366, 0), u"01/01"_s);
    EXPECT_EQ(grid.text(366, 2), u"365"_s);
    // The fixed column takes no selection; the first data cell is current.
    EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 1);
}

TEST(Grid, GeneralAlignmentFollowsTheTextOfEachCell) {
    Grid grid;
    grid.set_cols(4);
    grid.set_col_alignment(0, Grid::Align::Center);
    grid.set_col_alignment(2, Grid::Align::General);
    grid.set_col_alignment(3, Grid::Align::Left);
    grid.add_item(u"01\t食費\t-1,200\t1000"_s, 1);

    EXPECT_EQ(grid.alignment(1, 0), kCenter);
    EXPECT_EQ(grid.alignment(1, 1), kLeft); // default
    EXPECT_EQ(grid.alignment(1, 2), kRight);
    EXPECT_EQ(grid.alignment(1, 3), kLeft); // a number, but the column is left

    grid.set_text(1, 2, u"未定"_s);
    EXPECT_EQ(grid.alignment(1, 2), kLeft);
    grid.item(0, 2)->setText(u"25.0"_s); // changed behind the grid's back
    EXPECT_EQ(grid.alignment(1, 2), kRight);
    grid.set_text(1, 2, QString());
    EXPECT_EQ(grid.alignment(1, 2), kLeft);

    // Alignment set after the cells exist applies to them.
    grid.set_col_alignment(1, Grid::Align::Right);
    EXPECT_EQ(grid.alignment(1, 1), kRight);
}

TEST(Grid, CellsCannotBeEdited) {
    Grid grid;
    grid.add_item(u"a\tb"_s, 1);
    EXPECT_FALSE(grid.item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid.selectionMode(), QAbstractItemView::SingleSelection);
}

TEST(Grid, ColumnWidthsAreInTwips) {
    Grid grid;
    grid.set_cols(3);
    grid.set_col_width_twips(0, 300);
    grid.set_col_width_twips(1, 370);
    EXPECT_EQ(grid.columnWidth(0), 20);
    EXPECT_EQ(grid.columnWidth(1), 25);
    EXPECT_EQ(grid.col_width_twips(1), 370);
    grid.setColumnWidth(1, 30); // dragged by the user
    EXPECT_EQ(grid.col_width_twips(1), 450);
    EXPECT_FALSE(grid.horizontalHeader()->stretchLastSection());
}

TEST(Grid, CurrentCellMovesFromCodeAndSignalsEachChange) {
    Grid grid;
    grid.set_cols(3);
    grid.set_fixed_cols(1);
    QSignalSpy changed(&grid, &Grid::row_col_changed);
    grid.add_item(u"a\tb\tc"_s, 1);
    grid.add_item(u"d\te\tf"_s, 2);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 1);

    changed.clear();
    grid.set_row(2);
    grid.set_col(2);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 2);
    EXPECT_EQ(changed.count(), 2);

    grid.set_col(0); // the fixed column
    grid.set_row(0); // the header row
    grid.set_row(3); // past the end
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 2);
    EXPECT_EQ(changed.count(), 2);

    grid.setCurrentCell(0, 0); // straight through the table: still refused
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 2);
    QTest::keyClick(&grid, Qt::Key_Home); // the keyboard passes over the fixed column too
    EXPECT_EQ(grid.col(), 1);
}

TEST_F(GridOnScreen, ClickOnCellMakesItCurrentThenSignalsClick) {
    QSignalSpy clicked(&grid, &Grid::grid_clicked);
    QSignalSpy changed(&grid, &Grid::row_col_changed);
    int row_at_click = -1;
    QObject::connect(&grid, &Grid::grid_clicked, &grid, [&] { row_at_click = grid.row(); });

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell_centre(grid, 3, 2));
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(grid.col(), 2);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(row_at_click, 3);
    EXPECT_EQ(grid.selectedItems().size(), 1);
}

TEST_F(GridOnScreen, DoubleClickSignalsOnceWithoutAnExtraClick) {
    QSignalSpy clicked(&grid, &Grid::grid_clicked);
    QSignalSpy double_clicked(&grid, &Grid::grid_double_clicked);
    // What the window system sends for a double click.
    const QPoint at = cell_centre(grid, 2, 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(double_clicked.count(), 1);
    EXPECT_EQ(clicked.count(), 1); // the first press and release
    EXPECT_EQ(grid.row(), 2);
}

TEST_F(GridOnScreen, ClicksOutsideTheCellsAreNotClicks) {
    QSignalSpy clicked(&grid, &Grid::grid_clicked);
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      QPoint(10, grid.viewport()->height() - 5));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(grid.row(), 1);
}

TEST_F(GridOnScreen, ClickOnFixedColumnPicksItsRow) {
    grid.set_fixed_cols(1);
    QSignalSpy clicked(&grid, &Grid::grid_clicked);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell_centre(grid, 3, 0));
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(GridOnScreen, FixedRowsZeroTurnsTheHeaderIntoRowZero) {
    grid.set_text(0, 1, u"費目"_s);
    grid.set_fixed_rows(0);
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.text(0, 1), u"費目"_s);
    EXPECT_EQ(grid.text(1, 1), u"食費"_s);
    EXPECT_TRUE(grid.horizontalHeader()->isHidden());
    grid.set_fixed_rows(1);
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.text(0, 1), u"費目"_s);
    EXPECT_EQ(grid.text(1, 1), u"食費"_s);
}
