#include "charts/graph_form.h"

#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"
#include "platform/widgets.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr double kWidth = 16800;
constexpr double kHeight = 9600;

const QColor kIncomeColour(0x4e, 0x79, 0xa7);
const QColor kExpenseColour(0xe1, 0x57, 0x59);
const QColor kBalanceColour(0x59, 0xa1, 0x4f);
const QColor kNegativeColour(255, 0, 0);

QString month_title(const QString& nen, const QString& tuki) {
    return nen + u'年' + tuki + u'月';
}

QChartView* make_chart_view(QWidget* parent, const QString& name, const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    // Amounts on the axis read as everywhere else in the program: 120,000.
    chart->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    chart->setLocalizeNumbers(true);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 240);
    return view;
}

// The amount axis: from zero (or below, for a negative figure) to the
// largest figure, in round steps.
QValueAxis* amount_axis(const QList<QBarSet*>& sets) {
    double lo = 0;
    double hi = 0;
    for (const QBarSet* set : sets)
        for (int i = 0; i < set->count(); ++i) {
            lo = std::min(lo, set->at(i));
            hi = std::max(hi, set->at(i));
        }
    if (lo == hi)
        hi = lo + 1000;
    auto* axis = new QValueAxis;
    axis->setRange(lo, hi);
    axis->setLabelFormat(u"%.0f"_s);
    axis->applyNiceNumbers();
    return axis;
}

void attach(QChart* chart, QAbstractBarSeries* series, const QStringList& categories,
            Qt::Alignment category_side, Qt::Alignment amount_side) {
    chart->addSeries(series);
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    chart->addAxis(axis, category_side);
    series->attachAxis(axis);
    QValueAxis* amounts = amount_axis(series->barSets());
    chart->addAxis(amounts, amount_side);
    series->attachAxis(amounts);
}

// "4月": twelve captions side by side leave no room for the year, which the
// chart's title gives. A month without figures says so under its name.
QString axis_caption(const MonthFigures& m) {
    QString caption = QString::number(m.tuki.toInt()) + u'月';
    if (m.status == MonthFigures::Status::Missing)
        caption += u"<br>なし"_s;
    else if (m.status == MonthFigures::Status::Damaged)
        caption += u"<br>読めず"_s;
    return caption;
}

Grid* make_table(QWidget* parent, const QString& name, const QStringList& heads,
                 const QList<int>& widths) {
    auto* grid = new Grid(parent);
    grid->setObjectName(name);
    grid->set_cols(heads.size());
    int width = 0;
    for (int c = 0; c < heads.size(); ++c) {
        grid->set_text(0, c, heads[c]);
        grid->set_fixed_alignment(c, Grid::Align::Center);
        grid->set_col_alignment(c, c == 0 ? Grid::Align::Left : Grid::Align::Right);
        grid->set_col_width_twips(c, widths[c]);
        width += twips_to_px(widths[c]);
    }
    grid->setFixedWidth(width + grid->verticalScrollBar()->sizeHint().width() + 4);
    return grid;
}

void fill_table(Grid* grid, const QList<QStringList>& rows) {
    for (const QStringList& row : rows)
        grid->add_item(row.join(u'\t'), grid->rows());
    // Figures to read: no row stands out as chosen.
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->clearSelection();
}

} // namespace

