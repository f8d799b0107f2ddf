#pragma once

#include "entry/calculator.h"
#include "entry/entry_rules.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace kanvelo {

struct Ledger;
class Spinner;

// "収支の記入": records one new entry of the open month and closes itself.
// The main window's entry loop opens it again after 次を記入 (kinyu_again)
// and refreshes once more after 記入終り (kinyu_done). The window also edits the
// diary note of the shown date and carries the calculator in a lower band that
// the window's height cuts off or shows.
class KinyuForm : public QDialog {
    Q_OBJECT
public:
    // `grid2_selected_row` is the selected row of the main window's category
    // grid; it proposes a category only when ledger.kinyu_mode is false.
    KinyuForm(Ledger& ledger, int grid2_selected_row, QWidget* parent = nullptr);

    // Heights count the window frame, as the layout was drawn with one.
    static constexpr double kWidth = 6300;
    static constexpr double kHeight = 5430;
    static constexpr double kHeightWithCalculator = 6960;
    static constexpr double kFrameAllowance = 390; // caption and borders
    double form_height_twips() const;

    // The close box records nothing; the notes typed are written to their
    // file as every other way of closing writes them.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class DatePart { Year, Month, Day };

    void build();
    void build_calculator();
    void connect_controls();
    void open_window(int grid2_selected_row);

    // The date.
    EntryDate shown_date() const;
    Spinner* spinner(DatePart part) const;
    QLineEdit* date_box(DatePart part) const;
    void set_spinner(DatePart part, int value);
    void date_changed(DatePart part, int value);
    void show_weekday(const EntryDate& date);
    void show_note(const EntryDate& date);
    void store_note();

    // The diary of another year than the open one.
    bool switch_diary_year(int from, int to);
    // Writes the notes of the year shown. When the file cannot be written the
    // user chooses between staying (false) and closing without it (true).
    bool save_shown_diary();
    void restore_open_year();
    int open_year() const;

    // The category, amount and wallet boxes.
    void fill_category_list(bool income);
    void take_list_item(QListWidgetItem* item);
    bool category_check(CategoryAsker asker);
    void number_enter();
    void kingaku_enter();
    void kingaku_got_focus();
    void tekiyo_got_focus();
    void show_zankin();

    // Recording.
    bool entry_refused();
    void record();
    void clear_entry_boxes();
    void next_clicked();
    void end_clicked();
    void kurikosi_clicked();
    void focus_field(EntryField field);

    // The calculator.
    void set_calculator_shown(bool shown);
    void calculator_key(QKeyEvent* event, bool* consumed);
    void show_calculator();
    void calculator_button(void (Calculator::*op)());

    bool key_filter(QObject* watched, QKeyEvent* event);

    Ledger& ledger_;
    Calculator calc_;
    bool loading_ = false;
    bool correcting_day_ = false;
    int diary_year_ = 0; // the year whose notes ledger.nikki holds
    int listed_count_ = 0;

    QLabel* label14_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* nen_ = nullptr;
    QLineEdit* tuki_ = nullptr;
    QLineEdit* hi_ = nullptr;
    Spinner* nen_vsc_ = nullptr;
    Spinner* tuki_vsc_ = nullptr;
    Spinner* hi_vsc_ = nullptr;
    QLabel* youbi_ = nullptr;
    QListWidget* list_ = nullptr;
    QRadioButton* syunyu_ = nullptr;
    QRadioButton* sisyutu_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* himoku_ = nullptr;
    QLineEdit* kingaku_ = nullptr;
    QLineEdit* tekiyo_ = nullptr;
    QComboBox* saifu_ = nullptr;
    QLabel* zankin_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* end_ = nullptr;
    QPushButton* kurikosi_ = nullptr;
    QPushButton* dentaku_on_ = nullptr;

    QLineEdit* dentaku_ = nullptr;
    QLabel* memory_ = nullptr;
    QPushButton* tax_ = nullptr;
    QList<QWidget*> calculator_controls_;
};

} // namespace kanvelo
