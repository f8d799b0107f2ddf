#pragma once

#include "common/date_row.h"
#include "entry/diary_year.h"
#include "entry/entry_rules.h"
#include "platform/enter_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace kanvelo {

struct Ledger;
class MonthEdits;
class DescriptionHistory;
class Spinner;
class CalculatorPanel;
class EntryBoxes;

// What the entry window decided when it closed.
enum class KinyuDecision {
    Closed, // nothing recorded (close box, or 記入終り with empty boxes)
    Next,   // 次を記入: an entry was recorded; open the window again
    Done,   // 記入終り: an entry was recorded; the loop ends
};

// "収支の記入": records one new entry of the open month and closes itself; the
// main window's entry loop opens it again after 次を記入. The window also edits
// the diary note of the shown date and carries the calculator in a lower band
// that the window's height cuts off or shows.
class KinyuForm : public EnterDialog {
    Q_OBJECT
public:
    // `proposed_row` is the category grid's row whose category the window
    // proposes (0: none, as when opened by 記入 or reopened by the loop).
    KinyuForm(MonthEdits& edits, int proposed_row, QWidget* parent = nullptr);

    KinyuDecision decision() const { return decision_; }

    // Offers these descriptions in the description box (see EntryBoxes).
    void offer_descriptions(const DescriptionHistory& history);

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
    void open_window(int proposed_row);

    // The date.
    EntryDate shown_date() const;
    Spinner* spinner(DatePart part) const;
    QLineEdit* date_box(DatePart part) const;
    void set_spinner(DatePart part, int value);
    void date_changed(DatePart part, int value);
    void show_weekday(const EntryDate& date);
    void show_note(const EntryDate& date);
    void store_note();

    // The diary of the year shown.
    bool switch_diary_year(int to);
    // Writes the notes of the year shown. When the file cannot be written the
    // user chooses between staying (false) and closing without it (true).
    bool save_shown_diary();
    void close_with(KinyuDecision decision);

    // The category list and the wallet's balance.
    void fill_category_list(bool income);
    void take_list_item(QListWidgetItem* item);
    void show_zankin();

    // Recording.
    bool entry_refused();
    void record();
    void clear_entry_boxes();
    void next_clicked();
    void end_clicked();
    void kurikosi_clicked();
    void focus_field(EntryField field);

    void set_calculator_shown(bool shown);

    MonthEdits& edits_;
    Ledger& ledger_;
    DiaryYear diary_;
    KinyuDecision decision_ = KinyuDecision::Closed;
    bool loading_ = false;
    bool correcting_day_ = false;
    int listed_count_ = 0;

    QLineEdit* text1_ = nullptr;
    DateRow date_{};
    QLabel* youbi_ = nullptr;
    QListWidget* list_ = nullptr;
    QRadioButton* syunyu_ = nullptr;
    QRadioButton* sisyutu_ = nullptr;
    EntryBoxes* boxes_ = nullptr;
    QLabel* zankin_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* end_ = nullptr;
    QPushButton* kurikosi_ = nullptr;
    QPushButton* dentaku_on_ = nullptr;

    CalculatorPanel* calculator_ = nullptr;
};

} // namespace kanvelo
