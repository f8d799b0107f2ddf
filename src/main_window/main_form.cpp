#include "main_window/main_form.h"

#include "assets/sisan_form.h"
#include "backup/backup_form.h"
#include "backup/backup_rules.h"
#include "budget/yosan_form.h"
#include "charts/graph_form.h"
#include "common/notices.h"
#include "diary/nikki_form.h"
#include "editing/saifu_form.h"
#include "editing/sakujo_form.h"
#include "editing/teisei_form.h"
#include "editing/teisei_rules.h"
#include "entry/kinyu_form.h"
#include "help/help_commands.h"
#include "ledger/backup.h"
#include "ledger/clock.h"
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "ledger/month_file.h"
#include "ledger/month_load.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "main_window/main_rules.h"
#include "main_window/open_form.h"
#include "main_window/sort_rules.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/widgets.h"
#include "reports/fileout2_form.h"
#include "reports/fileout_form.h"
#include "reports/print_himoku_form.h"
#include "reports/print_mainichi_form.h"
#include "search/kensaku_form.h"
#include "settings/option2_form.h"
#include "settings/option_form.h"
#include "settings/zei_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

using namespace Qt::StringLiterals;

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

// The menu bar, one row per menu, item or separator, in the order shown.
// A row without a command is a window still to come: shown, but disabled.
struct MenuRow {
    enum Kind { Menu, Item, Separator };
    Kind kind;
    QString parent; // objectName of the menu it belongs to; empty: the menu bar
    QString name;
    QString caption;
    void (Main_Form::*command)();
};

