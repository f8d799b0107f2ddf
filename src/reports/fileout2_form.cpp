#include "reports/fileout2_form.h"

#include "ledger/export_files.h"
#include "ledger/ledger.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/widgets.h"
#include "reports/fileout_done.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

Fileout2Form::Fileout2Form(Ledger& ledger, QWidget* parent) : EnterDialog(parent), ledger_(ledger) {
    setObjectName(u"fileout2_form"_s);
    setWindowTitle(u"収支内容のファイル出力"_s);

    QLabel* label1 =
        make_label(this, u"Label1"_s,
                   u"現在表示している月の収支内容を、Ｔａｂ区切り形式でファイルに出力します。"
                   u"（ファイル名＝~YYYYMM.TAB）"_s);
    label1->setWordWrap(true);
    place_twips(label1, 240, 240, 5400, 660);

    QPushButton* command1 = make_button(this, u"Command1"_s, u"出力"_s);
    place_twips(command1, 1560, 1140, 1260, 435);
    QPushButton* command2 = make_button(this, u"Command2"_s, u"中止"_s);
    place_twips(command2, 3060, 1140, 1260, 435);
    resize_twips(this, 5880, 1860);

    connect(command1, &QPushButton::clicked, this, &Fileout2Form::export_clicked);
    connect(command2, &QPushButton::clicked, this, &QDialog::reject);
    command1->setFocus();
}

void Fileout2Form::export_clicked() {
    if (const WriteResult failed = write_entries_file(ledger_)) {
        fileout_failed(this,
                       u"~"_s + ledger_.nen + ledger_.tuki + u".TABを書き込めませんでした。"_s,
                       failed->message());
        return;
    }
    fileout_done(this, ledger_,
                 ledger_.app_path + u"~"_s + ledger_.nen + ledger_.tuki +
                     u".TABファイルを出力しました。"_s);
    accept();
}

} // namespace kanvelo
