#include "main_window/main_form.h"

#include "common/notices.h"
#include "diary/nikki_form.h"
#include "entry/kinyu_form.h"
#include "help/help_commands.h"
#include "ledger/clock.h"
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "ledger/month_file.h"
#include "ledger/month_load.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "main_window/main_rules.h"
#include "main_window/open_form.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "settings/zei_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

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
    const char* name;
    const char16_t* caption;
    double left;
    double width;
    bool second_row;
};

constexpr LabelSpec kLabels[] = {
    {"Label1", u"収入合計:", 300, 1060, false}, {"Label2", u"円", 2820, 400, false},
    {"Label3", u"円", 5880, 400, false},        {"Label4", u"支出合計:", 3360, 1060, false},
    {"Label5", u"円", 9000, 400, false},        {"Label6", u"差引収支:", 6420, 1120, false},
    {"Label7", u"現在の現金:", 60, 1300, true}, {"Label8", u"円", 2820, 400, true},
};

QString q(const char* s) {
    return QString::fromLatin1(s);
}

void set_colour(QLineEdit* box, bool red) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text,
               red ? QColor(255, 0, 0) : QGuiApplication::palette().color(QPalette::Text));
    box->setPalette(p);
}

// "(~200403.dat 12行目)" and how many more problems there were.
QString contact_code(const FileErrors& errors) {
    const FileError& e = errors.front();
    QString code = e.file_name();
    if (e.line > 0)
        code += QStringLiteral(" %1行目").arg(e.line);
    if (!e.detail.isEmpty())
        code += QStringLiteral("：") + e.detail;
    if (errors.size() > 1)
        code += QStringLiteral("、ほか%1件").arg(errors.size() - 1);
    return code;
}

} // namespace

Main_Form::Main_Form(Ledger& ledger, QWidget* parent) : QMainWindow(parent), ledger_(ledger) {
    setObjectName(q("Main_Form"));
    setWindowTitle(QStringLiteral("家計簿ぽるる"));
    setCentralWidget(new QWidget(this));
    build_menus();
    build_controls();
    setup_grids();
    resize_twips(this, kMainMinWidth, kMainMinHeight);
    on_end_ = [] { QCoreApplication::exit(0); };
}

QAction* Main_Form::add_item(QMenu* menu, const QString& name, const QString& text, bool enabled) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    a->setEnabled(enabled);
    return a;
}

void Main_Form::build_menus() {
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, const char16_t* title) {
        QMenu* m = bar->addMenu(QString::fromUtf16(title));
        m->setObjectName(q(name));
        m->menuAction()->setObjectName(q(name));
        return m;
    };
    auto separator = [](QMenu* m, const char* name) { m->addSeparator()->setObjectName(q(name)); };

    QMenu* file = menu("Menufile", u"ﾌｧｲﾙ(&F)");
    connect(add_item(file, q("MenuOpen"), QStringLiteral("家計簿を開く")), &QAction::triggered,
            this, &Main_Form::open_other_month);
    separator(file, "MenuLine2");
    QMenu* print = file->addMenu(QStringLiteral("印刷"));
    print->setObjectName(q("MenuPrint"));
    print->menuAction()->setObjectName(q("MenuPrint"));
    add_item(print, q("MenyPrintHimoku"), QStringLiteral("費目毎の収支"), false);
    add_item(print, q("MenuPrintMainichi"), QStringLiteral("毎日の収支"), false);
    separator(file, "Menuline");
    QMenu* out = file->addMenu(QStringLiteral("ファイル出力"));
    out->setObjectName(q("Menufileout"));
    out->menuAction()->setObjectName(q("Menufileout"));
    add_item(out, q("menu_export_goukei"), QStringLiteral("費目集計"), false);
    add_item(out, q("menu_export_syusi"), QStringLiteral("収支内容"), false);
    separator(file, "Menuline4");
    connect(add_item(file, q("Menu_Save"), QStringLiteral("保存")), &QAction::triggered, this,
            [this] { save_all(); });
    separator(file, "Menuline5");
    connect(add_item(file, q("MenuExit"), QStringLiteral("終了")), &QAction::triggered, this,
            [this] {
                if (save_all())
                    end_application();
            });

    QMenu* edit = menu("MenuEDIT", u"編集(&E)");
    add_item(edit, q("MenuTeisei"), QStringLiteral("訂正"), false);
    add_item(edit, q("MenuSakujo"), QStringLiteral("削除"), false);
    separator(edit, "Menuline3");
    QMenu* sort = edit->addMenu(QStringLiteral("並べ替え"));
    sort->setObjectName(q("MenuSort"));
    sort->menuAction()->setObjectName(q("MenuSort"));
    add_item(sort, q("MenuSortHiduke"), QStringLiteral("日付順"), false);
    add_item(sort, q("MenuSortHimoku"), QStringLiteral("費目順"), false);
    add_item(sort, q("MenuSortKingaku"), QStringLiteral("金額順"), false);

    // Menus without items open their window from the bar itself.
    auto bar_item = [&](const char* name, const char16_t* title, bool enabled) {
        QAction* a = bar->addAction(QString::fromUtf16(title));
        a->setObjectName(q(name));
        a->setEnabled(enabled);
        return a;
    };
    bar_item("MenuBudget", u"予算(&B)", false);

    QMenu* option = menu("MenuOption", u"設定(&O)");
    add_item(option, q("MenuOptionHimoku"), QStringLiteral("費目名"), false);
    add_item(option, q("OptionMenuSaifu"), QStringLiteral("財布・口座名"), false);
    connect(add_item(option, q("MenuOptionZei"), QStringLiteral("消費税率")), &QAction::triggered,
            this, [this] { show_zei_form(this, ledger_); });

    connect(bar_item("MenuNikki", u"日記(&D)", true), &QAction::triggered, this, [this] {
        NikkiForm form(ledger_, this);
        run_modal(form);
    });
    bar_item("menu_資産", u"資産管理(&S)", false)->setObjectName(QStringLiteral("menu_資産"));

    QMenu* help = menu("MenuHELP", u"ﾍﾙﾌﾟ(&H)");
    connect(add_item(help, q("MenuManual"), QStringLiteral("使い方")), &QAction::triggered, this,
            [this] { show_manual(this, ledger_); });
    connect(add_item(help, q("MenuMorutea"), QStringLiteral("モルテアホームページ")),
            &QAction::triggered, this, [this] { open_maker_page(this); });
    connect(add_item(help, q("MenuVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")), &QAction::triggered,
            this, [this] { show_version(this, ledger_); });
}