const MenuRow kMenuRows[] = {
    {MenuRow::Menu, {}, u"Menufile"_s, u"ﾌｧｲﾙ(&F)"_s, nullptr},
    {MenuRow::Item, u"Menufile"_s, u"MenuOpen"_s, u"家計簿を開く"_s, &Main_Form::open_other_month},
    {MenuRow::Item, u"Menufile"_s, u"MenuBackup"_s, u"バックアップから戻す"_s,
     &Main_Form::menu_backup},
    {MenuRow::Item, u"Menufile"_s, u"MenuTorikomi"_s, u"明細の取り込み"_s,
     &Main_Form::menu_torikomi},
    {MenuRow::Separator, u"Menufile"_s, u"MenuLine2"_s, {}, nullptr},
    {MenuRow::Menu, u"Menufile"_s, u"MenuPrint"_s, u"印刷"_s, nullptr},
    {MenuRow::Item, u"MenuPrint"_s, u"MenyPrintHimoku"_s, u"費目毎の収支"_s,
     &Main_Form::menu_print_himoku},
    {MenuRow::Item, u"MenuPrint"_s, u"MenuPrintMainichi"_s, u"毎日の収支"_s,
     &Main_Form::menu_print_mainichi},
    {MenuRow::Separator, u"Menufile"_s, u"Menuline"_s, {}, nullptr},
    {MenuRow::Menu, u"Menufile"_s, u"Menufileout"_s, u"ファイル出力"_s, nullptr},
    {MenuRow::Item, u"Menufileout"_s, u"menu_export_goukei"_s, u"費目集計"_s,
     &Main_Form::menu_export_goukei},
    {MenuRow::Item, u"Menufileout"_s, u"menu_export_syusi"_s, u"収支内容"_s,
     &Main_Form::menu_export_syusi},
    {MenuRow::Separator, u"Menufile"_s, u"Menuline4"_s, {}, nullptr},
    {MenuRow::Item, u"Menufile"_s, u"Menu_Save"_s, u"保存"_s, &Main_Form::menu_save},
    {MenuRow::Separator, u"Menufile"_s, u"Menuline5"_s, {}, nullptr},
    {MenuRow::Item, u"Menufile"_s, u"MenuExit"_s, u"終了"_s, &Main_Form::menu_exit},
    {MenuRow::Menu, {}, u"MenuEDIT"_s, u"編集(&E)"_s, nullptr},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuTeisei"_s, u"訂正"_s, &Main_Form::menu_teisei},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuSakujo"_s, u"削除"_s, &Main_Form::menu_sakujo},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuKensaku"_s, u"検索"_s, &Main_Form::menu_kensaku},
    {MenuRow::Separator, u"MenuEDIT"_s, u"Menuline3"_s, {}, nullptr},
    {MenuRow::Menu, u"MenuEDIT"_s, u"MenuSort"_s, u"並べ替え"_s, nullptr},
    {MenuRow::Item, u"MenuSort"_s, u"MenuSortHiduke"_s, u"日付順"_s, &Main_Form::menu_sort_hiduke},
    {MenuRow::Item, u"MenuSort"_s, u"MenuSortHimoku"_s, u"費目順"_s, &Main_Form::menu_sort_himoku},
    {MenuRow::Item, u"MenuSort"_s, u"MenuSortKingaku"_s, u"金額順"_s,
     &Main_Form::menu_sort_kingaku},
    // Menus without items open their window from the bar itself.
    {MenuRow::Item, {}, u"MenuBudget"_s, u"予算(&B)"_s, &Main_Form::menu_budget},
    {MenuRow::Menu, {}, u"MenuOption"_s, u"設定(&O)"_s, nullptr},
    {MenuRow::Item, u"MenuOption"_s, u"MenuOptionHimoku"_s, u"費目名"_s,
     &Main_Form::menu_option_himoku},
    {MenuRow::Item, u"MenuOption"_s, u"OptionMenuSaifu"_s, u"財布・口座名"_s,
     &Main_Form::menu_option_saifu},
    {MenuRow::Item, u"MenuOption"_s, u"MenuOptionZei"_s, u"消費税率"_s, &Main_Form::menu_zei},
    {MenuRow::Item, u"MenuOption"_s, u"MenuBunrui"_s, u"自動分類"_s, &Main_Form::menu_bunrui},
    {MenuRow::Item, {}, u"MenuNikki"_s, u"日記(&D)"_s, &Main_Form::menu_nikki},
    {MenuRow::Item, {}, u"menu_資産"_s, u"資産管理(&S)"_s, &Main_Form::menu_sisan},
    {MenuRow::Item, {}, u"MenuGraph"_s, u"グラフ(&G)"_s, &Main_Form::menu_graph},
    {MenuRow::Menu, {}, u"MenuHELP"_s, u"ﾍﾙﾌﾟ(&H)"_s, nullptr},
    {MenuRow::Item, u"MenuHELP"_s, u"MenuManual"_s, u"使い方"_s, &Main_Form::menu_manual},
    {MenuRow::Item, u"MenuHELP"_s, u"MenuMorutea"_s, u"モルテアホームページ"_s,
     &Main_Form::menu_morutea},
    {MenuRow::Item, u"MenuHELP"_s, u"MenuVersion"_s, u"ﾊﾞｰｼﾞｮﾝ情報"_s, &Main_Form::menu_version},
};

void set_colour(QLineEdit* box, bool red) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text,
               red ? QColor(255, 0, 0) : QGuiApplication::palette().color(QPalette::Text));
    box->setPalette(p);
}

} // namespace

Main_Form::Main_Form(Ledger& ledger, QWidget* parent) : QMainWindow(parent), ledger_(ledger) {
    setObjectName(u"Main_Form"_s);
    setWindowTitle(u"家計簿ぽるる"_s);
    setCentralWidget(new QWidget(this));
    setAcceptDrops(true); // a statement dropped on the window is imported
    build_menus();
    build_controls();
    setup_grids();
    resize_twips(this, kMainMinWidth, kMainMinHeight);
    on_end_ = [] { QCoreApplication::exit(0); };
    set_backup_failure_reporter([this](const FileError& e) { report_backup_failure(e); });
}

Main_Form::~Main_Form() {
    set_backup_failure_reporter(nullptr);
}

