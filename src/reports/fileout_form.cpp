#include "reports/fileout_form.h"

#include "ledger/calendar.h"
#include "ledger/clock.h"
#include "ledger/export_files.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/spinner.h"
#include "platform/widgets.h"
#include "reports/fileout_done.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

FileoutForm::FileoutForm(Ledger& ledger, QWidget* parent) : EnterDialog(parent), ledger_(ledger) {
    setObjectName(u"fileout_form"_s);
    setWindowTitle(u"費目集計のファイル出力"_s);
    build();

    // A month text that is not a month (a damaged settings file) proposes today's.
    const QDate today = clock_today();
    const int year = whole_number_in(ledger_.nen, kYearMin, kYearMax).value_or(today.year());
    const int month = whole_number_in(ledger_.tuki, 1, 12).value_or(today.month());
    start_year_->set_value(year);
    start_month_->set_value(month);
    end_year_->set_value(year);
    end_month_->set_value(month);
    start_year_->setFocus();
}

void FileoutForm::build() {
    place_twips(
        make_label(this, u"Label1"_s, u"指定した期間の各費目の集計をファイルに出力します。"_s), 240,
        240, 5880, 300);
    QLabel* label2 = make_label(this, u"Label2"_s,
                                u"出力されたデータは、MS-ExcelやLotus1-2-3などで加工したり、"
                                u"グラフを作成したりすることができます。"_s);
    label2->setWordWrap(true);
    place_twips(label2, 240, 600, 5880, 600);
    place_twips(make_label(this, u"Label7"_s, u"出力する期間："_s), 240, 1425, 1500, 300);

    // The spinners cover every year a month can be opened in.
    start_year_ = add_spinner("Label3", "VScroll1", kYearMin, kYearMax, 1800, 1380,
                              u"出力する期間の始めの年"_s);
    place_twips(make_label(this, u"Label8"_s, u"年"_s), 2760, 1425, 300, 300);
    start_month_ =
        add_spinner("Label4", "VScroll2", 1, 12, 3060, 1380, u"出力する期間の始めの月"_s);
    place_twips(make_label(this, u"Label9"_s, u"月から"_s), 3780, 1425, 900, 300);

    end_year_ = add_spinner("Label5", "VScroll3", kYearMin, kYearMax, 1800, 1920,
                            u"出力する期間の終わりの年"_s);
    place_twips(make_label(this, u"Label10"_s, u"年"_s), 2760, 1965, 300, 300);
    end_month_ =
        add_spinner("Label6", "VScroll4", 1, 12, 3060, 1920, u"出力する期間の終わりの月"_s);
    place_twips(make_label(this, u"Label11"_s, u"月まで"_s), 3780, 1965, 900, 300);

    QPushButton* command1 = make_button(this, u"Command1"_s, u"出力"_s);
    place_twips(command1, 1800, 2640, 1260, 435);
    QPushButton* command2 = make_button(this, u"Command2"_s, u"中止"_s);
    place_twips(command2, 3300, 2640, 1260, 435);
    resize_twips(this, 6360, 3360);

    connect(command1, &QPushButton::clicked, this, &FileoutForm::export_clicked);
    connect(command2, &QPushButton::clicked, this, &QDialog::reject);
}

// A value label and the spinner to its right; the label shows the spinner's
// value as plain digits.
Spinner* FileoutForm::add_spinner(const char* label_name, const char* name, int minimum,
                                  int maximum, double left, double top,
                                  const QString& accessible_name) {
    auto* spinner = new Spinner(minimum, maximum, this);
    spinner->setObjectName(QString::fromLatin1(name));
    spinner->setAccessibleName(accessible_name);
    spinner->setFocusPolicy(Qt::StrongFocus);
    const bool year = maximum > 12;
    const double width = year ? 660 : 420;
    QLabel* value = make_label(this, QString::fromLatin1(label_name), QString(), spinner);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFrameShape(QFrame::StyledPanel);
    value->setText(QString::number(minimum));
    place_twips(value, left, top + 15, width, 360);
    place_twips(spinner, left + width + 15, top - 15, 255, 420);
    connect(spinner, &Spinner::value_changed, value,
            [value](int v) { value->setText(QString::number(v)); });
    return spinner;
}

void FileoutForm::export_clicked() {
    const CalendarMonth from{start_year_->value(), start_month_->value()};
    const CalendarMonth to{end_year_->value(), end_month_->value()};
    if (from.year * 100 + from.month > to.year * 100 + to.month) {
        show_message(this, u"期間の指定が間違っています"_s, u"あれれ？"_s);
        return;
    }
    CategoryTotals totals;
    {
        const BusyPointer busy;
        totals = category_totals(ledger_.app_path, from, to);
    }
    if (totals.error) {
        fileout_failed(this, u"月のファイルが壊れているので、TOTAL.CSVを出力できませんでした。"_s,
                       totals.error->message());
        return;
    }
    if (const WriteResult failed = write_category_totals(ledger_.app_path, totals.lines)) {
        fileout_failed(this, u"TOTAL.CSVを書き込めませんでした。"_s, failed->message());
        return;
    }
    fileout_done(this, ledger_, ledger_.app_path + u"TOTAL.CSVファイルを出力しました。"_s);
    accept();
}

} // namespace kanvelo
