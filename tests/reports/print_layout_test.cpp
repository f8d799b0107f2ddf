#include "platform/printing.h"
#include "reports/print_layout.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

using PrintFunction = int (*)(QPagedPaintDevice&, const StatementData&);

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString tekiyo(int i) {
    return u"品目%1"_s.arg(i, 4, 10, QChar(u'0'));
}

StatementData entries(int n, bool ruled = false) {
    StatementData d{u"2007"_s, u"04"_s, {u"日"_s, u"費目"_s, u"金額"_s, u"摘要"_s}, {}, 300000,
                    5000,      ruled};
    for (int i = 1; i <= n; ++i)
        d.rows.append({u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), u"日常食品"_s,
                       u"%L1"_s.arg(100 * i), tekiyo(i)});
    return d;
}

StatementData categories(bool ruled) {
    StatementData d{u"2007"_s,
                    u"04"_s,
                    {u"No"_s, u"費目"_s, u"合計金額"_s, u"予算残高"_s, u"予算金額"_s, u"予算構成"_s,
                     u"実績構成"_s},
                    {},
                    250000,
                    80000,
                    ruled};
    for (int n = 1; n <= 30; ++n)
        d.rows.append({QString::number(n), u"費目%1"_s.arg(n), u"%L1"_s.arg(1000 * n),
                       u"-%L1"_s.arg(10 * n), u"%L1"_s.arg(990 * n), u"12.5"_s, u"100.0"_s});
    return d;
}

// A statement rendered as the PDF the program writes, read back page by page.
struct Rendered {
    int painted = 0;
    QStringList pages;
    QString pdf;
};

Rendered render(const TempFolder& dir, PrintFunction print, const StatementData& data) {
    Rendered r;
    r.pdf = dir.file(u"out.pdf"_s);
    const WriteResult failed = write_pdf(r.pdf, u"t"_s, [&](QPagedPaintDevice& device) {
        r.painted = print(device, data);
        return r.painted > 0;
    });
    EXPECT_FALSE(failed.has_value());
    r.pages = run(u"pdftotext"_s, {u"-layout"_s, r.pdf, u"-"_s}).split(u'\f');
    EXPECT_EQ(r.pages.last().trimmed(), u"");
    r.pages.removeLast();
    return r;
}

// The longest run of dark pixels down any column of page `page`: ruled
// lines make long ones, text only short ones.
int longest_vertical_line(const TempFolder& dir, const QString& pdf, int page) {
    const QString base = dir.file(u"page"_s);
    run(u"pdftoppm"_s, {u"-r"_s, u"50"_s, u"-gray"_s, u"-png"_s, u"-singlefile"_s, u"-f"_s,
                        QString::number(page), u"-l"_s, QString::number(page), pdf, base});
    const QImage image(base + u".png"_s);
    EXPECT_FALSE(image.isNull());
    int longest = 0;
    for (int x = 0; x < image.width(); ++x) {
        int run_length = 0;
        for (int y = 0; y < image.height(); ++y) {
            run_length = qGray(image.pixel(x, y)) < 160 ? run_length + 1 : 0;
            longest = std::max(longest, run_length);
        }
    }
    return longest;
}

// The text of a PDF in the order it was drawn, blanks and line ends left out.
QString drawn_order_text(const QString& pdf) {
    return run(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s}).remove(QRegularExpression(u"\\s"_s));
}

// Every text a statement draws, in order, blanks left out.
QString drawn_text(const QString& title, const StatementData& d) {
    QStringList texts{title};
    texts << d.header;
    for (const QStringList& row : d.rows)
        texts << row;
    texts << footer_texts(d.syunyu_goukei, d.sisyutu_goukei);
    return texts.join(QString()).remove(QRegularExpression(u"\\s"_s));
}

// The dark pixels right of the rightmost ruled vertical of page 1 at 50 dpi.
int ink_right_of_frame(const TempFolder& dir, const QString& pdf) {
    const QString base = dir.file(u"frame"_s);
    run(u"pdftoppm"_s, {u"-r"_s, u"50"_s, u"-gray"_s, u"-png"_s, u"-singlefile"_s, u"-f"_s, u"1"_s,
                        u"-l"_s, u"1"_s, pdf, base});
    const QImage image(base + u".png"_s);
    EXPECT_FALSE(image.isNull());
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
    int frame = -1;
    for (int x = 0; x < image.width(); ++x) {
        int run_length = 0;
        for (int y = 0; y < image.height() && frame != x; ++y) {
            run_length = dark(x, y) ? run_length + 1 : 0;
            if (run_length > 100)
                frame = x;
        }
    }
    EXPECT_GE(frame, 0);
    int ink = 0;
    for (int x = frame + 2; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            ink += dark(x, y);
    return ink;
}

struct PrintLayoutTest : ::testing::Test {
    TempFolder dir;
};

} // namespace