void Main_Form::build_menus() {
    QMap<QString, QMenu*> menus;
    for (const MenuRow& row : kMenuRows) {
        QMenu* parent = row.parent.isEmpty() ? nullptr : menus.value(row.parent);
        QAction* action = nullptr;
        switch (row.kind) {
        case MenuRow::Menu: {
            QMenu* menu = parent ? parent->addMenu(row.caption) : menuBar()->addMenu(row.caption);
            menu->setObjectName(row.name);
            menus.insert(row.name, menu);
            action = menu->menuAction();
            break;
        }
        case MenuRow::Item:
            action = parent ? parent->addAction(row.caption) : menuBar()->addAction(row.caption);
            action->setEnabled(row.command != nullptr);
            if (row.command)
                connect(action, &QAction::triggered, this, row.command);
            break;
        case MenuRow::Separator:
            action = parent->addSeparator();
            break;
        }
        action->setObjectName(row.name);
    }
}

void Main_Form::menu_save() {
    save_all();
}

void Main_Form::menu_exit() {
    if (save_all())
        end_application();
}

void Main_Form::menu_zei() {
    show_zei_form(this, ledger_);
}

void Main_Form::menu_option_himoku() {
    // The month view shows the old names and kinds until the window closes.
    const bool shown = isVisible();
    hide();
    OptionForm form(ledger_, this);
    run_modal(form);
    if (shown)
        show();
    category_settings_refresh();
}

void Main_Form::category_settings_refresh() {
    // A kind that changed moves totals, balances and budget shares; the
    // ledger works them all out again from the entries.
    ledger_.recompute();
    fill_grids();
    totals_display_refresh();
}

void Main_Form::menu_option_saifu() {
    // Every window that lists wallets fills its list when it opens.
    Option2Form form(ledger_, this);
    run_modal(form);
}

void Main_Form::saifu_clicked() {
    SaifuForm form(ledger_, this);
    connect(&form, &SaifuForm::entry_added, this, &Main_Form::new_entry_refresh);
    run_modal(form);
}

void Main_Form::menu_nikki() {
    NikkiForm form(ledger_, this);
    run_modal(form);
}

void Main_Form::menu_budget() {
    YosanForm form(ledger_, this);
    run_modal(form);
    ledger_.budget_totals_recalc();
    category_columns_refresh();
}

void Main_Form::menu_print_mainichi() {
    PrintMainichiForm form(ledger_, *grid1_, this);
    run_modal(form);
}

void Main_Form::menu_print_himoku() {
    PrintHimokuForm form(ledger_, *grid2_, this);
    run_modal(form);
}

void Main_Form::menu_export_goukei() {
    FileoutForm form(ledger_, this);
    run_modal(form);
}

void Main_Form::menu_export_syusi() {
    Fileout2Form form(ledger_, this);
    run_modal(form);
}

void Main_Form::menu_sisan() {
    show_sisan_form(this, ledger_.app_path);
}

void Main_Form::menu_graph() {
    GraphForm form(ledger_, this);
    run_modal(form);
}

void Main_Form::menu_manual() {
    show_manual(this, ledger_);
}

void Main_Form::menu_morutea() {
    open_maker_page(this);
}

