#include "yearly/nenkan_print.h"

#include "yearly/nenkan_rules.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr double kPointSize = 9;
// Smaller type keeps every column on the page; below this size a page too
// short for the rows breaks them onto further pages instead.
constexpr double kSmallestPointSize = 4;
constexpr double kSmallestPointSizeForHeight = 7;

QFont table_font(double points) {
    // The IPA fonts first, as for the statements: the Noto CJK fonts share
    // the glyphs of 支, 月, ・ and others with the Kangxi radicals, and the
    // PDF's text layer would give those back instead.
    QFont f;
    f.setFamilies({u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s, u"VL Gothic"_s,
                   u"TakaoGothic"_s});
    f.setPointSizeF(points);
    return f;
}

class Painter {
public:
    Painter(QPagedPaintDevice& device, const NenkanTable& table) : device_(device), table_(table) {
        header_ = nenkan_header(table);
        for (int r = 0; r < kNenkanRows; ++r)
            rows_ << nenkan_row(table, r);
        footnote_ = nenkan_damaged_text(table);
    }

    int run() {
        // The orientation must be set before painting starts on the device.
        device_.setPageOrientation(QPageLayout::Landscape);
        if (!painter_.begin(&device_))
            return 0;
        fit_columns();
        painter_.setPen(QPen(Qt::black, device_.logicalDpiY() / 144.0));
        const QList<int> starts =
            nenkan_page_starts(int(rows_.size()), lines_on_page() - 3 - extra());
        for (int p = 0; p < starts.size(); ++p) {
            if (p > 0 && !device_.newPage()) {
                painter_.end();
                return 0;
            }
            text_line(0, QStringList{nenkan_title(table_)}, false);
            text_line(2, header_, true);
            painter_.drawLine(QPointF(0, 3 * lh_), QPointF(table_width(), 3 * lh_));
            const int last = p + 1 < starts.size() ? starts.at(p + 1) : int(rows_.size());
            for (int r = starts.at(p); r < last; ++r) {
                const int line = 3 + r - starts.at(p);
                // The totals stand apart from the categories.
                if (r == kNenkanSyunyuRow)
                    painter_.drawLine(QPointF(0, line * lh_), QPointF(table_width(), line * lh_));
                text_line(line, rows_.at(r), false);
            }
            if (p + 1 == starts.size() && !footnote_.isEmpty())
                text_line(3 + last - starts.at(p) + 1, QStringList{footnote_}, false);
        }
        return painter_.end() ? int(starts.size()) : 0;
    }

private:
    double table_width() const {
        double w = 0;
        for (double c : widths_)
            w += c;
        return w;
    }

    int lines_on_page() const { return int(std::floor(device_.height() / lh_)); }
    // The footnote needs a gap and its line.
    int extra() const { return footnote_.isEmpty() ? 0 : 2; }

    // Shrinks the type until the widest text of every column fits across the
    // page, and, within reason, until the title, header and rows fit down it.
    void fit_columns() {
        double points = kPointSize;
        for (;;) {
            painter_.setFont(table_font(points));
            measure();
            const bool too_wide = table_width() > device_.width() && points > kSmallestPointSize;
            const bool too_long = 3 + int(rows_.size()) + extra() > lines_on_page() &&
                                  points > kSmallestPointSizeForHeight;
            if (!too_wide && !too_long)
                break;
            points = std::max(too_wide ? kSmallestPointSize : kSmallestPointSizeForHeight,
                              std::floor(points * 0.9 * 10) / 10);
        }
    }

    void measure() {
        const QFontMetricsF fm(painter_.font(), &device_);
        lh_ = fm.height() * 1.2;
        ascent_ = fm.ascent() + fm.height() * 0.1;
        gap_ = fm.horizontalAdvance(u"　"_s);
        widths_.fill(0, header_.size());
        auto widen = [&](const QStringList& cells) {
            for (int c = 0; c < cells.size() && c < widths_.size(); ++c)
                widths_[c] = std::max(widths_[c], fm.horizontalAdvance(cells.at(c)) + gap_);
        };
        widen(header_);
        for (const QStringList& r : std::as_const(rows_))
            widen(r);
    }

    // The first cell left-aligned, the amounts right-aligned in their columns;
    // a header is centred. A single cell is a line of its own.
    void text_line(int line, const QStringList& cells, bool header) {
        const double y = line * lh_ + ascent_;
        if (cells.size() == 1) {
            painter_.drawText(QPointF(0, y), cells.first());
            return;
        }
        const QFontMetricsF fm(painter_.font(), &device_);
        double x = 0;
        for (int c = 0; c < cells.size() && c < widths_.size(); ++c) {
            const double w = fm.horizontalAdvance(cells.at(c));
            double at = x + widths_[c] - gap_ / 2 - w;
            if (c == 0)
                at = x;
            else if (header)
                at = x + (widths_[c] - w) / 2;
            painter_.drawText(QPointF(at, y), cells.at(c));
            x += widths_[c];
        }
    }

    QPagedPaintDevice& device_;
    const NenkanTable& table_;
    QStringList header_;
    QList<QStringList> rows_;
    QString footnote_;
    QPainter painter_;
    QList<double> widths_;
    double lh_ = 1;
    double ascent_ = 0;
    double gap_ = 0;
};

} // namespace

QList<int> nenkan_page_starts(int rows, int rows_per_page) {
    rows_per_page = std::max(rows_per_page, 1);
    QList<int> starts{0};
    for (int r = rows_per_page; r < rows; r += rows_per_page)
        starts << r;
    return starts;
}

int print_nenkan(QPagedPaintDevice& device, const NenkanTable& table) {
    return Painter(device, table).run();
}

} // namespace kanvelo
