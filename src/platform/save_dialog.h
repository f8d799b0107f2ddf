#pragma once

#include <QString>

class QWidget;

namespace kanvelo {

// The documents folder (the home folder when there is none), ending in '/'.
QString documents_folder();

// One kind of file the user saves where they choose (a PDF, a picture).
struct SaveKind {
    QString dialog_name; // the dialog's objectName, by which tests answer it
    QString title;
    QString filter; // "PDF (*.pdf)"
    QString suffix; // added when the typed name has none
};

// Asks where to save, proposing `file_name` in documents_folder(), in Qt's
// own dialog opened through run_modal. A file that exists is replaced only
// when the user says so. Empty when cancelled.
QString ask_save_path(QWidget* parent, const SaveKind& kind, const QString& file_name);

// Asks which existing file to open, in the same dialog; `kind.suffix` is not
// used. Empty when cancelled.
QString ask_open_path(QWidget* parent, const SaveKind& kind);

} // namespace kanvelo
