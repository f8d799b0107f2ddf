#pragma once

#include "platform/enter_dialog.h"
#include "reports/print_layout.h"

class QCheckBox;
class QPagedPaintDevice;
class QPushButton;

namespace kanvelo {

struct Ledger;
class Grid;

// The confirmation window both statements share: "プリンターの準備は宜しいですか？",
// 罫線印刷, and OK (the default printer), プレビュー, PDF保存, やっぱりダメ！.
// The statement's texts are taken from the main window's grid as shown.
class PrintForm : public EnterDialog {
    Q_OBJECT
public:
    // OK: prints on the default printer and closes. Without a printer it
    // offers a PDF instead; a failed print says why and the window stays.
    void ok_clicked();
    // プレビュー: Qt's print preview of the same pages.
    void preview_clicked();
    // PDF保存: asks for a file, writes the pages there and closes; a failed
    // write says why and the window stays.
    void pdf_clicked();

    // The statement as it would be printed now.
    StatementData statement() const;
    // Paints the statement; the number of pages, 0 when it could not.
    int paint(QPagedPaintDevice& device) const;
    QString title() const;
    QString pdf_file_name() const; // "収支詳細200704.pdf"

protected:
    struct Kind {
        QString name;    // the window's objectName and the prefix of its buttons
        QString caption; // the window title
        int (*print)(QPagedPaintDevice&, const StatementData&);
        QString (*title)(const QString& nen, const QString& tuki);
        int columns; // grid columns printed
        int rows;    // grid rows printed below the header
    };
    PrintForm(const Ledger& ledger, const Grid& grid, Kind kind, QWidget* parent);

private:
    void build();

    const Ledger& ledger_;
    const Grid& grid_;
    Kind kind_;
    QCheckBox* check1_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* dame_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* pdf_ = nullptr;
};

} // namespace kanvelo