GraphForm::GraphForm(const Ledger& ledger, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), expenses_(expense_by_category(ledger)),
      months_(twelve_months(ledger)) {
    setObjectName(u"Graph_form"_s);
    setWindowTitle(u"グラフ"_s);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(u"graph_tabs"_s);
    tabs_->addTab(build_expense_tab(), u"今月の支出"_s);
    tabs_->addTab(build_month_tab(), u"12か月の収支"_s);

    png_ = make_button(this, u"graph_png"_s, u"PNGで保存"_s);
    close_ = make_button(this, u"graph_close"_s, u"閉じる"_s);
    connect(png_, &QPushButton::clicked, this, &GraphForm::png_clicked);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(png_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    resize_twips(this, kWidth, kHeight);
}

QWidget* GraphForm::build_expense_tab() {
    auto* page = new QWidget;
    page->setObjectName(u"graph_himoku_page"_s);
    const QString month = month_title(ledger_.nen, ledger_.tuki);
    expense_chart_ = make_chart_view(
        page, u"graph_himoku_chart"_s,
        expenses_.empty() ? month + u"の支出はありません"_s
                          : month + u"の支出（費目別、合計 %1円）"_s.arg(
                                        format_number(ledger_.sisyutu_goukei, u"#,##0"_s)));
    auto* set = new QBarSet(u"支出"_s);
    set->setColor(kExpenseColour);
    QStringList names;
    // The category axis runs upwards; the largest expense goes on top.
    for (auto it = expenses_.rbegin(); it != expenses_.rend(); ++it) {
        *set << it->kingaku;
        names << it->name;
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    QChart* chart = expense_chart_->chart();
    attach(chart, series, names, Qt::AlignLeft, Qt::AlignBottom);
    chart->legend()->hide();

    expense_grid_ = make_table(page, u"graph_himoku_grid"_s, {u"費目"_s, u"金額"_s, u"割合"_s},
                               {1500, 1300, 900});
    QList<QStringList> rows;
    for (const ExpenseSlice& s : expenses_)
        rows << expense_row(s);
    fill_table(expense_grid_, rows);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(expense_chart_, 1);
    layout->addWidget(expense_grid_);
    return page;
}

QWidget* GraphForm::build_month_tab() {
    auto* page = new QWidget;
    page->setObjectName(u"graph_month_page"_s);
    month_chart_ =
        make_chart_view(page, u"graph_month_chart"_s,
                        month_title(months_.front().nen, months_.front().tuki) + u"〜"_s +
                            month_title(months_.back().nen, months_.back().tuki) + u"の収支"_s);
    auto* syunyu = new QBarSet(u"収入"_s);
    auto* sisyutu = new QBarSet(u"支出"_s);
    auto* sagaku = new QBarSet(u"差引"_s);
    QStringList captions;
    for (const MonthFigures& m : months_) {
        // A bar set has a value in every month; a month without figures gets
        // none drawn, and its caption and the table say why.
        const bool shown = m.has_figures();
        *syunyu << (shown ? m.syunyu : 0);
        *sisyutu << (shown ? m.sisyutu : 0);
        *sagaku << (shown ? m.sagaku() : 0);
        captions << axis_caption(m);
    }
    auto* series = new QBarSeries;
    for (const auto& [set, colour] :
         {std::pair{syunyu, kIncomeColour}, {sisyutu, kExpenseColour}, {sagaku, kBalanceColour}}) {
        set->setColor(colour);
        set->setBorderColor(colour);
        series->append(set);
    }
    QChart* chart = month_chart_->chart();
    attach(chart, series, captions, Qt::AlignBottom, Qt::AlignLeft);
    chart->legend()->setAlignment(Qt::AlignBottom);

    const QStringList unreadable = unreadable_files(months_);
    unreadable_ = make_label(page, u"graph_unreadable"_s,
                             u"読めなかったファイル: "_s + unreadable.join(u"、"_s));
    unreadable_->setWordWrap(true);
    unreadable_->setVisible(!unreadable.isEmpty());

    month_grid_ = make_table(page, u"graph_month_grid"_s,
                             {u"月"_s, u"収入"_s, u"支出"_s, u"差引"_s}, {1100, 1300, 1300, 1300});
    QList<QStringList> rows;
    for (const MonthFigures& m : months_)
        rows << month_row(m);
    fill_table(month_grid_, rows);
    // A negative balance is red, as in the month view.
    for (int i = 0; i < int(months_.size()); ++i)
        if (months_[i].has_figures() && months_[i].sagaku() < 0)
            month_grid_->item(i, 3)->setForeground(kNegativeColour);

    auto* left = new QVBoxLayout;
    left->addWidget(month_chart_, 1);
    left->addWidget(unreadable_);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addWidget(month_grid_);
    return page;
}

QChartView* GraphForm::shown_chart() const {
    return tabs_->currentIndex() == 0 ? expense_chart_ : month_chart_;
}

void GraphForm::png_clicked() {
    const QString name = (tabs_->currentIndex() == 0 ? u"支出グラフ"_s : u"収支グラフ"_s) +
                         ledger_.nen + ledger_.tuki + u".png"_s;
    const QString path = ask_save_path(
        this, {u"png_dialog"_s, u"グラフをPNGファイルに保存"_s, u"PNG (*.png)"_s, u"png"_s}, name);
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteResult failed;
    if (!shown_chart()->grab().save(&buffer, "PNG"))
        failed = FileError{path, 0, u"画像を作れませんでした"_s};
    else
        failed = write_file_bytes(path, bytes);
    if (failed)
        show_message(this,
                     u"「"_s + failed->file_name() + u"」を保存できませんでした。\n"_s +
                         failed->message(),
                     {}, MsgIcon::Exclamation);
}

} // namespace kanvelo
