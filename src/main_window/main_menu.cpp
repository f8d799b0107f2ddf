#include "assets/sisan_form.h"
#include "budget/yosan_form.h"
#include "charts/graph_form.h"
#include "common/month_edits.h"
#include "diary/nikki_form.h"
#include "editing/saifu_form.h"
#include "editing/sakujo_form.h"
#include "editing/teisei_form.h"
#include "editing/teisei_rules.h"
#include "entry/kinyu_form.h"
#include "help/help_commands.h"
#include "ledger/description_history.h"
#include "ledger/ledger.h"
#include "main_window/main_form.h"
#include "main_window/sort_rules.h"
#include "platform/desktop.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "recurring/recurring_form.h"
#include "reports/fileout2_form.h"
#include "reports/fileout_form.h"
#include "reports/print_himoku_form.h"
#include "reports/print_mainichi_form.h"
#include "search/kensaku_form.h"
#include "settings/option2_form.h"
#include "settings/option_form.h"
#include "settings/zei_form.h"

#include <QAction>
#include <QKeySequence>
#include <QMap>
#include <QMenuBar>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

// The menu bar as one table, and the commands behind its items and buttons.
namespace kanvelo {

namespace {

// The menu bar, one row per menu, item or separator, in the order shown.
// A row without a command is a window still to come: shown, but disabled.
struct MenuRow {
    enum Kind { Menu, Item, Separator };
    Kind kind;
    QString parent; // objectName of the menu it belongs to; empty: the menu bar
    QString name;
    QString caption;
    void (Main_Form::*command)();
    QString keys = {}; // the item's shortcut, shown beside its caption
};

const MenuRow kMenuRows[] = {
    {MenuRow::Menu, {}, u"Menufile"_s, u"ﾌｧｲﾙ(&F)"_s, nullptr},
    {MenuRow::Item, u"Menufile"_s, u"MenuOpen"_s, u"家計簿を開く"_s, &Main_Form::open_other_month,
     u"Ctrl+O"_s},
    {MenuRow::Item, u"Menufile"_s, u"MenuBackup"_s, u"バックアップから戻す"_s,
     &Main_Form::menu_backup},
    {MenuRow::Item, u"Menufile"_s, u"MenuTorikomi"_s, u"明細の取り込み"_s,
     &Main_Form::menu_torikomi},
    {MenuRow::Separator, u"Menufile"_s, u"MenuLine2"_s, {}, nullptr},
    {MenuRow::Menu, u"Menufile"_s, u"MenuPrint"_s, u"印刷"_s, nullptr},
    {MenuRow::Item, u"MenuPrint"_s, u"MenyPrintHimoku"_s, u"費目毎の収支"_s,
     &Main_Form::menu_print_himoku},
    {MenuRow::Item, u"MenuPrint"_s, u"MenuPrintMainichi"_s, u"毎日の収支"_s,
     &Main_Form::menu_print_mainichi, u"Ctrl+P"_s},
    {MenuRow::Separator, u"Menufile"_s, u"Menuline"_s, {}, nullptr},
    {MenuRow::Menu, u"Menufile"_s, u"Menufileout"_s, u"ファイル出力"_s, nullptr},
    {MenuRow::Item, u"Menufileout"_s, u"menu_export_goukei"_s, u"費目集計"_s,
     &Main_Form::menu_export_goukei},
    {MenuRow::Item, u"Menufileout"_s, u"menu_export_syusi"_s, u"収支内容"_s,
     &Main_Form::menu_export_syusi},
    {MenuRow::Separator, u"Menufile"_s, u"Menuline4"_s, {}, nullptr},
    {MenuRow::Item, u"Menufile"_s, u"Menu_Save"_s, u"保存"_s, &Main_Form::menu_save, u"Ctrl+S"_s},
    {MenuRow::Separator, u"Menufile"_s, u"Menuline5"_s, {}, nullptr},
    {MenuRow::Item, u"Menufile"_s, u"MenuExit"_s, u"終了"_s, &Main_Form::menu_exit},
    {MenuRow::Menu, {}, u"MenuEDIT"_s, u"編集(&E)"_s, nullptr},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuUndo"_s, u"元に戻す"_s, &Main_Form::menu_undo},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuRedo"_s, u"やり直し"_s, &Main_Form::menu_redo},
    {MenuRow::Separator, u"MenuEDIT"_s, u"MenulineUndo"_s, {}, nullptr},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuTeisei"_s, u"訂正"_s, &Main_Form::menu_teisei},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuSakujo"_s, u"削除"_s, &Main_Form::menu_sakujo},
    {MenuRow::Item, u"MenuEDIT"_s, u"MenuKensaku"_s, u"検索"_s, &Main_Form::menu_kensaku,
     u"Ctrl+F"_s},
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
    {MenuRow::Item, u"MenuOption"_s, u"MenuOptionTeiki"_s, u"定期的な収支"_s,
     &Main_Form::menu_teiki},
    {MenuRow::Item, {}, u"MenuNikki"_s, u"日記(&D)"_s, &Main_Form::menu_nikki},
    {MenuRow::Item, {}, u"menu_資産"_s, u"資産管理(&S)"_s, &Main_Form::menu_sisan},
    {MenuRow::Item, {}, u"MenuGraph"_s, u"グラフ(&G)"_s, &Main_Form::menu_graph},
    {MenuRow::Item, {}, u"MenuNenkan"_s, u"年間収支表(&Y)"_s, &Main_Form::menu_nenkan},
    {MenuRow::Menu, {}, u"MenuHELP"_s, u"ﾍﾙﾌﾟ(&H)"_s, nullptr},
    {MenuRow::Item, u"MenuHELP"_s, u"MenuManual"_s, u"使い方"_s, &Main_Form::menu_manual, u"F1"_s},
    {MenuRow::Item, u"MenuHELP"_s, u"MenuMorutea"_s, u"モルテアホームページ"_s,
     &Main_Form::menu_morutea},
    {MenuRow::Item, u"MenuHELP"_s, u"MenuVersion"_s, u"ﾊﾞｰｼﾞｮﾝ情報"_s, &Main_Form::menu_version},
};

