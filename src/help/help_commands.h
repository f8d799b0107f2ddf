#pragma once

#include <QString>

class QWidget;

// The help menu's commands and the main window's maker button.
namespace kanvelo {

struct Ledger;

inline const QString kMakerPageUrl = QStringLiteral("https://kanvelo.example.org/");
inline const QString kAuthorPageUrl = QStringLiteral("https://kanvelo.example.org/author/");

// Opens poro.doc of the application folder with the desktop's default
// handler when there is one, otherwise the guide built into the program.
void show_manual(QWidget* owner, const Ledger& ledger);

// Open the maker's pages in the web browser. When no browser can be started
// (shell result 2) the user hears a beep and is told to get online first;
// other failures pass silently.
void open_maker_page(QWidget* owner);
void open_author_page(QWidget* owner);

// Shows the version window from the menu: it waits for OK.
void show_version(QWidget* owner);

// The start-up splash: the version window until it closes itself.
void show_splash(QWidget* owner);

// The manual document, found whatever the case of its name on disk; empty when
// the folder holds none.
QString manual_path(const Ledger& ledger);

} // namespace kanvelo
