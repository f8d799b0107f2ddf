#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;

// The two printed statements, laid out in character cells (1/12 inch across,
// 1/6 inch down, from the top left of the printable area) and painted onto any
// paged device: the printer, the print preview and a PDF get the same pages.
namespace kanvelo {

// What a statement prints, taken from the main window's grids as shown.
struct StatementData {
    QString nen;
    QString tuki;
    QStringList header;
    QList<QStringList> rows;
    double syunyu_goukei = 0;
    double sisyutu_goukei = 0;
    bool ruled = false; // 罫線印刷
};

// 毎日の収支: "収支詳細(2007年04月)", the entries grid's header on every page,
// one line per entry, the totals line after the last.
// Returns the number of pages, 0 when the device could not be painted on.
int print_mainichi(QPagedPaintDevice& device, const StatementData& data);

// 費目毎の収支: "費目合計(2007年04月)", the category grid's header and rows,
// the totals line after them.
int print_himoku(QPagedPaintDevice& device, const StatementData& data);

// "収支詳細(2007年04月)" and "費目合計(2007年04月)".
QString mainichi_title(const QString& nen, const QString& tuki);
QString himoku_title(const QString& nen, const QString& tuki);

// The totals line's three texts, each placed at its own column.
QStringList footer_texts(double syunyu_goukei, double sisyutu_goukei);

// Text right-aligned in a field of `width` characters; longer text whole.
QString right_aligned(const QString& text, int width);

// How wide a text is, in whatever unit the width it is fitted to has.
using Advance = std::function<double(const QString&)>;

// The lines a text takes in a column `width` wide: the text itself when it
// fits, else broken between characters (Japanese has no spaces to break at)
// so that every line but a lone too-wide character fits.
QStringList wrap_text(const QString& text, double width, const Advance& advance);

// A field right-aligned in `field_width` characters and fitted to a column
// `width` wide: blanks of the padding that do not fit are dropped, so the
// text ends at the column's edge; a text too wide even so is wrapped.
QStringList fit_field(const QString& text, int field_width, double width, const Advance& advance);

// Which rows go on which page. Every page starts with the title, a blank line
// and the header (three lines); the footer needs a blank line and its own.
struct PagePlan {
    QList<int> first_row; // index of the first row on each page
    int footer_page = 0;  // the page that carries the footer
    int pages() const { return int(first_row.size()); }
};
// `row_lines` holds the height of each row in lines (a wrapped row takes
// more than one); `lines_per_page` is what the printable height holds. A row
// taller than a page's room for rows gets a page of its own.
PagePlan plan_pages(const QList<int>& row_lines, int lines_per_page);

} // namespace kanvelo
