#include "reports/print_layout.h"

#include "ledger/values.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <optional>

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
    // Fixed-width, so that fields padded with blanks line up. IPAGothic
    // first: a PDF's text layer maps each glyph back to the lowest code
    // point the font gives it, and the Noto CJK fonts give the glyphs of
    // 支, 月, 日, ・ and others to the Kangxi radicals and U+2027 as well, so
    // copied or searched text would come out as those.
    QFont f;
    f.setFamilies({u"IPAGothic"_s, u"Noto Sans Mono CJK JP"_s, u"VL Gothic"_s, u"TakaoGothic"_s,
                   u"monospace"_s});
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(kPointSize);
    return f;
}

// The lines a page has for rows once the head and the footer have theirs.
int room_for_rows(int lines_per_page) {
    return std::max(1, lines_per_page - kHeadLines - kFooterLines);
}

// One row's cells, each as the lines it takes in its column.
using RowLines = QList<QStringList>;

int height_of(const RowLines& row) {
    qsizetype lines = 1;
    for (const QStringList& cell : row)
        lines = std::max(lines, cell.size());
    return int(lines);
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
        QList<RowLines> rows;
        QList<int> heights;
        for (const QStringList& cells : data_.rows) {
            rows.append(fitted(cells));
            heights.append(height_of(rows.last()));
        }
        const int lines_per_page = int(std::floor(device_.height() / lh_));
        const PagePlan plan = plan_pages(heights, lines_per_page);
        // A row taller than a whole page is cut at the page's foot.
        for (int& h : heights)
            h = std::min(h, room_for_rows(lines_per_page));
        for (int p = 0; p < plan.pages(); ++p) {
            if (p > 0 && !device_.newPage()) {
                painter_.end();
                return 0;
            }
            head();
            const int first = plan.first_row.at(p);
            const int last =
                p + 1 < plan.pages() ? plan.first_row.at(p + 1) : int(data_.rows.size());
            int line = kHeadLines;
            for (int r = first; r < last; ++r) {
                row(line, rows.at(r), heights.at(r));
                line += heights.at(r);
            }
            if (p == plan.footer_page)
                footer(line + 1);
        }
        return painter_.end() ? plan.pages() : 0;
    }

private:
    void measure() {
        cell_w_ = device_.logicalDpiX() / 12.0;
        cell_h_ = device_.logicalDpiY() / 6.0;
        metrics_.emplace(painter_.font(), &device_);
        const QFontMetricsF& fm = *metrics_;
        // The line height is that of "あ", but never less than a cell: a font
        // with no leading would set its lines on the rules. A font that
        // reports no height advances by one cell.
        lh_ = fm.boundingRect(u"あ"_s).height() > 0 ? std::max(fm.height(), cell_h_) : cell_h_;
        if (!(lh_ > 0))
            lh_ = 1;
        // Text sits in the middle of its line.
        ascent_ = (lh_ - fm.height()) / 2 + fm.ascent();
        // The rows' last column starts at 40: the box must hold it.
        right_edge_ = std::max(std::floor(device_.width() / cell_w_) - kRightEdgeGap, 41.0);
    }

    double rule_x(double x) const { return x == kToRightEdge ? right_edge_ : x; }

    double advance(const QString& s) const { return metrics_->horizontalAdvance(s); }

    // A column runs from where its rows start to the next rule right of it.
    double column_width(const Column& col) const {
        double end = right_edge_;
        for (double x : sheet_.rules)
            if (rule_x(x) > col.row_x) {
                end = rule_x(x);
                break;
            }
        return (end - col.row_x) * cell_w_;
    }

    RowLines fitted(const QStringList& cells) const {
        const Advance width_of = [this](const QString& s) { return advance(s); };
        RowLines row;
        for (int c = 0; c < sheet_.columns.size() && c < cells.size(); ++c) {
            const Column& col = sheet_.columns.at(c);
            row.append(fit_field(cells.at(c), col.row_width, column_width(col), width_of));
        }
        return row;
    }

    // A text outside the columns (title, header, totals): nothing may run
    // past the printable area, so a long one is cut with "…".
    void text(double x_cells, int line, const QString& s) {
        const double x = (x_cells + kTextInset) * cell_w_;
        const QString shown = metrics_->elidedText(s, Qt::ElideRight, device_.width() - x);
        painter_.drawText(QPointF(x, line * lh_ + ascent_), shown);
    }

    // A column's lines, one under the other, a little right of the rule
    // unless the widest fills the column and needs that room.
    void cell_text(const Column& col, int line, const QStringList& lines, int height) {
        double widest = 0;
        for (const QString& s : lines)
            widest = std::max(widest, advance(s));
        const double room = column_width(col) - widest;
        const double x = col.row_x * cell_w_ + std::clamp(room, 0.0, kTextInset * cell_w_);
        for (int i = 0; i < lines.size() && i < height; ++i)
            painter_.drawText(QPointF(x, (line + i) * lh_ + ascent_), lines.at(i));
    }

    void hline(int line) {
        const double y = line * lh_;
        painter_.drawLine(QPointF(rule_x(sheet_.rules.first()) * cell_w_, y),
                          QPointF(rule_x(sheet_.rules.last()) * cell_w_, y));
    }

    // The box of `lines` lines from `line`: its verticals and the line under it.
    void ruled_box(int line, int lines = 1) {
        for (double x : sheet_.rules)
            painter_.drawLine(QPointF(rule_x(x) * cell_w_, line * lh_),
                              QPointF(rule_x(x) * cell_w_, (line + lines) * lh_));
        hline(line + lines);
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

    void row(int line, const RowLines& cells, int height) {
        for (int c = 0; c < cells.size(); ++c)
            cell_text(sheet_.columns.at(c), line, cells.at(c), height);
        if (data_.ruled)
            ruled_box(line, height);
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
    std::optional<QFontMetricsF> metrics_;
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

QStringList wrap_text(const QString& text, double width, const Advance& advance) {
    if (advance(text) <= width)
        return {text};
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, n);
        if (!line.isEmpty() && advance(line + ch) > width) {
            lines.append(line);
            line.clear();
        }
        line += ch;
        i += n;
    }
    lines.append(line);
    return lines;
}

QStringList fit_field(const QString& text, int field_width, double width, const Advance& advance) {
    QString padded = right_aligned(text, field_width);
    qsizetype blanks = padded.size() - text.size();
    while (blanks > 0 && advance(padded) > width) {
        padded.remove(0, 1);
        --blanks;
    }
    return wrap_text(padded, width, advance);
}

PagePlan plan_pages(const QList<int>& row_lines, int lines_per_page) {
    PagePlan plan;
    // Room for the footer is kept on every page, so that a page full of rows
    // still ends the statement.
    const int room = room_for_rows(lines_per_page);
    plan.first_row.append(0);
    int used = 0;
    for (int r = 0; r < row_lines.size(); ++r) {
        const int lines = std::clamp(row_lines.at(r), 1, room);
        if (used > 0 && used + lines > room) {
            plan.first_row.append(r);
            used = 0;
        }
        used += lines;
    }
    plan.footer_page = plan.pages() - 1;
    // Only a page too low for the head, one row and the footer gets here.
    if (used > 0 && kHeadLines + used + kFooterLines > lines_per_page) {
        plan.first_row.append(int(row_lines.size()));
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