void Main_Form::menu_version() {
    show_version(this);
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
    connect(saifu_, &QPushButton::clicked, this, &Main_Form::saifu_clicked);
    connect(kinyu_, &QPushButton::clicked, this, [this] { kinyu_loop(true); });
    connect(syuryo_, &QPushButton::clicked, this, &Main_Form::menu_exit);
    connect(grid2_, &Grid::grid_double_clicked, this, [this] { kinyu_loop(false); });
    connect(grid1_, &Grid::grid_double_clicked, this, &Main_Form::menu_teisei);
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

void Main_Form::startup() {
    if (splash_enabled_)
        show_splash(this);
    center_on_screen(this);
    FileErrors errors = ledger_load(ledger_, clock_today());
    setWindowTitle(main_title(ledger_));
    ledger_.session.last_hi = 0;
    ledger_.session.last_tuki = 0;
    ledger_.session.last_nen = 0;
    totals_display_refresh();
    ledger_.session.gamen = 1;
    grid1_->setVisible(true);
    setup_grids();
    fill_grids();
    WriteResult diary_made;
    ReadReport diary = diary_load(ledger_, ledger_.nen, &diary_made);
    if (diary_made)
        errors.push_back(*diary_made);
    errors.insert(errors.end(), diary.errors.begin(), diary.errors.end());
    // The window frame is known only once the window is on screen, and the
    // saved geometry includes it.
    if (!isVisible())
        show();
    place_from_window_file(errors);
    apply_layout();
    if (!errors.empty())
        show_load_errors(errors);
}

void Main_Form::fill_grids() {
    // Rebuilt from the ledger alone, so nothing of the month before stays.
    grid1_->set_rows(1);
    for (int i = 1; i <= ledger_.kensu; ++i)
        grid1_->add_item(entry_row_text(ledger_, i, false), i);
    grid1_->set_rows(ledger_.kensu + 2); // the empty row after the last entry
    for (int n = 1; n <= kHimokuCount; ++n) {
        const HimokuRec& h = ledger_.himoku[n - 1];
        grid2_->set_text(n, 0, QString::number(n));
        grid2_->set_text(n, 1, h.name);
        grid2_->set_text(n, 2, format_number(h.jisseki, u"#,##0"_s));
    }
    category_columns_refresh();
}

void Main_Form::place_from_window_file(FileErrors& errors) {
    const QString path = ledger_.path(kWindowFile);
    if (!QFileInfo::exists(path)) {
        WindowGeometry g{outer_height_twips(), outer_width_twips(),
                         px_to_twips(frameGeometry().y()), px_to_twips(frameGeometry().x()),
                         isMinimized()   ? 1
                         : isMaximized() ? 2
                                         : 0};
        if (auto e = window_file_create(g, path))
            errors.push_back(*e);
    }
    ReadReport r = window_file_read(ledger_);
    errors.insert(errors.end(), r.errors.begin(), r.errors.end());
    if (r.missing || ledger_.win_width <= 0 || ledger_.win_height <= 0)
        return;
    set_outer_size_twips(ledger_.win_width, ledger_.win_height);
    move(twips_to_px(ledger_.win_left), twips_to_px(ledger_.win_top));
    if (ledger_.win_state == 1)
        center_on_screen(this);
}

void Main_Form::show_load_errors(const FileErrors& errors) {
    // A month read with problems is kept as it was before the first save
    // writes over it; the user must know where.
    QString note;
    if (ledger_.damaged_copy_pending)
        note = u"元のファイルは、保存の前に「"_s + ledger_.damaged_copy_name +
               u"」として同じフォルダに残します。"_s;
    show_failure(this, contact_code(errors), note);
}

void Main_Form::totals_display_refresh() {
    TotalsText t = totals_text(ledger_);
    syunyu_->setText(t.syunyu);
    sisyutu_->setText(t.sisyutu);
    syusi_->setText(t.syusi);
    genkin_->setText(t.genkin);
    set_colour(syusi_, t.syusi_negative);
    set_colour(genkin_, t.genkin_negative);
}

void Main_Form::category_columns_refresh() {
    for (int n = 1; n <= kHimokuCount; ++n) {
        const QStringList cols = category_columns(ledger_, n);
        for (int c = 0; c < 4; ++c)
            grid2_->set_text(n, 3 + c, cols.at(c));
    }
}

void Main_Form::new_entry_refresh() {
    const int e = ledger_.kensu;
    grid1_->add_item(entry_row_text(ledger_, e, true), e);
    totals_display_refresh();
    const int c = ledger_.category_index(ledger_.syusi[e].himoku_no);
    if (c >= 0)
        grid2_->set_text(c + 1, 2, format_number(ledger_.himoku[c].jisseki, u"#,##0"_s));
    category_columns_refresh();
}

void Main_Form::month_recalc() {
    ledger_.month_recalc();
    totals_display_refresh();
    category_columns_refresh();
}

void Main_Form::entry_row_refresh(int e) {
    const QStringList cells = entry_row_text(ledger_, e, false).split(u'\t');
    for (int col = 0; col < cells.size(); ++col)
        grid1_->set_text(e, col, cells.at(col));
    grid1_->set_row(e);
}

void Main_Form::jisseki_column_refresh() {
    for (int n = 1; n <= kHimokuCount; ++n)
        grid2_->set_text(n, 2, format_number(ledger_.himoku[n - 1].jisseki, u"#,##0"_s));
}

void Main_Form::entries_grid_rebuild() {
    // Rows are rewritten in place rather than removed and inserted, so that the
    // grid is redrawn once.
    grid1_->setUpdatesEnabled(false);
    grid1_->set_rows(ledger_.kensu + 2); // the empty row after the last entry
    for (int i = 1; i <= ledger_.kensu + 1; ++i) {
        const QStringList cells =
            i <= ledger_.kensu ? entry_row_text(ledger_, i, false).split(u'\t') : QStringList();
        for (int col = 0; col < grid1_->cols(); ++col)
            grid1_->set_text(i, col, cells.value(col));
    }
    grid1_->setUpdatesEnabled(true);
}

void Main_Form::entry_changed_refresh(int e) {
    jisseki_column_refresh();
    month_recalc();
    entry_row_refresh(e);
}

void Main_Form::menu_teisei() {
    const int r = grid1_->row();
    if (const RowHolds holds = row_holds(r, ledger_.kensu); holds != RowHolds::Entry) {
        show_message(this, teisei_row_message(holds), {}, MsgIcon::Exclamation);
        return;
    }
    TeiseiForm window(ledger_, r, this);
    connect(&window, &TeiseiForm::written, this, &Main_Form::entry_changed_refresh);
    run_modal(window);
    // However the window closed, the entry it showed last is brought up to date.
    entry_changed_refresh(window.teisei_no());
}

void Main_Form::menu_sakujo() {
    const int r = grid1_->row();
    if (const RowHolds holds = row_holds(r, ledger_.kensu); holds != RowHolds::Entry) {
        show_message(this, sakujo_row_message(holds), {}, MsgIcon::Exclamation);
        return;
    }
    SakujoForm window(ledger_, r, this);
    run_modal(window);
    if (!window.deleted())
        return;
    jisseki_column_refresh();
    month_recalc();
    entries_grid_rebuild();
}

void Main_Form::sort_entries(SortKey key) {
    BusyPointer busy;
    const int current = grid1_->row();
    const std::vector<int> order = sort_order(ledger_, key);
    ledger_.reorder_entries(order);
    entries_grid_rebuild();
    // The entry that was selected stays selected in its new place.
    const auto moved = std::find(order.begin(), order.end(), current);
    if (moved != order.end())
        grid1_->set_row(int(moved - order.begin()) + 1);
}

void Main_Form::menu_sort_hiduke() {
    sort_entries(SortKey::Hiduke);
}

void Main_Form::menu_sort_himoku() {
    sort_entries(SortKey::Himoku);
}

void Main_Form::menu_sort_kingaku() {
    sort_entries(SortKey::Kingaku);
}

bool Main_Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid1_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        menu_sakujo();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Main_Form::kinyu_loop(bool from_button) {
    // Only the first window proposes the category of the grid's row.
    int proposed = from_button ? 0 : grid2_->row();
    for (;;) {
        KinyuForm window(ledger_, proposed, this);
        run_modal(window);
        proposed = 0;
        if (window.decision() != KinyuDecision::Closed)
            new_entry_refresh();
        if (window.decision() != KinyuDecision::Next)
            break;
    }
}

bool Main_Form::write_files() {
    const WindowGeometry g{outer_height_twips(), outer_width_twips(),
                           px_to_twips(frameGeometry().y()), px_to_twips(frameGeometry().x()),
                           isMinimized()   ? 1
                           : isMaximized() ? 2
                                           : 0};
    WriteResult e = settings_write(ledger_);
    if (!e)
        e = window_file_write(ledger_, g);
    if (!e)
        e = month_file_save(ledger_);
    // Notes typed in the entry window are otherwise written only when it closes.
    if (!e && ledger_.nikki_changed) {
        e = diary_save(ledger_, ledger_.nen);
        if (!e)
            ledger_.nikki_changed = false;
    }
    if (!e)
        return true;
    report_save_failure(*e);
    return false;
}

void Main_Form::report_save_failure(const FileError& e) {
    show_message(this,
                 u"「%1」を保存できませんでした。\n%2\n\n入力したデータはそのまま残っています。"
                 "保存先を確かめてから、もう一度保存して下さい。"_s.arg(e.file_name(), e.message()),
                 QString(), MsgIcon::Exclamation);
}

void Main_Form::report_backup_failure(const FileError& e) {
    // Shown once a run: a backup folder that cannot be written stays so until
    // the user does something about it, and every save would say it again.
    show_message(this,
                 u"保存の前に、元のファイルのバックアップを「%1」に残せませんでした。\n%2\n\n"
                 "保存はそのまま続けました。データのフォルダの「%3」を確かめて下さい。"
                 "このお知らせは、次に起動するまで出しません。"_s.arg(
                     QDir(ledger_.app_path).relativeFilePath(e.path), e.detail, kBackupFolder),
                 QString(), MsgIcon::Exclamation);
}

bool Main_Form::save_all() {
    BusyPointer busy;
    return write_files();
}

void Main_Form::end_application() {
    ended_ = true;
    hide();
    if (on_end_)
        on_end_();
}

void Main_Form::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    event->ignore();
    switch (ask_osimai(this)) {
    case OsimaiAnswer::Hai:
        if (write_files())
            end_application();
        break;
    case OsimaiAnswer::Iie:
        end_application();
        break;
    case OsimaiAnswer::Closed:
        break;
    }
}

