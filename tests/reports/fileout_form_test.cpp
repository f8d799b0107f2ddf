#include "ledger/line_file.h"
#include "platform/desktop.h"
#include "platform/spinner.h"
#include "reports/fileout2_form.h"
#include "reports/fileout_form.h"
#include "support/accessibility_check.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"

#include <QDir>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

struct FileoutTest : WindowTest {
    void SetUp() override {
        WindowTest::SetUp();
        ledger->nen = u"1998"_s;
        ledger->tuki = u"11"_s;
    }
    void TearDown() override {
        set_shell_open_for_tests({});
        WindowTest::TearDown();
    }
    template <class Form> std::unique_ptr<Form> open() {
        auto form = std::make_unique<Form>(*ledger);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    static void press(QWidget& form, const char* spinner, Qt::Key key, int times) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(child<Spinner>(form, spinner), key);
    }
    // The months around a year end as the totals read them.
    void write_months() {
        folder.write_lines(u"~199811.dat"_s,
                           month_file_with({entry("19981101", "2", "250,000", "給料", " 1 "),
                                            entry("19981103", "12", "1,200", "パン", "0"),
                                            entry("19981105", "7", "300", "印紙", "0"),
                                            entry("19981107", "30", "-5,000", "引出し", " 1 "),
                                            entry("19981107", "12", "800", "米", "0")}));
        folder.write_bytes(u"~199812.dat"_s, {});
        QStringList headerless = month_file_with({}).mid(1, 150);
        headerless << u"19990105"_s << u"12"_s << u"9,999"_s << u"古い形式"_s;
        folder.write_lines(u"~199901.dat"_s, headerless);
        QStringList feb = month_file_with({entry("19990201", "12", "3,000", "パン", "0")});
        feb[1 + 11 * 5 + 1] = u"食費,外食"_s;
        feb[1 + 12 * 5 + 1] = u"\"特\"別"_s;
        folder.write_lines(u"~199902.dat"_s, feb);
        folder.write_lines(u"~199903.dat"_s,
                           month_file_with({entry("19990301", "12", "1", "範囲外", "0")}));
    }
};

// Categories 1..29: number text, name, one sum per month that had a file with
// a header.
QByteArray expected_totals(const QStringList& names, const QList<QMap<int, QString>>& sums,
                           const QStringList& columns) {
    QStringList lines{u"No.,費目"_s +
                      (columns.isEmpty() ? QString() : u","_s + columns.join(u','))};
    for (int n = 1; n <= 29; ++n) {
        QString line = u" %1,"_s.arg(n) + names.value(n - 1);
        for (const auto& month : sums)
            line += u',' + month.value(n, u"0"_s);
        lines << line;
    }
    return cp932_bytes(lines);
}

QStringList default_names(const Ledger& l) {
    QStringList names;
    for (int c = 0; c < 29; ++c)
        names << l.himoku[c].name;
    return names;
}

} // namespace