// A window the command only opens: it does its work while it is open.
template <class Form, class... Args> void run_window(Args&&... args) {
    Form form(std::forward<Args>(args)...);
    run_modal(form);
}

} // namespace

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
                connect(action, &QAction::triggered, this,
                        [this, name = row.name, f = row.command] {
                            if (!refused(name))
                                (this->*f)();
                        });
            action->setShortcut(QKeySequence(row.keys));
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

void Main_Form::menu_teiki() {
    show_recurring_form(this, ledger_);
}

void Main_Form::menu_zei() {
    show_zei_form(this, ledger_);
}

void Main_Form::menu_option_himoku() {
    // The month view shows the old names and kinds until the window closes.
    const bool shown = isVisible();
    hide();
    OptionForm form(*edits_, this);
    run_modal(form);
    if (shown)
        show();
}

void Main_Form::menu_option_saifu() {
    // Every window that lists wallets fills its list when it opens.
    Option2Form form(*edits_, this);
    run_modal(form);
}

void Main_Form::saifu_clicked() {
    run_window<SaifuForm>(*edits_, this);
}

void Main_Form::menu_nikki() {
    run_window<NikkiForm>(ledger_, this);
}

void Main_Form::menu_budget() {
    run_window<YosanForm>(*edits_, this);
}

void Main_Form::menu_print_mainichi() {
    run_window<PrintMainichiForm>(ledger_, *grid1_, this);
}

void Main_Form::menu_print_himoku() {
    run_window<PrintHimokuForm>(ledger_, *grid2_, this);
}

void Main_Form::menu_export_goukei() {
    run_window<FileoutForm>(ledger_, this);
}

void Main_Form::menu_export_syusi() {
    run_window<Fileout2Form>(ledger_, this);
}

void Main_Form::menu_sisan() {
    show_sisan_form(this, ledger_.app_path);
}

void Main_Form::menu_graph() {
    run_window<GraphForm>(ledger_, this);
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

void Main_Form::menu_teisei() {
    const int r = grid1_->row();
    if (const RowHolds holds = row_holds(r, ledger_.kensu); holds != RowHolds::Entry) {
        show_message(this, teisei_row_message(holds), {}, MsgIcon::Exclamation);
        return;
    }
    TeiseiForm window(*edits_, r, this);
    run_modal(window);
    // However the window closed, the entry it showed last is the current one.
    grid1_->set_row(window.teisei_no());
}

void Main_Form::menu_sakujo() {
    const int r = grid1_->row();
    if (const RowHolds holds = row_holds(r, ledger_.kensu); holds != RowHolds::Entry) {
        show_message(this, sakujo_row_message(holds), {}, MsgIcon::Exclamation);
        return;
    }
    SakujoForm window(*edits_, r, this);
    run_modal(window);
}

void Main_Form::sort_entries(SortKey key) {
    BusyPointer busy;
    const int current = grid1_->row();
    // The entry that was selected stays selected in its new place.
    edits_->reorder_entries(sort_order(ledger_, key), sort_caption(key), current);
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

void Main_Form::kinyu_loop(bool from_button) {
    // Only the first window proposes the category of the grid's row.
    int proposed = from_button ? 0 : grid2_->row();
    const DescriptionHistory history = read_description_history(ledger_.app_path, ledger_);
    for (;;) {
        KinyuForm window(*edits_, proposed, this);
        window.offer_descriptions(history);
        run_modal(window);
        proposed = 0;
        if (window.decision() != KinyuDecision::Next)
            break;
    }
}

void Main_Form::follow_history() {
    undo_ = findChild<QAction*>(u"MenuUndo"_s);
    redo_ = findChild<QAction*>(u"MenuRedo"_s);
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The items name the step they would take back or do again.
    QUndoStack* history = &edits_->history();
    auto name_steps = [this, history] {
        undo_->setEnabled(history->canUndo());
        undo_->setText(history->canUndo() ? u"元に戻す："_s + history->undoText() : u"元に戻す"_s);
        redo_->setEnabled(history->canRedo());
        redo_->setText(history->canRedo() ? u"やり直し："_s + history->redoText() : u"やり直し"_s);
    };
    // Every push, undo, redo and clear moves the index.
    connect(history, &QUndoStack::indexChanged, this, name_steps);
    name_steps();
}

void Main_Form::menu_undo() {
    edits_->history().undo();
}

void Main_Form::menu_redo() {
    edits_->history().redo();
}

void Main_Form::menu_kensaku() {
    KensakuForm form(ledger_, this);
    run_modal(form);
    if (const auto& hit = form.chosen())
        show_found_entry(hit->nen, hit->tuki, hit->index);
}

} // namespace kanvelo
