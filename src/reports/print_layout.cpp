#include "reports/print_layout.h"

#include "ledger/values.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr int kHeadLines = 3;   // title, blank line, header
constexpr int kFooterLines = 2; // blank line, totals
constexpr double kRightEdgeGap = 8;
constexpr double kFooterX[] = {12, 32, 52};
constexpr double kPointSize = 10;
// Texts start a little right of their cell so that none touches a rule.
constexpr double kTextInset = 0.25;

// Where one column's header and row texts go: X in cells, and the field
// width they are right-aligned in (0: as they are).
struct Column {
    double head_x;
    int head_width;
    double row_x;
    int row_width;
};

constexpr double kToRightEdge = -1; // a rule at the page's right edge

struct Sheet {
    QString title;
    QList<Column> columns;
    QList<double> rules; // vertical rules, left to right
};

Sheet mainichi_sheet() {
    return {{},
            {{8, 0, 8, 0}, {16, 0, 12, 0}, {30, 0, 24, 15}, {50, 0, 40, 0}},
            {8, 12, 24, 40, kToRightEdge}};
}

Sheet himoku_sheet() {
    Sheet s{{}, {{8, 2, 8, 2}, {16, 0, 12, 0}}, {8, 12}};
    for (int c = 0; c < 5; ++c) {
        s.columns.append({25.0 + 10 * c, 0, 24.0 + 10 * c, 10});
        s.rules.append(24.0 + 10 * c);
    }
    s.rules.append(74);
    return s;
}

QFont statement_font() {
    // Fixed-width, so that fields padded with blanks line up.
    QFont f;
    f.setFamilies({u"Noto Sans Mono CJK JP"_s, u"IPAGothic"_s, u"VL Gothic"_s, u"TakaoGothic"_s,
                   u"monospace"_s});
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(kPointSize);
    return f;
}

// One print job on one device: cell sizes in device pixels and the pen.
class Painter {
public:
    Painter(QPagedPaintDevice& device, const Sheet& sheet, const StatementData& data)
        : device_(device), sheet_(sheet), data_(data) {}

    int run() {
        if (!painter_.begin(&device_))
            return 0;
        painter_.setFont(statement_font());
        measure();
        // Half a point, whatever the device's resolution.
        painter_.setPen(QPen(Qt::black, device_.logicalDpiY() / 144.0));
        const PagePlan plan =
            plan_pages(int(data_.rows.size()), int(std::floor(device_.height() / lh_)));
        for (int p = 0; p < plan.pages(); ++p) {
            if (p > 0 && !device_.newPage()) {
                painter_.end();
                return 0;
            }
            head();
            const int first = plan.first_row.at(p);
            const int last =
                p + 1 < plan.pages() ? plan.first_row.at(p + 1) : int(data_.rows.size());
            for (int r = first; r < last; ++r)
                row(kHeadLines + r - first, data_.rows.at(r));
            if (p == plan.footer_page)
                footer(kHeadLines + (last - first) + 1);
        }
        return painter_.end() ? plan.pages() : 0;
    }

private:
    void measure() {
        cell_w_ = device_.logicalDpiX() / 12.0;
        cell_h_ = device_.logicalDpiY() / 6.0;
        const QFontMetricsF fm(painter_.font(), &device_);
        ascent_ = fm.ascent();
        // The line height is that of "あ"; a font that reports none still
        // advances by one cell.
        lh_ = fm.boundingRect(u"あ"_s).height() > 0 ? fm.height() : cell_h_;
        if (!(lh_ > 0))
            lh_ = 1;
        // The rows' last column starts at 40: the box must hold it.
        right_edge_ = std::max(std::floor(device_.width() / cell_w_) - kRightEdgeGap, 41.0);
    }

    double rule_x(double x) const { return x == kToRightEdge ? right_edge_ : x; }

    void text(double x_cells, int line, const QString& s) {
        const double x = (x_cells + kTextInset) * cell_w_;
        // Nothing may run past the printable area: a long text is cut with "…".
        const QFontMetricsF fm(painter_.font(), &device_);
        const QString shown = fm.elidedText(s, Qt::ElideRight, device_.width() - x);
        painter_.drawText(QPointF(x, line * lh_ + ascent_), shown);
    }

