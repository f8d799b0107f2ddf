#include "common/month_edits.h"
#include "ledger/line_file.h"
#include "platform/model_grid.h"
#include "platform/printing.h"
#include "platform/save_dialog.h"
#include "platform/spinner.h"
#include "support/gui_month_view.h"
#include "support/gui_pdf.h"
#include "support/layout_check.h"
#include "yearly/nenkan_form.h"
#include "yearly/nenkan_print.h"

#include <QFileDialog>
#include <QLabel>
#include <QPdfWriter>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct NenkanFormTest : MonthViewTest {
    void SetUp() override {
        MonthViewTest::SetUp();
        set_printer_for_tests(QString());
    }
    void TearDown() override {
        set_printer_for_tests(std::nullopt);
        MonthViewTest::TearDown();
    }

    // 2003/12 and 2004/02 saved, 2004/01 damaged, March open with an entry
    // that is not saved yet.
    void start_with_months() {
        folder.write_lines(u"~200312.dat"_s,
                           month_file_with({entry("20031224", "13", "8,000", "ケーキ", "0"),
                                            entry("20031225", "21", "3,300", "薬", "0")}));
        folder.write_lines(u"~200401.dat"_s,
                           month_file_with({entry("20040105", "21", "x", "", "0")}));
        folder.write_lines(u"~200402.dat"_s,
                           month_file_with({entry("20040203", "21", "1,200", "歯医者", "0"),
                                            entry("20040210", "2", "200,000", "給料", "1")}));
        start({entry("20040301", "21", "2,500", "目薬", "0")});
        main->edits().add_entry({u"20040302"_s, u"21"_s, u"700"_s, u"湿布"_s, u"0"_s});
    }

    static Grid* table(QDialog& d) { return child<Grid>(d, "nenkan_grid"); }
};

// pdftotext gives full-width letters and digits back half-width; nothing else is folded.
QString comparable(QString text) {
    for (QChar& c : text) {
        if (c.unicode() >= 0xff01 && c.unicode() <= 0xff5e)
            c = QChar(c.unicode() - 0xfee0);
    }
    return text;
}

QStringList grid_row(Grid* g, int row) {
    QStringList cells;
    for (int c = 0; c < g->cols(); ++c)
        cells << g->text(row, c);
    return cells;
}

} // namespace

TEST_F(NenkanFormTest, ShowsTheYearWithTheUnsavedMonthAndSwitchesToTheTwelveUpToIt) {
    start_with_months();
    open_with("MenuNenkan", [&](QDialog& d) {
        expect_tidy_layout(d);
        // 医療保健 in 2004: January is damaged, March counts its unsaved entry.
        EXPECT_EQ(grid_row(table(d), 21).mid(0, 4),
                  (QStringList{u"医療保健"_s, {}, u"1,200"_s, u"3,200"_s}));
        EXPECT_EQ(grid_row(table(d), 21).mid(13),
                  (QStringList{u"4,400"_s, u"2,200"_s, u"0"_s, u"-4,400"_s}));
        auto* damaged = child<QLabel>(d, "nenkan_damaged");
        EXPECT_TRUE(damaged->text().contains(u"~200401.dat"_s)) << damaged->text().toStdString();

        click(d, "nenkan_up_to_open");
        EXPECT_EQ(table(d)->text(0, 1), u"2003/04"_s);
        EXPECT_EQ(table(d)->text(21, 9), u"3,300"_s);
        EXPECT_EQ(table(d)->text(21, 13), u"7,700"_s);

        // Going back a year with the spinner shows that calendar year.
        child<Spinner>(d, "nenkan_nen_spinner")->step_down();
        EXPECT_TRUE(child<QRadioButton>(d, "nenkan_by_year")->isChecked());
        EXPECT_EQ(table(d)->text(0, 1), u"2003/01"_s);
        EXPECT_EQ(table(d)->text(21, 12), u"3,300"_s);
        EXPECT_EQ(damaged->text(), QString());
        click(d, "nenkan_close");
    });
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(NenkanFormTest, ACategoryClickedSearchesItsEntriesInTheTableAndShowsTheOneChosen) {
    start_with_months();
    QStringList found;
    open_with("MenuNenkan", [&](QDialog& d) {
        click(d, "nenkan_up_to_open");
        modals.next([&](QDialog& search) {
            EXPECT_EQ(search.objectName(), u"Kensaku_form");
            ModelGrid* hits = child<ModelGrid>(search, "kensaku_grid");
            for (int r = 1; r < hits->rows(); ++r)
                found << hits->text(r, 0) + u' ' + hits->text(r, 2);
            // The entry of February is chosen with Enter.
            hits->setFocus();
            hits->set_row(2);
            QTest::keyClick(hits, Qt::Key_Return);
        });
        Grid* g = table(d);
        QTableWidgetItem* name = g->item(20, 0);
        g->scrollToItem(name);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(name).center());
    });
    // Only 医療保健, only the table's months, the open month from memory; the
    // damaged January is left out.
    EXPECT_EQ(found, (QStringList{u"2003/12/25 3,300"_s, u"2004/02/03 1,200"_s,
                                  u"2004/03/01 2,500"_s, u"2004/03/02 700"_s}));
    // Showing the entry saved March and opened February.
    EXPECT_EQ(ledger->tuki, u"02"_s);
    EXPECT_EQ(grid("Main_Grid1")->row(), 1);
    EXPECT_TRUE(folder.read_lines(u"~200403.dat"_s).contains(u"湿布"_s));
}