void Main_Form::build_controls() {
    QWidget* c = centralWidget();
    grid2_ = new Grid(c);
    grid2_->setObjectName(q("Main_Grid2"));
    grid1_ = new Grid(c);
    grid1_->setObjectName(q("Main_Grid1"));

    for (const LabelSpec& s : kLabels) {
        auto* label = new QLabel(QString::fromUtf16(s.caption), c);
        label->setObjectName(q(s.name));
        labels_.append(label);
    }
    auto box = [&](const char* name) {
        auto* b = new QLineEdit(QStringLiteral("0"), c);
        b->setObjectName(q(name));
        b->setReadOnly(true);
        b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return b;
    };
    syunyu_ = box("Main_syunyu");
    sisyutu_ = box("Main_Sisyutu");
    syusi_ = box("Main_Syusi");
    genkin_ = box("Main_genkin");

    auto button = [&](const char* name, const char16_t* caption) {
        auto* b = new QPushButton(QString::fromUtf16(caption), c);
        b->setObjectName(q(name));
        b->setAutoDefault(false);
        return b;
    };
    command1_ = button("Command1", u"モルテア");
    gamen_ = button("Main_gamen", u"画面切替");
    saifu_ = button("Main_Saifu", u"財布");
    kinyu_ = button("Main_Kinyu", u"記入");
    syuryo_ = button("Main_Syuryo", u"終了");
    saifu_->setEnabled(false);

    connect(command1_, &QPushButton::clicked, this, [this] { open_author_page(this); });
    connect(gamen_, &QPushButton::clicked, this, &Main_Form::gamen_switch);
    connect(kinyu_, &QPushButton::clicked, this, [this] { kinyu_loop(true); });
    connect(syuryo_, &QPushButton::clicked, this, [this] {
        if (save_all())
            end_application();
    });
    connect(grid2_, &Grid::grid_double_clicked, this, [this] { kinyu_loop(false); });
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
    MainLayout m = main_layout(W, H, ledger_.gamen);
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
    if (ledger_.gamen != 1) {
        grid1_->setVisible(true);
        ledger_.gamen = 1;
        apply_layout();
        return;
    }
    place_twips(grid2_, kGrid2Left, kGridTop, 7500, px_to_twips(grid2_->height()));
    grid1_->setVisible(false);
    ledger_.gamen = 2;
}

void Main_Form::startup() {
    if (splash_enabled_)
        show_splash(this, ledger_);
    center_on_screen(this);
    FileErrors errors = ledger_load(ledger_, clock_today());
    setWindowTitle(main_title(ledger_));
    ledger_.last_hi = 0;
    ledger_.last_tuki = 0;
    ledger_.last_nen = 0;
    totals_display_refresh();
    ledger_.gamen = 1;
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
        grid2_->set_text(n, 2, format_number(h.jisseki, QStringLiteral("#,##0")));
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
    show_failure(this, contact_code(errors));
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
    ledger_.syusi_apply(e);
    totals_display_refresh();
    const int c = ledger_.category_index(ledger_.syusi[e].himoku_no);
    if (c >= 0)
        grid2_->set_text(c + 1, 2,
                         format_number(ledger_.himoku[c].jisseki, QStringLiteral("#,##0")));
    category_columns_refresh();
}

void Main_Form::month_recalc() {
    ledger_.month_recalc();
    totals_display_refresh();
    category_columns_refresh();
}

void Main_Form::kinyu_loop(bool from_button) {
    ledger_.kinyu_mode = from_button;
    ledger_.kinyu_again = true;
    ledger_.kinyu_done = false;
    while (ledger_.kinyu_again) {
        ledger_.kinyu_again = false;
        KinyuForm window(ledger_, grid2_->row(), this);
        run_modal(window);
        if (ledger_.kinyu_again)
            new_entry_refresh();
    }
    if (ledger_.kinyu_done)
        new_entry_refresh();
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
        e = month_file_write(ledger_);
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
                 QStringLiteral(
                     "「%1」を保存できませんでした。\n%2\n\n入力したデータはそのまま残っています。"
                     "保存先を確かめてから、もう一度保存して下さい。")
                     .arg(e.file_name(), e.message()),
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
