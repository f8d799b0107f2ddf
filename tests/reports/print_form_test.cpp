#include "ledger/clock.h"
#include "ledger/settings_file.h"
#include "main_window/main_form.h"
#include "platform/grid.h"
#include "platform/printing.h"
#include "platform/translations.h"
#include "reports/print_form.h"
#include "support/gui_pdf.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QPrintPreviewWidget>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct PrintFormTest : WindowTest {
    std::unique_ptr<Main_Form> main;

    void SetUp() override {
        WindowTest::SetUp();
        set_printer_for_tests(QString()); // no printer unless a test sets one up
        clock_set_today_for_tests(QDate(2004, 3, 20));
    }
    void TearDown() override {
        main.reset();
        set_printer_for_tests(std::nullopt);
        WindowTest::TearDown();
    }
    void start(int entries) {
        QList<QStringList> blocks;
        for (int i = 1; i <= entries; ++i)
            blocks.append({u"200403%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), u"12"_s,
                           QString::number(100 * i), u"買い物%1"_s.arg(i), u"0"_s});
        blocks.append(entry("20040325", "2", "300,000", "給料", "1"));
        folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
        folder.write_lines(u"~200403.dat"_s, month_file_with(blocks));
        main = std::make_unique<Main_Form>(*ledger);
        main->set_splash_enabled(false);
        main->startup();
        main->show();
    }
    // Opens a print window from the menu; `drive` works it.
    void print_menu(const char* action, std::function<void(QDialog&)> drive) {
        modals.next(std::move(drive));
        QAction* a = main->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_TRUE(a && a->isEnabled()) << action;
        a->trigger();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    // The file dialog of PDF保存 answers `path` (empty: cancelled).
    void answer_pdf_dialog(const QString& path, QString* proposed = nullptr) {
        modals.next([path, proposed](QDialog& d) {
            EXPECT_EQ(d.objectName(), u"pdf_dialog");
            auto& dialog = static_cast<QFileDialog&>(d);
            if (proposed)
                *proposed = dialog.selectedFiles().value(0);
            if (path.isEmpty()) {
                dialog.reject();
                return;
            }
            dialog.selectFile(path);
            d.done(QDialog::Accepted);
        });
    }
};

} // namespace

