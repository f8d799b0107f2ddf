#pragma once

#include "ledger/file_error.h"

#include <QString>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QWidget;

// The printer surface of the statements: the default printer, a PDF file and
// Qt's print preview, all fed by the same painting function.
namespace kanvelo {

// Paints a whole document onto a device; false when it could not be painted.
using PaintPages = std::function<bool(QPagedPaintDevice&)>;

struct PrintOutcome {
    enum class Status { Printed, NoPrinter, Failed };
    Status status = Status::Printed;
    QString reason; // for Failed: the cause, in words for the user
};

// The system's default printer; there is no choice of printer.
bool default_printer_present();
PrintOutcome print_on_default_printer(const QString& document_name, const PaintPages& paint);

// Renders the document as PDF (A4, 10 mm margins) and writes it through the
// program's file writer, so that a failed write leaves any old file whole and
// names the cause.
WriteResult write_pdf(const QString& path, const QString& title, const PaintPages& paint);

// Prints on the default printer, as a statement's OK does: without a printer
// the user is offered a PDF instead (`pdf_instead` runs when they accept), a
// failed print says why. True when the document was printed.
bool print_telling_the_user(QWidget* parent, const QString& document_name, const PaintPages& paint,
                            const std::function<void()>& pdf_instead);

// Asks where to save a PDF (proposing `file_name`), writes it and names the
// file and the cause when it cannot. True when the PDF was saved.
bool save_pdf_asking(QWidget* parent, const QString& file_name, const QString& title,
                     const PaintPages& paint);

// Qt's print preview of the document, opened through run_modal.
void show_print_preview(QWidget* parent, const PaintPages& paint);

// The documents folder (the home folder when there is none), ending in '/'.
QString pdf_folder();
// Asks where to save a PDF, proposing `file_name` in pdf_folder(); a file
// that exists is replaced only when the user says so. Empty when cancelled.
QString ask_pdf_path(QWidget* parent, const QString& file_name);

// For tests: while set, the default printer is a printer that writes PDF to
// this path; an empty path stands for a system without printers. nullopt
// gives the system's printers back.
void set_printer_for_tests(std::optional<QString> pdf_path);

} // namespace kanvelo