void Main_Form::menu_kensaku() {
    KensakuForm form(ledger_, this);
    run_modal(form);
    if (const auto& hit = form.chosen())
        show_found_entry(hit->nen, hit->tuki, hit->index);
}

void Main_Form::show_found_entry(int nen, int tuki, int index) {
    const QString year = format_number(nen, u"0000"_s);
    const QString month = format_number(tuki, u"00"_s);
    if (year != ledger_.nen || month != ledger_.tuki) {
        // As 家計簿を開く does: the open month is saved before another loads.
        if (!save_all())
            return;
        const QString was_nen = ledger_.nen;
        const QString was_tuki = ledger_.tuki;
        ledger_.nen = year;
        ledger_.tuki = month;
        // Start-up opens the month kanvelo.ini records.
        if (auto e = settings_write(ledger_)) {
            ledger_.nen = was_nen;
            ledger_.tuki = was_tuki;
            report_save_failure(*e);
            return;
        }
        startup();
    }
    if (index < 1 || index > ledger_.kensu)
        return;
    if (ledger_.session.gamen != 1)
        gamen_switch();
    grid1_->set_row(index);
    grid1_->scrollTo(grid1_->currentIndex());
    grid1_->setFocus();
}

void Main_Form::menu_backup() {
    std::vector<BackupCopy> copies = backup_copies(ledger_.month_file_path());
    if (copies.empty()) {
        show_message(
            this,
            u"%1年%2月の家計簿のバックアップは、まだありません。\n"
            "バックアップは、保存するときに、その日の最初の保存の前の内容が残ります。"_s.arg(
                ledger_.nen, ledger_.tuki),
            QString(), MsgIcon::Information);
        return;
    }
    BackupForm form(ledger_, std::move(copies), this);
    run_modal(form);
    if (form.chosen())
        restore_month(*form.chosen());
}

void Main_Form::restore_month(const BackupCopy& copy) {
    // What is on screen goes to the disk first, so that the restore keeps it
    // among the copies and can itself be undone.
    if (!save_all()) {
        show_message(this,
                     u"今の家計簿を保存できなかったので、バックアップから戻すのをやめました。"_s,
                     QString(), MsgIcon::Exclamation);
        return;
    }
    if (auto failed = restore_backup(copy, ledger_.month_file_path())) {
        show_message(this,
                     u"バックアップから戻せませんでした。\n%1\n\n家計簿は戻す前のままです。"_s.arg(
                         failed->message()),
                     QString(), MsgIcon::Exclamation);
        return;
    }
    startup();
    show_message(this,
                 u"%1年%2月の家計簿を、%3のバックアップに戻しました。\n"
                 "戻す前の内容は、今日のバックアップに残してあります。"_s.arg(
                     ledger_.nen, ledger_.tuki, copy_day_text(copy)),
                 QString(), MsgIcon::Information);
}

void Main_Form::open_other_month() {
    if (!save_all())
        return;
    if (!choose_other_month(this, ledger_))
        return;
    if (auto e = settings_write(ledger_))
        report_save_failure(*e);
    startup();
}

} // namespace kanvelo
