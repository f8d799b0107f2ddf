#include "backup/backup_form.h"
#include "backup/backup_rules.h"
#include "common/month_edits.h"
#include "common/notices.h"
#include "help/help_commands.h"
#include "ledger/backup.h"
#include "ledger/clock.h"
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "ledger/month_file.h"
#include "ledger/month_load.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "main_window/folder_guard.h"
#include "main_window/main_form.h"
#include "main_window/main_rules.h"
#include "main_window/open_form.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "recurring/recurring_due_form.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

// The life of the open month: start-up and loading, opening another month,
// restoring a backup, saving, and the end of the program.
namespace kanvelo {

void Main_Form::startup() {
    if (splash_enabled_)
        show_splash(this);
    center_on_screen(this);
    FileErrors errors = ledger_load(ledger_, clock_today());
    setWindowTitle(guard_ ? guard_->title(main_title(ledger_)) : main_title(ledger_));
    ledger_.session.last_hi = 0;
    ledger_.session.last_tuki = 0;
    ledger_.session.last_nen = 0;
    ledger_.session.gamen = 1;
    grid1_->setVisible(true);
    setup_grids();
    // A month loaded is a new history, drawn whole.
    edits_->month_loaded();
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
    report_sync_conflicts(this, ledger_);
    // Entries that could never be saved are not offered in read-only mode.
    if (!read_only())
        offer_recurring_entries(this, *edits_);
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
    // A month read with problems is kept as it was before the first save
    // writes over it; the user must know where.
    QString note;
    if (ledger_.damaged_copy_pending)
        note = u"元のファイルは、保存の前に「"_s + ledger_.damaged_copy_name +
               u"」として同じフォルダに残します。"_s;
    show_failure(this, contact_code(errors), note);
}

bool Main_Form::write_files() {
    const WindowGeometry g{outer_height_twips(), outer_width_twips(),
                           px_to_twips(frameGeometry().y()), px_to_twips(frameGeometry().x()),
                           isMinimized()   ? 1
                           : isMaximized() ? 2
                                           : 0};
    in_save_ = true;
    WriteResult e = settings_write(ledger_);
    if (!e)
        e = window_file_write(ledger_, g);
    if (!e)
        e = month_file_save(ledger_);
    // Notes typed in the entry window are otherwise written only when it closes.
    if (!e && ledger_.nikki_changed) {
        e = diary_save(ledger_, ledger_.nen);
        if (!e)
            ledger_.nikki_changed = false;
    }
    in_save_ = false;
    if (!e)
        return true;
    // The user chose the version another program wrote over this one.
    if (is_superseded(*e)) {
        startup();
        return false;
    }
    report_save_failure(*e);
    return false;
}

void Main_Form::report_save_failure(const FileError& e) {
    show_message(this,
                 u"「%1」を保存できませんでした。\n%"
                 u"2\n\n入力したデータはそのまま残っています。"
                 "保存先を確かめてから、もう一度保存して下さい。"_s.arg(e.file_name(), e.message()),
                 QString(), MsgIcon::Exclamation);
}

void Main_Form::report_backup_failure(const FileError& e) {
    // Shown once a run: a backup folder that cannot be written stays so until
    // the user does something about it, and every save would say it again.
    show_message(this,
                 u"保存の前に、元のファイルのバックアップを「%1」に残せませんでした。\n%"
                 u"2\n\n"
                 "保存はそのまま続けました。データのフォルダの「%3」を確かめて下さい。"
                 "このお知らせは、次に起動するまで出しません。"_s.arg(
                     QDir(ledger_.app_path).relativeFilePath(e.path), e.detail, kBackupFolder),
                 QString(), MsgIcon::Exclamation);
}

bool Main_Form::save_all() {
    // Read-only mode lets nothing change, so there is nothing to save.
    if (read_only())
        return true;
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
    if (read_only()) {
        end_application();
        return;
    }
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

void Main_Form::show_found_entry(int nen, int tuki, int index) {
    const QString year = format_number(nen, u"0000"_s);
    const QString month = format_number(tuki, u"00"_s);
    if (year != ledger_.nen || month != ledger_.tuki) {
        // As 家計簿を開く does: the open month is saved before another loads.
        if (!save_all())
            return;
        const QString was_nen = ledger_.nen;
        const QString was_tuki = ledger_.tuki;
        ledger_.nen = year;
        ledger_.tuki = month;
        // Start-up opens the month kanvelo.ini records.
        if (auto e = settings_write(ledger_)) {
            ledger_.nen = was_nen;
            ledger_.tuki = was_tuki;
            report_save_failure(*e);
            return;
        }
        startup();
    }
    if (index < 1 || index > ledger_.kensu)
        return;
    if (ledger_.session.gamen != 1)
        gamen_switch();
    grid1_->set_row(index);
    grid1_->scroll_to_current();
    grid1_->setFocus();
}

void Main_Form::menu_backup() {
    std::vector<BackupCopy> copies = backup_copies(ledger_.month_file_path());
    if (copies.empty()) {
        show_message(
            this,
            u"%1年%2月の家計簿のバックアップは、まだありません。\n"
            "バックアップは、保存するときに、その日の最初の保存の前の内容が残ります。"_s.arg(
                ledger_.nen, ledger_.tuki),
            QString(), MsgIcon::Information);
        return;
    }
    BackupForm form(ledger_, std::move(copies), this);
    run_modal(form);
    if (form.chosen())
        restore_month(*form.chosen());
}

void Main_Form::restore_month(const BackupCopy& copy) {
    // What is on screen goes to the disk first, so that the restore keeps it
    // among the copies and can itself be undone.
    if (!save_all()) {
        show_message(this,
                     u"今の家計簿を保存できなかったので、バックアップから戻すのをやめました。"_s,
                     QString(), MsgIcon::Exclamation);
        return;
    }
    if (auto failed = restore_backup(copy, ledger_.month_file_path())) {
        show_message(this,
                     u"バックアップから戻せませんでした。\n%1\n\n家計簿は戻す前のままです。"_s.arg(
                         failed->message()),
                     QString(), MsgIcon::Exclamation);
        return;
    }
    startup();
    show_message(this,
                 u"%1年%2月の家計簿を、%3のバックアップに戻しました。\n"
                 "戻す前の内容は、今日のバックアップに残してあります。"_s.arg(
                     ledger_.nen, ledger_.tuki, copy_day_text(copy)),
                 QString(), MsgIcon::Information);
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
