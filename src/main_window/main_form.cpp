#include "main_window/main_form.h"

#include "common/month_edits.h"
#include "help/help_commands.h"
#include "help/help_key.h"
#include "ledger/backup.h"
#include "ledger/ledger.h"
#include "main_window/folder_guard.h"
#include "main_window/main_rules.h"
#include "main_window/month_view.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/widgets.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

// The main window itself: its controls and their layout.
namespace kanvelo {

namespace {

constexpr double kTotalBoxWidth = 1395;
constexpr double kTotalBoxHeight = 405;
constexpr double kButtonWidth = 1155;
constexpr double kButtonHeight = 435;
constexpr double kGridTop = 60;
constexpr double kGrid2Left = 60;
constexpr double kLabelHeight = 300;

struct LabelSpec {
    QString name;
    QString caption;
    double left;
    double width;
    bool second_row;
    QString buddy; // the total box the label names
};

const LabelSpec kLabels[] = {
    {u"Label1"_s, u"収入合計:"_s, 300, 1060, false, u"Main_syunyu"_s},
    {u"Label2"_s, u"円"_s, 2820, 400, false, {}},
    {u"Label3"_s, u"円"_s, 5880, 400, false, {}},
    {u"Label4"_s, u"支出合計:"_s, 3360, 1060, false, u"Main_Sisyutu"_s},
    {u"Label5"_s, u"円"_s, 9000, 400, false, {}},
    {u"Label6"_s, u"差引収支:"_s, 6420, 1120, false, u"Main_Syusi"_s},
    {u"Label7"_s, u"現在の現金:"_s, 60, 1300, true, u"Main_genkin"_s},
    {u"Label8"_s, u"円"_s, 2820, 400, true, {}},
};

} // namespace

Main_Form::Main_Form(Ledger& ledger, QWidget* parent)
    : QMainWindow(parent), ledger_(ledger), edits_(std::make_unique<MonthEdits>(ledger)) {
    setObjectName(u"Main_Form"_s);
    setWindowTitle(u"家計簿ぽるる"_s);
    setCentralWidget(new QWidget(this));
    build_menus();
    build_controls();
    setup_grids();
    view_ = std::make_unique<MonthView>(ledger_, *grid1_, *grid2_,
                                        MonthView::Totals{syunyu_, sisyutu_, syusi_, genkin_});
    connect(edits_.get(), &MonthEdits::changed, this,
            [this](const LedgerChange& change) { view_->follow(change); });
    edits_->set_current_row([this] { return grid1_->row(); });
    follow_history();
    resize_twips(this, kMainMinWidth, kMainMinHeight);
    on_end_ = [] { QCoreApplication::exit(0); };
    set_backup_failure_reporter([this](const FileError& e) { report_backup_failure(e); });
    new HelpKey(this);
    setAcceptDrops(true); // a statement dropped on the window is imported
    set_disk_change_handler([this](const QString& path, const QString& kept) {
        return ask_about_disk_change(this, path, kept, in_save_);
    });
}

Main_Form::~Main_Form() {
    set_backup_failure_reporter(nullptr);
    // The history clears itself as it goes, and the menu must not hear of it.
    disconnect(&edits_->history(), nullptr, this, nullptr);
    set_disk_change_handler(nullptr);
}

bool Main_Form::read_only() const {
    return guard_ && guard_->read_only();
}

bool Main_Form::refused(const QString& command) {
    return guard_ && guard_->refuses(this, command);
}

void Main_Form::build_controls() {
    QWidget* c = centralWidget();
    grid2_ = new Grid(c);
    grid2_->setObjectName(u"Main_Grid2"_s);
    grid1_ = new Grid(c);
    grid1_->setObjectName(u"Main_Grid1"_s);

    auto box = [&](const QString& name) {
        auto* b = new QLineEdit(u"0"_s, c);
        b->setObjectName(name);
        b->setReadOnly(true);
        b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return b;
    };
    syunyu_ = box(u"Main_syunyu"_s);
    sisyutu_ = box(u"Main_Sisyutu"_s);
    syusi_ = box(u"Main_Syusi"_s);
    genkin_ = box(u"Main_genkin"_s);
    for (const LabelSpec& s : kLabels)
        labels_.append(make_label(c, s.name, s.caption,
                                  s.buddy.isEmpty() ? nullptr : c->findChild<QLineEdit*>(s.buddy)));

    command1_ = make_button(c, u"Command1"_s, u"モルテア"_s);
    gamen_ = make_button(c, u"Main_gamen"_s, u"画面切替"_s);
    saifu_ = make_button(c, u"Main_Saifu"_s, u"財布"_s);
    kinyu_ = make_button(c, u"Main_Kinyu"_s, u"記入"_s);
    syuryo_ = make_button(c, u"Main_Syuryo"_s, u"終了"_s);

    connect(command1_, &QPushButton::clicked, this, [this] { open_author_page(this); });
    connect(gamen_, &QPushButton::clicked, this, &Main_Form::gamen_switch);
    connect(saifu_, &QPushButton::clicked, this, [this] {
        if (!refused(u"Main_Saifu"_s))
            saifu_clicked();
    });
    connect(kinyu_, &QPushButton::clicked, this, [this] {
        if (!refused(u"Main_Kinyu"_s))
            kinyu_loop(true);
    });
    connect(syuryo_, &QPushButton::clicked, this, &Main_Form::menu_exit);
    connect(grid2_, &Grid::grid_double_clicked, this, [this] {
        if (!refused(u"Main_Kinyu"_s))
            kinyu_loop(false);
    });
    connect(grid1_, &Grid::grid_double_clicked, this, [this] {
        if (!refused(u"MenuTeisei"_s))
            menu_teisei();
    });
    grid1_->installEventFilter(this);
}

void Main_Form::setup_grids() {
    grid1_->set_cols(4);
    grid1_->set_fixed_rows(1);
    grid1_->set_rows(2);
    const int widths1[] = {300, 1500, 1050, 3100};
    const char16_t* heads1[] = {u"日", u"費目", u"金額", u"摘要"};
    for (int col = 0; col < 4; ++col) {
        grid1_->set_col_width_twips(col, widths1[col]);
        grid1_->set_text(0, col, QString::fromUtf16(heads1[col]));
        grid1_->set_fixed_alignment(col, Grid::Align::Center);
    }
    grid1_->set_col_alignment(0, Grid::Align::Center);
    grid1_->set_col_alignment(2, Grid::Align::General);
    grid1_->set_col_alignment(3, Grid::Align::Left);

    grid2_->set_cols(7);
    grid2_->set_fixed_rows(1);
    grid2_->set_rows(kHimokuCount + 1);
    const char16_t* heads2[] = {u"No",       u"費目",     u"合計金額", u"予算残高",
                                u"予算金額", u"予算構成", u"実績構成"};
    for (int col = 0; col < 7; ++col) {
        grid2_->set_col_width_twips(col, col == 0 ? 370 : col == 1 ? 1480 : 1050);
        grid2_->set_text(0, col, QString::fromUtf16(heads2[col]));
        grid2_->set_fixed_alignment(col, col == 0 ? Grid::Align::Right : Grid::Align::Center);
        if (col >= 2)
            grid2_->set_col_alignment(col, Grid::Align::General);
    }
}

void Main_Form::set_outer_size_twips(double width_twips, double height_twips) {
    const int extra_w = frameGeometry().width() - width();
    const int extra_h = frameGeometry().height() - height();
    resize(twips_to_px(width_twips) - extra_w, twips_to_px(height_twips) - extra_h);
}

double Main_Form::outer_width_twips() const {
    return px_to_twips(frameGeometry().width());
}

double Main_Form::outer_height_twips() const {
    return px_to_twips(frameGeometry().height());
}

void Main_Form::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    apply_layout();
}