TEST_F(NenkanFormTest, SavesTheTableAsCsvInCodePage932AndPrintsEveryRowAndColumn) {
    start_with_months();
    const QString pdf = folder.file(u"printed.pdf"_s);
    QStringList csv;
    QString proposed;
    open_with("MenuNenkan", [&](QDialog& d) {
        csv = nenkan_csv_lines(static_cast<NenkanForm&>(d).table());
        modals.next([&](QDialog& s) {
            proposed = static_cast<QFileDialog&>(s).selectedFiles().value(0);
            static_cast<QFileDialog&>(s).selectFile(folder.file(u"year.csv"_s));
            s.done(QDialog::Accepted);
        });
        click(d, "nenkan_csv");
        set_printer_for_tests(pdf);
        click(d, "nenkan_print");
        click(d, "nenkan_close");
    });
    EXPECT_EQ(proposed, documents_folder() + u"年間収支表2004.csv"_s);
    const QByteArray bytes = folder.read_bytes(u"year.csv"_s);
    EXPECT_EQ(bytes, cp932_bytes(csv));
    EXPECT_TRUE(bytes.startsWith(*encode_cp932(
        u"No.,費目,2004/01,2004/02,2004/03,2004/04,2004/05,2004/06,2004/07,2004/08,2004/09,"
        "2004/10,2004/11,2004/12,年合計,月平均,年間予算,予算との差\r\n"_s)));

    const QString text = comparable(pdf_text(pdf));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count(u'\f'), 1) << "one page";
    EXPECT_TRUE(text.contains(u"2004年の収支"_s));
    // The header on one line: the first and last columns are on the page.
    const QString header_line = text.split(u'\n').filter(u"予算との差"_s).value(0);
    EXPECT_TRUE(header_line.contains(u"費目"_s) && header_line.contains(u"2004/12"_s))
        << header_line.toStdString();
    EXPECT_TRUE(text.contains(u"4,400"_s));
    EXPECT_TRUE(text.contains(u"~200401.dat"_s));
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(NenkanFormTest, APageTooShortForTheTableRepeatsTheHeaderOnEveryPage) {
    start_with_months();
    const NenkanTable t = nenkan_table(*ledger, NenkanSpan::Year, 2004);
    const QString pdf = folder.file(u"small.pdf"_s);
    int pages = 0;
    ASSERT_FALSE(write_pdf(pdf, u"t"_s, [&](QPagedPaintDevice& device) {
        device.setPageSize(QPageSize(QSizeF(60, 200), QPageSize::Millimeter));
        pages = print_nenkan(device, t);
        return pages > 0;
    }));
    ASSERT_GT(pages, 1);
    const QStringList sheets = comparable(pdf_text(pdf)).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(sheets.size(), pages);
    int rows_seen = 0;
    for (const QString& sheet : sheets) {
        EXPECT_TRUE(sheet.contains(u"予算との差"_s));
        EXPECT_TRUE(sheet.contains(u"2004/12"_s));
        for (int r = 0; r < kNenkanRows; ++r)
            rows_seen += sheet.contains(comparable(nenkan_row_name(t, r)) + u' ') ? 1 : 0;
    }
    EXPECT_EQ(rows_seen, kNenkanRows); // each row on one page
}