    void hline(int line) {
        const double y = line * lh_;
        painter_.drawLine(QPointF(rule_x(sheet_.rules.first()) * cell_w_, y),
                          QPointF(rule_x(sheet_.rules.last()) * cell_w_, y));
    }

    // The box of one line: its verticals and the line under it.
    void ruled_box(int line) {
        for (double x : sheet_.rules)
            painter_.drawLine(QPointF(rule_x(x) * cell_w_, line * lh_),
                              QPointF(rule_x(x) * cell_w_, (line + 1) * lh_));
        hline(line + 1);
    }

    void head() {
        text(20, 0, sheet_.title);
        if (data_.ruled)
            hline(2);
        for (int c = 0; c < sheet_.columns.size() && c < data_.header.size(); ++c) {
            const Column& col = sheet_.columns.at(c);
            text(col.head_x, 2, right_aligned(data_.header.at(c), col.head_width));
        }
        if (data_.ruled)
            ruled_box(2);
    }

    void row(int line, const QStringList& cells) {
        for (int c = 0; c < sheet_.columns.size() && c < cells.size(); ++c) {
            const Column& col = sheet_.columns.at(c);
            text(col.row_x, line, right_aligned(cells.at(c), col.row_width));
        }
        if (data_.ruled)
            ruled_box(line);
    }

    void footer(int line) {
        const QStringList t = footer_texts(data_.syunyu_goukei, data_.sisyutu_goukei);
        for (int i = 0; i < 3; ++i)
            text(kFooterX[i], line, t.at(i));
    }

    QPagedPaintDevice& device_;
    const Sheet& sheet_;
    const StatementData& data_;
    QPainter painter_;
    double cell_w_ = 1;
    double cell_h_ = 1;
    double lh_ = 1;
    double ascent_ = 0;
    double right_edge_ = 0;
};

} // namespace

QString mainichi_title(const QString& nen, const QString& tuki) {
    return u"収支詳細("_s + nen + u'年' + tuki + u"月)"_s;
}

QString himoku_title(const QString& nen, const QString& tuki) {
    return u"費目合計("_s + nen + u'年' + tuki + u"月)"_s;
}

QStringList footer_texts(double syunyu, double sisyutu) {
    const QString amount = u"#,##0"_s;
    return {u"収入合計"_s + format_number(syunyu, amount),
            u"支出合計"_s + format_number(sisyutu, amount),
            u"収支合計"_s + format_number(syunyu - sisyutu, amount)};
}

QString right_aligned(const QString& text, int width) {
    return width > 0 ? text.rightJustified(width, u' ') : text;
}

PagePlan plan_pages(int rows, int lines_per_page) {
    PagePlan plan;
    // Room for the footer is kept on every page, so that a page full of rows
    // still ends the statement.
    plan.rows_per_page = std::max(1, lines_per_page - kHeadLines - kFooterLines);
    for (int first = 0; first < rows || first == 0; first += plan.rows_per_page)
        plan.first_row.append(first);
    const int on_last = rows - plan.first_row.last();
    plan.footer_page = plan.pages() - 1;
    // Only a page too low for the head, one row and the footer gets here.
    if (kHeadLines + on_last + kFooterLines > lines_per_page && on_last > 0) {
        plan.first_row.append(rows);
        plan.footer_page = plan.pages() - 1;
    }
    return plan;
}

int print_mainichi(QPagedPaintDevice& device, const StatementData& data) {
    Sheet sheet = mainichi_sheet();
    sheet.title = mainichi_title(data.nen, data.tuki);
    return Painter(device, sheet, data).run();
}

int print_himoku(QPagedPaintDevice& device, const StatementData& data) {
    Sheet sheet = himoku_sheet();
    sheet.title = himoku_title(data.nen, data.tuki);
    return Painter(device, sheet, data).run();
}

} // namespace kanvelo
