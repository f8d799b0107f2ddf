#pragma once

#include "ledger/file_error.h"

#include <QMainWindow>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QAction;

namespace kanvelo {

struct Ledger;
struct BackupCopy;
class Grid;
enum class SortKey;

// The month view: the entries grid, the category grid, the four totals, the
// menu bar and the buttons from which every other window is opened. It owns
// no data: everything shown is read from the ledger.
class Main_Form : public QMainWindow {
    Q_OBJECT
public:
    explicit Main_Form(Ledger& ledger, QWidget* parent = nullptr);
    ~Main_Form() override;

    // Loads the month recorded in kanvelo.ini and shows it, creating missing
    // files; a damaged file brings up the unexpected-error window and loading
    // goes on with what was read.
    void startup();
    // 家計簿を開く: saves, asks for the month and loads it.
    void open_other_month();
    // Writes kanvelo.ini, kanvelo2.ini and the month file, in that order. A
    // file that cannot be written is named in a message; returns false then.
    bool save_all();
    // Ends the program at once, without the exit question.
    void end_application();

    void totals_display_refresh();
    void category_columns_refresh();
    // Shows the entry the ledger has just added at kensu: its row, the totals
    // and the category columns.
    void new_entry_refresh();
    // Month totals and balances from scratch, then the totals and the category
    // columns on screen.
    void month_recalc();
    // The entry loop: opens the entry window again after each 次を記入.
    void kinyu_loop(bool from_button);
    void gamen_switch();

    // The commands of the menu bar.
    void menu_save();
    // バックアップから戻す: a kept copy of the open month's file, after a
    // question; the month is saved first and reloaded after.
    void menu_backup();
    void menu_exit();
    void menu_zei();
    void menu_option_himoku();
    void menu_option_saifu();
    // 財布: the transfer window; each entry it adds is shown as it is added.
    void saifu_clicked();
    // After the category settings: names in both grids, and the totals,
    // balances and shares under the categories' kinds.
    void category_settings_refresh();
    void menu_nikki();
    void menu_budget();
    void menu_print_mainichi();
    void menu_print_himoku();
    void menu_export_goukei();
    void menu_export_syusi();
    void menu_sisan();
    // グラフ: the open month's expense and the twelve months up to it.
    void menu_graph();
    void menu_manual();
    void menu_morutea();
    void menu_version();
    void menu_teisei();
    void menu_sakujo();
    void menu_sort_hiduke();
    void menu_sort_himoku();
    void menu_sort_kingaku();
    // 検索; a result chosen there is shown by show_found_entry.
    void menu_kensaku();
    // 明細の取り込み (also a file dropped on the window) and 自動分類:
    // main_import.cpp.
    void menu_torikomi();
    void import_file(const QString& path);
    void menu_bunrui();
    // Shows entry `index` of the month nen/tuki, opening that month first
    // (after saving the open one) when it is another.
    void show_found_entry(int nen, int tuki, int index);

    // After entry e was corrected: the category totals, the month totals and
    // balances (the month recalculation) and the entry's row, which becomes
    // the current one.
    void entry_changed_refresh(int e);
    // Row e of the entries grid from entry e.
    void entry_row_refresh(int e);
    // Every row of the entries grid from the ledger, in one redraw.
    void entries_grid_rebuild();

    // For tests and the start-up benchmark.
    void set_splash_enabled(bool on) { splash_enabled_ = on; }
    void set_on_end(std::function<void()> on_end) { on_end_ = std::move(on_end); }
    bool ended() const { return ended_; }

    // Outer geometry in twips, as kanvelo2.ini keeps it.
    double outer_width_twips() const;
    double outer_height_twips() const;
    void set_outer_size_twips(double width, double height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void build_menus();
    void build_controls();
    void setup_grids();
    void fill_grids();
    void apply_layout();
    void place_from_window_file(FileErrors& errors);
    void show_load_errors(const FileErrors& errors);
    bool write_files();
    void report_save_failure(const FileError& error);
    void report_backup_failure(const FileError& error);
    void jisseki_column_refresh();
    void sort_entries(SortKey key);
    void restore_month(const BackupCopy& copy);

    Ledger& ledger_;
    Grid* grid1_ = nullptr;
    Grid* grid2_ = nullptr;
    QLineEdit* syunyu_ = nullptr;
    QLineEdit* sisyutu_ = nullptr;
    QLineEdit* syusi_ = nullptr;
    QLineEdit* genkin_ = nullptr;
    QList<QLabel*> labels_; // Label1 .. Label8
    QPushButton* gamen_ = nullptr;
    QPushButton* saifu_ = nullptr;
    QPushButton* kinyu_ = nullptr;
    QPushButton* syuryo_ = nullptr;
    QPushButton* command1_ = nullptr;

    bool splash_enabled_ = true;
    bool ended_ = false;
    bool in_layout_ = false;
    std::function<void()> on_end_;
};

} // namespace kanvelo