TEST_F(PrintLayoutTest, DailyStatementHasEveryRowOnceInOrderAndTheHeadOnEveryPage) {
    int rows_per_page = 0;
    for (int n : {1, 60, 200, 1000}) {
        const Rendered r = render(dir, &print_mainichi, entries(n));
        ASSERT_EQ(r.painted, r.pages.size()) << n;
        int next = 1;
        for (int p = 0; p < r.pages.size(); ++p) {
            const QString& page = r.pages.at(p);
            EXPECT_TRUE(page.contains(u"収支詳細(2007年04月)"_s)) << n << " page " << p;
            EXPECT_TRUE(page.contains(QRegularExpression(u"日\\s+費目\\s+金額\\s+摘要"_s)))
                << n << " page " << p;
            const int first_on_page = next;
            for (const QString& line : page.split(u'\n'))
                if (line.contains(u"品目"_s)) {
                    EXPECT_TRUE(line.contains(tekiyo(next))) << n << " " << line.toStdString();
                    EXPECT_TRUE(line.contains(u"%L1"_s.arg(100 * next))) << line.toStdString();
                    ++next;
                }
            // Every page carries rows but the footer alone never takes one.
            EXPECT_GT(next, first_on_page) << n << " page " << p;
            const bool last = p + 1 == r.pages.size();
            EXPECT_EQ(page.contains(u"収入合計300,000"_s), last) << n << " page " << p;
            if (p == 0 && !last)
                rows_per_page = next - 1;
        }
        EXPECT_EQ(next, n + 1) << n;
        EXPECT_TRUE(r.pages.last().contains(u"支出合計5,000"_s));
        EXPECT_TRUE(r.pages.last().contains(u"収支合計295,000"_s));
        if (rows_per_page > 0) {
            EXPECT_EQ(r.pages.size(), (n + rows_per_page - 1) / rows_per_page) << n;
        }
    }
    // A4 at the statement's line height holds some fifty rows.
    EXPECT_GT(rows_per_page, 40);
    EXPECT_LE(rows_per_page, 60);

    // A page exactly full of rows still ends the statement on that page.
    EXPECT_EQ(render(dir, &print_mainichi, entries(rows_per_page)).pages.size(), 1);
    EXPECT_EQ(render(dir, &print_mainichi, entries(rows_per_page + 1)).pages.size(), 2);
}

TEST_F(PrintLayoutTest, EmptyMonthAndDeficit) {
    StatementData d = entries(0);
    d.syunyu_goukei = 1000;
    d.sisyutu_goukei = 6000;
    const Rendered r = render(dir, &print_mainichi, d);
    ASSERT_EQ(r.pages.size(), 1);
    EXPECT_TRUE(r.pages.first().contains(u"摘要"_s));
    EXPECT_TRUE(r.pages.first().contains(u"収支合計-5,000"_s));
}

TEST_F(PrintLayoutTest, CategoryStatementIsOnePageInGridOrder) {
    const Rendered r = render(dir, &print_himoku, categories(false));
    ASSERT_EQ(r.pages.size(), 1);
    const QString& page = r.pages.first();
    EXPECT_TRUE(page.contains(u"費目合計(2007年04月)"_s));
    EXPECT_TRUE(page.contains(QRegularExpression(
        u"No\\s+費目\\s+合計金額\\s+予算残高\\s+予算金額\\s+予算構成\\s+実績構成"_s)));
    qsizetype at = 0;
    for (int n = 1; n <= 30; ++n) {
        const QRegularExpression row(
            u"\\b%1\\s+費目%1\\s+%2\\s+-%3\\s+%4\\s+12\\.5\\s+100\\.0"_s.arg(n).arg(
                u"%L1"_s.arg(1000 * n), u"%L1"_s.arg(10 * n), u"%L1"_s.arg(990 * n)));
        const qsizetype found = page.indexOf(row, at);
        EXPECT_GT(found, at - 1) << n;
        at = std::max(at, found);
    }
    EXPECT_TRUE(page.contains(u"収入合計250,000"_s));
    EXPECT_TRUE(page.contains(u"収支合計170,000"_s));
}

TEST_F(PrintLayoutTest, RuledLinesOnlyWhenAsked) {
    struct Case {
        PrintFunction print;
        StatementData data;
    };
    const Case cases[] = {{&print_mainichi, entries(30, true)},
                          {&print_mainichi, entries(30, false)},
                          {&print_himoku, categories(true)},
                          {&print_himoku, categories(false)}};
    for (const Case& c : cases) {
        const Rendered r = render(dir, c.print, c.data);
        // 50 dpi: the 31 lines of the table are some 240 pixels high.
        const int longest = longest_vertical_line(dir, r.pdf, 1);
        if (c.data.ruled) {
            EXPECT_GT(longest, 150);
        } else {
            EXPECT_LT(longest, 20);
        }
    }
}

