#include "main_window/folder_guard.h"

#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/settings_file.h"
#include "ledger/sync_conflicts.h"
#include "platform/message_box.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kReadOnlyWrite = u"読み取り専用で開いているので、保存できません"_s;

// Every command that writes a file, or changes what 保存 would write: in
// read-only mode nothing typed could be kept, so nothing may be typed.
const QString kWritingCommands[] = {
    u"MenuOpen"_s,   u"MenuBackup"_s,       u"Menu_Save"_s,       u"MenuTeisei"_s,
    u"MenuSakujo"_s, u"MenuSortHiduke"_s,   u"MenuSortHimoku"_s,  u"MenuSortKingaku"_s,
    u"MenuBudget"_s, u"MenuOptionHimoku"_s, u"OptionMenuSaifu"_s, u"MenuOptionZei"_s,
    u"MenuNikki"_s,  u"menu_資産"_s,        u"Main_Kinyu"_s,      u"Main_Saifu"_s,
    u"MenuUndo"_s,   u"MenuRedo"_s,         u"MenuOptionTeiki"_s,
    u"MenuTorikomi"_s, u"MenuBunrui"_s,
};

} // namespace

bool command_writes(const QString& command) {
    return std::find(std::begin(kWritingCommands), std::end(kWritingCommands), command) !=
           std::end(kWritingCommands);
}

QString held_folder_text(const LockHolder& holder, const QString& folder) {
    const QString since = holder.since.isValid() ? holder.since.toString(u"yyyy年M月d日 H時mm分"_s)
                                                 : u"（わかりません）"_s;
    const QString host = holder.host.isEmpty() ? u"（わかりません）"_s : holder.host;
    return u"このデータのフォルダは、ほかの家計簿ぽるるが開いています。\n\n"
           "コンピュータ: %1\n開いた時刻: %2\nフォルダ: %3\n\n"
           "二つのプログラムで保存すると、片方の記入が消えてしまいます。\n"
           "読み取り専用で開くと、見ることはできますが、記入や保存はできません。"_s.arg(
               host, since, QDir::toNativeSeparators(folder));
}

FolderGuard::FolderGuard(const QString& folder) : folder_(folder), lock_(folder) {}

FolderGuard::~FolderGuard() {
    if (read_only_)
        refuse_writes_under({}, {});
}

bool FolderGuard::open(QWidget* parent) {
    if (lock_.take())
        return true;
    const LockHolder holder = lock_.holder().value_or(LockHolder{});
    if (!ask_choice(parent, held_folder_text(holder, folder_), {}, MsgIcon::Exclamation,
                    u"読み取り専用で開く"_s, u"終了"_s))
        return false;
    read_only_ = true;
    // The writer itself refuses too, for any window that writes on its own.
    refuse_writes_under(folder_, kReadOnlyWrite);
    return true;
}

bool FolderGuard::refuses(QWidget* parent, const QString& command) const {
    if (!read_only_ || !command_writes(command))
        return false;
    show_message(parent,
                 u"読み取り専用で開いているので、記入や保存はできません。\n\n"
                 "記入や保存をするには、このフォルダを開いているほかの家計簿ぽるるを終了してから、"
                 "起動し直して下さい。"_s,
                 {}, MsgIcon::Exclamation);
    return true;
}

QString FolderGuard::title(const QString& title) const {
    return read_only_ ? title + u" - 読み取り専用"_s : title;
}

DiskChoice ask_about_disk_change(QWidget* parent, const QString& path, const QString& kept,
                                 bool may_load) {
    const QString changed =
        u"「%1」は、このプログラムが読み込んだ後で、ほかのプログラムか別のコンピュータが"
        "書き換えました。\n書き換えられた内容は「%2」として同じフォルダに残しました。"_s.arg(
            QFileInfo(path).fileName(), QFileInfo(kept).fileName());
    if (!may_load) {
        show_message(parent, changed + u"\n\n今の内容で保存します。"_s, {}, MsgIcon::Exclamation);
        return DiskChoice::KeepMine;
    }
    for (;;) {
        if (ask_choice(parent,
                       changed +
                           u"\n\n今の内容で保存しますか、ディスクにある内容を読み込みますか？"_s,
                       {}, MsgIcon::Question, u"今の内容で保存"_s, u"ディスクの内容を読み込む"_s))
            return DiskChoice::KeepMine;
        if (show_message(parent,
                         u"ディスクにある内容を読み込むと、まだ保存していない変更は失われます。\n"
                         "読み込みますか？"_s,
                         {}, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes)
            return DiskChoice::LoadDisk;
    }
}

void report_sync_conflicts(QWidget* parent, const Ledger& ledger) {
    const QString month = QFileInfo(ledger.month_file_path()).fileName();
    const QStringList copies =
        sync_conflict_copies(ledger.app_path, {month, kSettingsFile, kWindowFile});
    if (copies.isEmpty())
        return;
    show_message(parent,
                 u"同期ソフトが作った競合のコピーがあります。\n\n%1\n\n場所: %2\n\n"
                 "これらのファイルは家計簿ぽるるでは読みません（検索、グラフ、ファイル出力にも"
                 "入りません）。中身を確かめて、必要な記入をこの家計簿に移してから、"
                 "コピーを消すか別の場所に移して下さい。"_s.arg(
                     copies.join(u'\n'), QDir::toNativeSeparators(ledger.app_path)),
                 {}, MsgIcon::Exclamation);
}

} // namespace kanvelo