TEST_F(PrintFormTest, OkPrintsTheGridOnTheDefaultPrinterAndCloses) {
    const QString printer = folder.file(u"printer.pdf"_s);
    set_printer_for_tests(printer);
    start(3);
    print_menu("MenuPrintMainichi", [](QDialog& d) {
        expect_tidy_layout(d);
        const StatementData s = static_cast<PrintForm&>(d).statement();
        EXPECT_TRUE(s.ruled);
        ASSERT_EQ(s.rows.size(), 4);
        EXPECT_EQ(s.header, (QStringList{u"日"_s, u"費目"_s, u"金額"_s, u"摘要"_s}));
        EXPECT_EQ(s.rows.at(1), (QStringList{u"03"_s, u"日常食品"_s, u"200"_s, u"買い物2"_s}));
        click(d, "print_mainichi_OK");
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    const QString text = pdf_text(printer);
    EXPECT_TRUE(text.contains(u"収支詳細(2004年03月)"_s));
    EXPECT_TRUE(text.contains(u"収支合計299,400"_s));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(PrintFormTest, WithoutAPrinterOkOffersAPdfInTheDocumentsFolder) {
    start(60);
    const QString pdf = folder.file(u"statement.pdf"_s);
    QString proposed;
    messages.answer_next(MsgAnswer::No);
    messages.answer_next(MsgAnswer::Yes);
    print_menu("MenuPrintMainichi", [&](QDialog& d) {
        click(d, "print_mainichi_OK");
        EXPECT_TRUE(d.isVisible()); // declined: nothing written, the window stays
        EXPECT_FALSE(folder.exists(u"statement.pdf"_s));
        answer_pdf_dialog(pdf, &proposed);
        click(d, "print_mainichi_OK");
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_TRUE(messages.texts().first().startsWith(u"プリンターが設定されていない"_s));
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Question);
    EXPECT_EQ(proposed, pdf_folder() + u"収支詳細200403.pdf"_s);
    const QString text = pdf_text(pdf);
    EXPECT_TRUE(text.contains(u"買い物60"_s));
}

TEST_F(PrintFormTest, FailuresSayWhyAndLeaveTheWindowOpen) {
    start(2);
    folder.write_bytes(u"plain"_s, {}); // a file where a folder is asked for
    struct Case {
        QString printer; // the default printer's output; empty: none
        QString pdf;     // the PDF the user asks for; empty: the printer is used
        QString says;
    };
    const Case cases[] = {
        {folder.file(u"no/such/folder/p.pdf"_s), {}, u"印刷を始められませんでした"_s},
        {{}, folder.file(u"plain/x.pdf"_s), u"保存先のフォルダが見つかりません"_s},
    };
    for (const Case& c : cases) {
        set_printer_for_tests(c.printer);
        messages.clear();
        print_menu("MenyPrintHimoku", [&](QDialog& d) {
            if (c.pdf.isEmpty()) {
                click(d, "print_himoku_OK");
            } else {
                answer_pdf_dialog(c.pdf);
                click(d, "print_himoku_pdf");
            }
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            EXPECT_TRUE(d.isVisible());
            click(d, "print_himoku_dame");
        });
        ASSERT_EQ(messages.messages().size(), 1u) << c.says.toStdString();
        EXPECT_TRUE(messages.texts().first().contains(c.says))
            << messages.texts().first().toStdString();
        EXPECT_EQ(messages.messages().front().icon, MsgIcon::Exclamation);
    }
}

TEST_F(PrintFormTest, AnExistingPdfIsReplacedOnlyWhenTheUserSaysSo) {
    start(1);
    folder.write_bytes(u"old.pdf"_s, "old");
    const QString pdf = folder.file(u"old.pdf"_s);
    messages.answer_next(MsgAnswer::No);
    messages.answer_next(MsgAnswer::Yes);
    print_menu("MenyPrintHimoku", [&](QDialog& d) {
        answer_pdf_dialog(pdf);
        answer_pdf_dialog(QString()); // asked again after "no", then cancelled
        click(d, "print_himoku_pdf");
        EXPECT_EQ(folder.read_bytes(u"old.pdf"_s), "old");
        EXPECT_TRUE(d.isVisible());
        child<QCheckBox>(d, "Check1")->setChecked(false);
        EXPECT_FALSE(static_cast<PrintForm&>(d).statement().ruled);
        answer_pdf_dialog(pdf);
        click(d, "print_himoku_pdf");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(messages.messages().size(), 2u);
    const QString text = pdf_text(pdf);
    EXPECT_TRUE(text.contains(u"費目合計(2004年03月)"_s));
    EXPECT_TRUE(text.contains(QRegularExpression(u"12\\s+日常食品\\s+100"_s)));
    EXPECT_TRUE(text.contains(u"収入合計300,000"_s));
}

TEST_F(PrintFormTest, PreviewShowsTheSamePagesAndDameClosesWithoutPrinting) {
    const QString printer = folder.file(u"printer.pdf"_s);
    set_printer_for_tests(printer);
    start(120);
    int pages = 0;
    print_menu("MenuPrintMainichi", [&](QDialog& d) {
        modals.next([&](QDialog& preview) {
            auto* widget = preview.findChild<QPrintPreviewWidget*>();
            ASSERT_NE(widget, nullptr);
            pages = widget->pageCount();
            preview.reject();
        });
        click(d, "print_mainichi_preview");
        EXPECT_TRUE(d.isVisible());
        click(d, "print_mainichi_dame");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(pages, 3);
    EXPECT_FALSE(folder.exists(u"printer.pdf"_s));
}

TEST(QtTranslations, QtsOwnDialogsSpeakJapanese) {
    ASSERT_TRUE(load_qt_translations());
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:"), u"File &name:");
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}
