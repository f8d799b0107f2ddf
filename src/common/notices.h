#pragma once

#include "ledger/file_error.h"

#include <QString>

class QWidget;

// The small windows that several windows show: each is one notice.
namespace kanvelo {

class NoticeWindow;

// "も、もう限界です！！": the month holds as many entries as it can.
void show_genkai(QWidget* parent);

// "繰り越し": what the carry-over is about to do.
void show_kurikosi_notice(QWidget* parent);

// "家計簿データ無し", and "くどい！" after it when the user insists.
void show_nofile(QWidget* parent);

// "ぽるるおしまい": asked when the main window is closed by its close box.
enum class OsimaiAnswer {
    Hai,    // save, then end
    Iie,    // end without saving
    Closed, // the question itself was closed by its close box or Esc
};
OsimaiAnswer ask_osimai(QWidget* parent);

// "たいへんだぁ！！": an unexpected failure, with a contact code shown in
// parentheses after "作者に連絡して下さい。" (for example "~200403.dat 12行目")
// and an optional note below it. Not modal, so that start-up can go on with
// the rest of the month; the window deletes itself when closed.
NoticeWindow* show_failure(QWidget* parent, const QString& code, const QString& note = {});
// The same window, waiting until it is closed.
void show_failure_modal(QWidget* parent, const QString& code);

// The contact code for a load's problems: file, line and cause of the first,
// and how many more there were ("~200403.dat 12行目：…、ほか2件"); empty when
// there were none.
QString contact_code(const FileErrors& errors);

// The text of the contact line; an empty code gives the program's own code.
QString contact_line(const QString& code);

} // namespace kanvelo
