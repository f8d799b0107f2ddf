#pragma once

#include "ledger/file_error.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QAction;

namespace kanvelo {

struct Ledger;
struct BackupCopy;
class Grid;
class MonthEdits;
class MonthView;
class FolderGuard;
enum class SortKey;

// The month view: the entries grid, the category grid, the four totals, the
// menu bar and the buttons from which every other window is opened. It owns
// no data: everything shown is read from the ledger, and redrawn when the
// month's edits say it changed (MonthView).
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

    // Every change to the open month goes through here, as a step that
    // 元に戻す can take back; the grids and totals follow it.
    MonthEdits& edits() { return *edits_; }
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
    void menu_teiki();
    void menu_option_himoku();
    void menu_option_saifu();
    // 財布: the transfer window.
    void saifu_clicked();
    // 元に戻す and やり直し: the last step of the open month, taken back or done
    // again.
    void menu_undo();
    void menu_redo();
    void menu_nikki();
    void menu_budget();
    void menu_print_mainichi();
    void menu_print_himoku();
    void menu_export_goukei();
    void menu_export_syusi();
    void menu_sisan();
    // グラフ: the open month's expense and the twelve months up to it.
    void menu_graph();
    // 年間収支表; a category chosen there opens 検索 on it, and an entry
    // chosen in the search is shown as 検索 shows it.
    void menu_nenkan();
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

    // The data folder's lock and read-only mode (none: a folder of its own).
    void set_folder_guard(FolderGuard* guard) { guard_ = guard; }

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
    void follow_history();
    void apply_layout();
    void place_from_window_file(FileErrors& errors);
    void show_load_errors(const FileErrors& errors);
    bool write_files();
    void report_save_failure(const FileError& error);
    void report_backup_failure(const FileError& error);
    void sort_entries(SortKey key);
    void restore_month(const BackupCopy& copy);
    bool read_only() const;
    // Read-only mode's gate for a command that writes; true when refused.
    bool refused(const QString& command);

    Ledger& ledger_;
    std::unique_ptr<MonthEdits> edits_;
    std::unique_ptr<MonthView> view_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
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
    bool in_save_ = false;
    FolderGuard* guard_ = nullptr;
    std::function<void()> on_end_;
};

} // namespace kanvelo
