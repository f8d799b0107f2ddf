#include "platform/printing.h"

#include "ledger/line_file.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/save_dialog.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

std::optional<QString>& test_printer() {
    static std::optional<QString> path;
    return path;
}

// What a PDF and a preview without a printer are laid out on.
QPageLayout pdf_page_layout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

// The default printer, or a PDF printer standing in for it in tests; null
// when there is none.
std::unique_ptr<QPrinter> default_printer() {
    if (const auto& path = test_printer()) {
        if (path->isEmpty())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(*path);
        printer->setPageLayout(pdf_page_layout());
        return printer;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace

bool default_printer_present() {
    if (const auto& path = test_printer())
        return !path->isEmpty();
    return !QPrinterInfo::defaultPrinter().isNull();
}

PrintOutcome print_on_default_printer(const QString& document_name, const PaintPages& paint) {
    std::unique_ptr<QPrinter> printer = default_printer();
    if (!printer)
        return {PrintOutcome::Status::NoPrinter, {}};
    printer->setDocName(document_name);
    const QString name = printer->printerName().isEmpty()
                             ? u"プリンター"_s
                             : u"プリンター「"_s + printer->printerName() + u'」';
    if (!paint(*printer))
        return {PrintOutcome::Status::Failed,
                name + u"で印刷を始められませんでした。"
                       u"電源、つながり、用紙を確かめてから、もう一度印刷して下さい。"_s};
    if (printer->printerState() == QPrinter::Error || printer->printerState() == QPrinter::Aborted)
        return {PrintOutcome::Status::Failed,
                name + u"での印刷が途中で止まりました。"
                       u"プリンターの状態を確かめてから、もう一度印刷して下さい。"_s};
    return {};
}

WriteResult write_pdf(const QString& path, const QString& title, const PaintPages& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(u"家計簿ぽるる"_s);
        writer.setResolution(600);
        writer.setPageLayout(pdf_page_layout());
        if (!paint(writer))
            return FileError{path, 0, u"PDFを作れませんでした"_s};
    }
    return write_file_bytes(path, buffer.data());
}

bool print_telling_the_user(QWidget* parent, const QString& document_name, const PaintPages& paint,
                            const std::function<void()>& pdf_instead) {
    PrintOutcome outcome;
    {
        const BusyPointer busy;
        outcome = print_on_default_printer(document_name, paint);
    }
    switch (outcome.status) {
    case PrintOutcome::Status::Printed:
        return true;
    case PrintOutcome::Status::NoPrinter:
        if (show_message(parent,
                         u"プリンターが設定されていないので印刷できません。\n"
                         u"代わりにPDFファイルに保存しますか？"_s,
                         {}, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes)
            pdf_instead();
        return false;
    case PrintOutcome::Status::Failed:
        show_message(parent, outcome.reason, {}, MsgIcon::Exclamation);
        return false;
    }
    return false;
}

bool save_pdf_asking(QWidget* parent, const QString& file_name, const QString& title,
                     const PaintPages& paint) {
    const QString path = ask_pdf_path(parent, file_name);
    if (path.isEmpty())
        return false;
    WriteResult failed;
    {
        const BusyPointer busy;
        failed = write_pdf(path, title, paint);
    }
    if (failed) {
        show_message(parent,
                     u"「"_s + failed->file_name() + u"」を保存できませんでした。\n"_s +
                         failed->message(),
                     {}, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

void show_print_preview(QWidget* parent, const PaintPages& paint) {
    std::unique_ptr<QPrinter> printer = default_printer();
    if (!printer) {
        // Without a printer the preview shows the pages a PDF gets.
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPageLayout(pdf_page_layout());
    }
    QPrintPreviewDialog preview(printer.get(), parent);
    preview.setObjectName(u"print_preview"_s);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* p) { paint(*p); });
    preview.resize(900, 800);
    run_modal(preview);
}

QString pdf_folder() {
    return documents_folder();
}

QString ask_pdf_path(QWidget* parent, const QString& file_name) {
    return ask_save_path(
        parent, {u"pdf_dialog"_s, u"PDFファイルに保存"_s, u"PDF (*.pdf)"_s, u"pdf"_s}, file_name);
}

void set_printer_for_tests(std::optional<QString> pdf_path) {
    test_printer() = std::move(pdf_path);
}

} // namespace kanvelo