TEST_F(FileoutTest, TotalsSpanTheYearEndFromTheFilesAsLastSaved) {
    write_months();
    // Unsaved in the open month: the file is what counts.
    ledger->add_entry({u"19981120"_s, u"12"_s, u"99,999"_s, u"未保存"_s, u"0"_s});
    auto form = open<FileoutForm>();
    EXPECT_EQ(child<QLabel>(*form, "Label3")->text(), u"1998");
    EXPECT_EQ(child<QLabel>(*form, "Label4")->text(), u"11");
    press(*form, "VScroll2", Qt::Key_Down, 1);
    press(*form, "VScroll3", Qt::Key_Up, 1);
    press(*form, "VScroll4", Qt::Key_Down, 9);
    click(*form, "Command1");

    QStringList names = default_names(*ledger);
    names[11] = u"\"食費,外食\""_s;
    names[12] = u"\"\"\"特\"\"別\""_s;
    const QMap<int, QString> nov{{2, u"250000"_s}, {7, u"300"_s}, {12, u"2000"_s}};
    const QMap<int, QString> feb{{12, u"3000"_s}};
    EXPECT_EQ(folder.read_bytes(u"total.csv"_s),
              expected_totals(names, {nov, feb}, {u"1998/11"_s, u"1999/02"_s}));
    ASSERT_EQ(messages.messages().size(), 1u);
    const Message& done = messages.messages().front();
    EXPECT_EQ(done.text, folder.path() + u"TOTAL.CSVファイルを出力しました。"_s);
    EXPECT_EQ(done.title, u"やれやれ・・");
    EXPECT_EQ(done.offer, u"フォルダを開く");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(FileoutTest, StartAfterEndIsRefusedAndNoMonthGivesTheNumberedRowsOnly) {
    auto form = open<FileoutForm>();
    expect_tidy_layout(*form);
    press(*form, "VScroll1", Qt::Key_Up, 1);
    click(*form, "Command1");
    ASSERT_EQ(messages.texts(), QStringList{u"期間の指定が間違っています"_s});
    EXPECT_EQ(messages.messages().front().title, u"あれれ？");
    EXPECT_FALSE(folder.exists(u"total.csv"_s));
    EXPECT_TRUE(form->isVisible());

    press(*form, "VScroll1", Qt::Key_Down, 1);
    click(*form, "Command1");
    EXPECT_EQ(folder.read_bytes(u"total.csv"_s), expected_totals({}, {}, {}));
}

// A damaged month or a file that cannot be written: a message naming it, the
// old file whole, no success message, the window still open.
TEST_F(FileoutTest, FailuresNameTheFileAndKeepTheOldOne) {
    folder.write_bytes(u"total.csv"_s, "old\r\n");
    struct Case {
        std::function<void()> arrange;
        const char* named;
    };
    const Case cases[] = {
        {[&] {
             folder.write_lines(u"~199811.dat"_s,
                                month_file_with({entry("19981101", "12", "abc", "x", "0")}));
         },
         "~199811.dat 184行目"},
        {[&] {
             folder.write_lines(u"~199811.dat"_s, month_file_with({}));
             fail_file_operation_for_tests(2, ENOSPC);
         },
         "total.csv"},
    };
    for (const Case& c : cases) {
        messages.clear();
        c.arrange();
        auto form = open<FileoutForm>();
        click(*form, "Command1");
        fail_file_operation_for_tests(0);
        ASSERT_EQ(messages.messages().size(), 1u) << c.named;
        EXPECT_TRUE(messages.texts().front().contains(QString::fromUtf8(c.named)))
            << qPrintable(messages.texts().front());
        EXPECT_EQ(messages.messages().front().icon, MsgIcon::Critical);
        EXPECT_EQ(folder.read_bytes(u"total.csv"_s), QByteArray("old\r\n"));
        EXPECT_TRUE(form->isVisible());
    }
}

TEST_F(FileoutTest, EntriesFileHoldsEachKindOfAmountAndOffersTheFolder) {
    ledger->nen = u"2007"_s;
    ledger->tuki = u"04"_s;
    const SyusiRec entries[] = {
        {u"20070401"_s, u"12"_s, u"1,500"_s, u"パン"_s, u"0"_s},
        {u"20070402"_s, u"2"_s, u"1,500"_s, u"給料"_s, u" 1 "_s},
        {u"20070404"_s, u"30"_s, u"-5,000"_s, u"引出し"_s, u"1"_s},
        {u"20070405"_s, u"12"_s, u""_s, u"金額なし"_s, u"20"_s},
        {u"20070406"_s, u"0"_s, u"700"_s, u"番号\tなし"_s, u"0"_s},
    };
    for (const SyusiRec& e : entries)
        ledger->add_entry(e);
    QStringList opened;
    set_shell_open_for_tests([&](const QString& target) {
        opened << target;
        return 2;
    });
    messages.answer_next(MsgAnswer::Yes);
    auto form = open<Fileout2Form>();
    expect_tidy_layout(*form);
    click(*form, "Command1");

    const QStringList lines{
        u"日付\t費目No.\t費目名称\t金額\t摘要\t財布No.\t財布名称"_s,
        u"20070401\t12\t日常食品\t-1500\tパン\t0\t現金"_s,
        u"20070402\t2\t給料\t1500\t給料\t 1 \t給料振込口座"_s,
        u"20070404\t30\t財布<=>口座\t-5000\t引出し\t1\t給料振込口座"_s,
        u"20070405\t12\t日常食品\t\t金額なし\t20\t"_s,
        u"20070406\t0\t\t700\t番号 なし\t0\t現金"_s,
    };
    EXPECT_EQ(folder.read_bytes(u"~200704.tab"_s), cp932_bytes(lines));
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.texts().at(0), folder.path() + u"~200704.TABファイルを出力しました。"_s);
    EXPECT_EQ(opened, QStringList{folder.path()});
    EXPECT_TRUE(messages.texts().at(1).startsWith(u"フォルダを開けませんでした。"_s));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FileoutTest, EntriesFileThatCannotBeWrittenKeepsTheWindowOpen) {
    ledger->nen = u"2004"_s;
    ledger->tuki = u"03"_s;
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"~200403.tab"_s));
    auto form = open<Fileout2Form>();
    click(*form, "Command1");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().front().contains(u"~200403.tab"_s));
    EXPECT_TRUE(messages.messages().front().offer.isEmpty());
    EXPECT_TRUE(form->isVisible());
    click(*form, "Command2");
    EXPECT_FALSE(form->isVisible());
}
