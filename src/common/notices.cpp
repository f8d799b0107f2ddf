#include "common/notices.h"

#include "common/notice_window.h"
#include "ledger/ledger.h"
#include "platform/modal.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

Notice genkai() {
    const QString limit = QString::number(kSyusiLimit);
    return {
        u"GENKAI_form"_s,
        u"も、もう限界です！！"_s,
        {{u"Label1"_s, u"収支データが"_s + limit + u"件を越えました。"_s, 360, 360, 6840, 360},
         {u"Label2"_s, u"申し訳ありませんが、"_s + limit + u"件までしかデータを登録できません。"_s,
          360, 780, 6840, 360}},
        {{u"genkai_OK"_s, u"OK"_s, 3060, 1320}},
        1380,
        7560,
        2160};
}

Notice kurikosi_notice() {
    return {
        u"kurikosi_form"_s,
        u"繰り越し"_s,
        {{u"Label1"_s, u"指定した財布・口座の、先月の家計簿の残金を計算し、金額欄に入力します。"_s,
          360, 300, 6840, 840}},
        {{u"Command1"_s, u"OK"_s, 3120, 1320}},
        1320,
        7560,
        2100};
}

Notice nofile() {
    return {u"nofile_form"_s,
            u"家計簿データ無し"_s,
            {{u"Label1"_s, u"先月又は前年同月の家計簿データがありません。"_s, 360, 300, 6120, 720}},
            {{u"nofile_OK"_s, u"わかった"_s, 900, 1800},
             {u"nofile_situkoi"_s, u"そんなはずは無い"_s, 3060, 2880}},
            1200,
            6840,
            1980};
}

Notice situkoi() {
    return {u"situkoi_form"_s,
            u"くどい！"_s,
            {{u"Label1"_s, u"そんなこと言ったって、無いものは無い！！"_s, 360, 300, 5760, 720}},
            {{u"situkoi_ok"_s, u"OK"_s, 2580, 1320}},
            1200,
            6480,
            1980};
}

Notice osimai() {
    return {u"osimai_form"_s,
            u"ぽるるおしまい"_s,
            {{u"Label1"_s, u"入力したデータをファイルに保存しますか？"_s, 360, 300, 5400, 720}},
            {{u"osimai_hai"_s, u"はい"_s, 1260, 1440}, {u"osimai_iie"_s, u"いいえ"_s, 3420, 1440}},
            1200,
            6120,
            1980};
}

Notice failure(const QString& code, const QString& note) {
    return {u"debugwindow"_s,
            u"たいへんだぁ！！"_s,
            {{u"Label1"_s, u"予期しないエラーが発生しました。"_s, 360, 300, 6120, 360},
             {u"Label2"_s, contact_line(code), 360, 720, 6120, 1080},
             {u"Label3"_s, note, 360, 1860, 6120, 840}},
            {{u"taihen_OK"_s, u"OK"_s, 2760, 1320}},
            2820,
            6840,
            3600};
}

} // namespace

QString contact_code(const FileErrors& errors) {
    if (errors.empty())
        return QString();
    QString code = errors.front().message();
    if (errors.size() > 1)
        code += u"、ほか%1件"_s.arg(errors.size() - 1);
    return code;
}

QString contact_line(const QString& code) {
    return u"作者に連絡して下さい。（"_s + (code.isEmpty() ? u"KV71"_s : code) + u"）"_s;
}

void show_genkai(QWidget* parent) {
    show_notice(parent, genkai());
}

void show_kurikosi_notice(QWidget* parent) {
    show_notice(parent, kurikosi_notice());
}

void show_nofile(QWidget* parent) {
    if (show_notice(parent, nofile()) == 1)
        show_notice(parent, situkoi());
}

OsimaiAnswer ask_osimai(QWidget* parent) {
    switch (show_notice(parent, osimai())) {
    case 0:
        return OsimaiAnswer::Hai;
    case 1:
        return OsimaiAnswer::Iie;
    default:
        return OsimaiAnswer::Closed;
    }
}

NoticeWindow* show_failure(QWidget* parent, const QString& code, const QString& note) {
    auto* window = new NoticeWindow(failure(code, note), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The code can be copied into a mail to the author.
    window->label(u"Label2"_s)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    window->show();
    return window;
}

void show_failure_modal(QWidget* parent, const QString& code) {
    show_notice(parent, failure(code, {}));
}

} // namespace kanvelo
