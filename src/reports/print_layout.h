#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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

// Which rows go on which page. Every page starts with the title, a blank line
// and the header (three lines); the footer needs a blank line and its own.
struct PagePlan {
    int rows_per_page = 1;
    QList<int> first_row; // index of the first row on each page
    int footer_page = 0;  // the page that carries the footer
    int pages() const { return int(first_row.size()); }
};
// `lines_per_page` is what the printable height holds at one line height.
PagePlan plan_pages(int rows, int lines_per_page);

} // namespace kanvelo