void Main_Form::apply_layout() {
    if (isMinimized() || in_layout_)
        return;
    const double W = outer_width_twips();
    const double H = outer_height_twips();
    MainLayout m = main_layout(W, H, ledger_.session.gamen);
    if (m.too_narrow) {
        set_outer_size_twips(kMainMinWidth, H);
        return;
    }
    if (m.too_low) {
        set_outer_size_twips(W, kMainMinHeight);
        return;
    }
    in_layout_ = true;
    if (m.set_widths) {
        place_twips(grid2_, kGrid2Left, kGridTop, m.grid2_width, m.grid_height);
        place_twips(grid1_, m.grid1_left, kGridTop, m.grid1_width, m.grid_height);
        grid1_->set_col_width_twips(3, int(m.grid1_col3_width));
    } else {
        place_twips(grid2_, kGrid2Left, kGridTop, px_to_twips(grid2_->width()), m.grid_height);
        place_twips(grid1_, px_to_twips(grid1_->x()), kGridTop, px_to_twips(grid1_->width()),
                    m.grid_height);
    }
    for (int i = 0; i < labels_.size(); ++i) {
        const LabelSpec& s = kLabels[i];
        const double top = s.second_row ? m.label_top2 : m.label_top;
        place_twips(labels_[i], s.left, top, s.width, kLabelHeight);
    }
    place_twips(syunyu_, 1380, m.box_top, kTotalBoxWidth, kTotalBoxHeight);
    place_twips(sisyutu_, 4440, m.box_top, kTotalBoxWidth, kTotalBoxHeight);
    place_twips(syusi_, 7560, m.box_top, kTotalBoxWidth, kTotalBoxHeight);
    place_twips(genkin_, 1380, m.row2_top, kTotalBoxWidth, kTotalBoxHeight);
    const double lefts[] = {3240, 4500, 5760, 7020, 8280};
    QPushButton* buttons[] = {command1_, gamen_, saifu_, kinyu_, syuryo_};
    for (int i = 0; i < 5; ++i)
        place_twips(buttons[i], lefts[i], m.row2_top, kButtonWidth, kButtonHeight);
    in_layout_ = false;
}

void Main_Form::gamen_switch() {
    if (ledger_.session.gamen != 1) {
        grid1_->setVisible(true);
        ledger_.session.gamen = 1;
        apply_layout();
        return;
    }
    place_twips(grid2_, kGrid2Left, kGridTop, 7500, px_to_twips(grid2_->height()));
    grid1_->setVisible(false);
    ledger_.session.gamen = 2;
}

bool Main_Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid1_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (!refused(u"MenuSakujo"_s))
            menu_sakujo();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kanvelo