TEST(PrintPages, RowsFillThePageLeavingRoomForHeadAndFooter) {
    struct Case {
        QList<int> row_lines;
        int lines_per_page;
        QList<int> first_row;
        int footer_page;
    };
    const QList<int> one_line_each(111, 1);
    const Case cases[] = {
        {{}, 60, {0}, 0},
        {one_line_each.mid(0, 55), 60, {0}, 0},
        {one_line_each.mid(0, 56), 60, {0, 55}, 1},
        {one_line_each.mid(0, 110), 60, {0, 55}, 1},
        {one_line_each, 60, {0, 55, 110}, 2},
        {{}, 0, {0}, 0},
        {{1, 1, 1}, 4, {0, 1, 2, 3}, 3},
        {{1, 1}, 6, {0, 1}, 1},
        {{1}, 6, {0}, 0},
        // Wrapped rows take their lines; a row never splits across pages.
        {{2, 3, 51}, 60, {0, 2}, 1},
        {{50, 2, 3}, 60, {0}, 0},
        {{54, 2}, 60, {0, 1}, 1},
        // Taller than a page: a page of its own.
        {{1, 200, 1}, 60, {0, 1, 2}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.row_lines.size() << " rows, " << c.lines_per_page);
        const PagePlan plan = plan_pages(c.row_lines, c.lines_per_page);
        EXPECT_EQ(plan.first_row, c.first_row);
        EXPECT_EQ(plan.footer_page, c.footer_page);
    }
}

TEST(PrintColumns, ATextWrapsInsideItsColumnAndAPaddedFieldGivesUpBlanksFirst) {
    const struct {
        QString text;
        int field; // 0: not padded
        double width;
        QStringList lines;
    } cases[] = {
        {u"スーパー"_s, 0, 41, {u"スーパー"_s}},
        {u""_s, 0, 41, {u""_s}},
        {u"あいうえお"_s, 0, 10, {u"あいうえお"_s}},
        {u"あいうえおか"_s, 0, 10, {u"あいうえお"_s, u"か"_s}},
        {u"aあいうえお"_s, 0, 10, {u"aあいうえ"_s, u"お"_s}},
        {u"あい"_s, 0, 1, {u"あ"_s, u"い"_s}}, // wider than the column: a line each
        {u"1,000"_s, 15, 16, {u"          1,000"_s}},
        {u"12,345,678"_s, 10, 9, {u"12,345,67"_s, u"8"_s}},
        {u"1,234,567"_s, 10, 9, {u"1,234,567"_s}},
        {u"1,234,567"_s, 10, 10, {u" 1,234,567"_s}},
    };
    // Full-width characters two units wide, others one, as on the statements.
    const auto cells = [](const QString& s) {
        double w = 0;
        for (QChar c : s)
            w += c.unicode() < 0x100 ? 1 : 2;
        return w;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QStringList lines = fit_field(c.text, c.field, c.width, cells);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(lines.join(QString()).trimmed(), c.text);
    }
}

// Searching or copying from a saved statement gives the characters printed,
// not the Kangxi radicals or U+2027 some fonts give the same glyphs; a long
// description wraps whole inside its column.
TEST_F(PrintLayoutTest, TheTextLayerHoldsTheCharactersPrintedAndLongTextWrapsWhole) {
    Ledger ledger;
    init_default_ledger(ledger, dir);
    const QStringList descriptions{
        u"スーパー・日用品"_s, u"月末の支払い"_s,   u"水道料金（自動引落）"_s,
        u"小口現金の補充"_s,   u"自動車税・車検"_s, u"高速道路の入口"_s,
        u"外食（昼食）"_s,     u"目薬と金具"_s,     u"入金・出金の記録"_s};
    StatementData mainichi = entries(0, true);
    StatementData himoku = categories(false);
    for (int i = 0; i < kHimokuCount; ++i) {
        const QString& name = ledger.himoku[i].name;
        mainichi.rows.append({u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), name,
                              u"%L1"_s.arg(150 * (i + 1)),
                              descriptions.at(i % descriptions.size())});
        himoku.rows[i][1] = name;
    }
    mainichi.rows[1][3] = QString(u"長い摘要の文字列"_s).repeated(5); // 40 full-width
    const struct {
        PrintFunction print;
        const StatementData& data;
        QString title;
    } cases[] = {{&print_mainichi, mainichi, mainichi_title(u"2007"_s, u"04"_s)},
                 {&print_himoku, himoku, himoku_title(u"2007"_s, u"04"_s)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        const Rendered r = render(dir, c.print, c.data);
        ASSERT_EQ(r.pages.size(), 1);
        EXPECT_EQ(drawn_order_text(r.pdf), drawn_text(c.title, c.data));
        if (c.print == &print_mainichi) {
            EXPECT_EQ(ink_right_of_frame(dir, r.pdf), 0);
        }
    }
}
