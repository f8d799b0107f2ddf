#include "ledger/line_file.h"
#include "ledger/statement_amounts.h"
#include "ledger/statement_dates.h"
#include "ledger/statement_reader.h"
#include "support/qt_print.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 20);

QByteArray cp932(const QString& text) {
    return encode_cp932(text).value();
}

QByteArray utf16(const QString& text, bool little) {
    QStringEncoder enc(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
    return QByteArray(little ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(enc.encode(text));
}

Statement read(const QString& text, const std::optional<StatementColumns>& chosen = {}) {
    return read_statement(cp932(text), kToday, chosen);
}

QStringList descriptions(const Statement& s) {
    QStringList out;
    for (const StatementRow& r : s.rows)
        out << r.description;
    return out;
}

QStringList unread(const Statement& s) {
    QStringList out;
    for (const UnreadLine& u : s.unread)
        out << QString::number(u.line) + u':' + u.why;
    return out;
}

} // namespace

TEST(StatementAmounts, ReadsEveryFormAsExactYenAndRefusesFractionsAndHugeAmounts) {
    const std::pair<std::optional<long long>, QStringList> readable[] = {
        {1234,
         {u"1234"_s, u"1,234"_s, u"\\1,234"_s, u"￥1,234"_s, u"¥1,234"_s, u"1,234円"_s,
          u"１，２３４"_s, u"￥１，２３４円"_s, u" 1,234 "_s, u"1,234.00"_s}},
        {-1234,
         {u"-1,234"_s, u"－１，２３４"_s, u"△1,234"_s, u"▲1,234"_s, u"(1,234)"_s, u"\\-1,234"_s}},
        {0, {u"0"_s}},
        {999999999999999LL, {u"999,999,999,999,999"_s}},
        {std::nullopt, {u""_s, u"　"_s}}};
    for (const auto& [yen, cells] : readable)
        for (const QString& cell : cells) {
            const StatementAmount a = read_statement_amount(cell);
            EXPECT_EQ(a.yen, yen) << cell.toStdString();
            EXPECT_EQ(a.problem, QString()) << cell.toStdString();
        }
    for (const QString& cell :
         {u"1,234.5"_s, u"0.01"_s, u"1,000,000,000,000,000"_s, u"12,34"_s, u"1,2345"_s,
          u"1.234.000"_s, u"abc"_s, u"--5"_s, u"1,234-"_s, u"1e3"_s}) {
        const StatementAmount a = read_statement_amount(cell);
        EXPECT_EQ(a.yen, std::nullopt) << cell.toStdString();
        EXPECT_FALSE(a.problem.isEmpty()) << cell.toStdString();
    }
}

TEST(StatementDates, ReadsEveryFormAndKeepsEachEraWithinItsDays) {
    const std::pair<QDate, QStringList> cases[] = {
        {QDate(2026, 12, 8),
         {u"2026/12/08"_s, u"2026-12-08"_s, u"2026.12.8"_s, u"20261208"_s, u"2026年12月8日"_s,
          u"２０２６／１２／０８"_s, u"2026/12/08 10:23"_s, u"26/12/08"_s, u"R8.12.8"_s,
          u"R08/12/08"_s, u"r8.12.8"_s, u"令和8年12月8日"_s}},
        {QDate(2026, 1, 5), {u"2026/1/5"_s}},
        {QDate(2019, 5, 1), {u"令和元年5月1日"_s, u"R1.5.1"_s}},
        {QDate(2019, 4, 30), {u"H31.4.30"_s, u"平成31年4月30日"_s}},
        {QDate(1989, 1, 8), {u"平成元年1月8日"_s}},
        {QDate(1989, 1, 7), {u"S64.1.7"_s, u"昭和64年1月7日"_s}},
        {QDate(), // not a whole date
         {u"R1.4.30"_s, u"H31.5.1"_s, u"H1.1.7"_s, u"S64.1.8"_s, u"2026/02/30"_s, u"20261332"_s,
          u"合計"_s, u""_s}}};
    for (const auto& [date, cells] : cases)
        for (const QString& cell : cells) {
            const StatementDate d = read_statement_date(cell);
            EXPECT_EQ(d.date, date) << cell.toStdString();
            EXPECT_EQ(d.problem.isEmpty(), date.isValid()) << cell.toStdString();
        }
}

TEST(StatementDates, AMonthAndDayTakeTheirYearFromThePeriodElseTheNearestPastDate) {
    const StatementDate md = read_statement_date(u"12/08"_s);
    ASSERT_EQ(md.month, 12);
    ASSERT_EQ(md.day, 8);
    EXPECT_FALSE(md.date.isValid());
    EXPECT_FALSE(read_statement_date(u"2/30"_s).read());
    EXPECT_EQ(read_statement_date(u"2/29"_s).day, 29);
    const struct {
        int month, day;
        QDate from, to, today, expected;
    } cases[] = {
        {12, 8, QDate(2025, 11, 16), QDate(2026, 1, 15), QDate(2027, 3, 1), QDate(2025, 12, 8)},
        {1, 8, QDate(2025, 11, 16), QDate(2026, 1, 15), QDate(2027, 3, 1), QDate(2026, 1, 8)},
        {12, 8, {}, {}, QDate(2026, 12, 8), QDate(2026, 12, 8)},
        {12, 9, {}, {}, QDate(2026, 12, 8), QDate(2025, 12, 9)},
        {2, 29, {}, {}, QDate(2026, 12, 8), QDate(2024, 2, 29)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(complete_date(c.month, c.day, c.from, c.to, c.today), c.expected)
            << c.month << "/" << c.day;
}

TEST(StatementReader, DetectsTheEncodingFromTheBytesAndRefusesWhatDecodesInNone) {
    const QString text = u"日付,摘要,金額\r\n2026/12/01,ｺﾝﾋﾞﾆ①髙島屋,500\r\n"_s;
    const struct {
        const char* what;
        QByteArray bytes;
        QString encoding; // empty: refused
        QString refused = {};
    } cases[] = {
        {"CP932", cp932(text), u"CP932"_s},
        {"UTF-8", text.toUtf8(), u"UTF-8"_s},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + text.toUtf8(), u"UTF-8"_s},
        {"UTF-16 LE", utf16(text, true), u"UTF-16"_s},
        {"UTF-16 BE", utf16(text, false), u"UTF-16"_s},
        {"none of them", QByteArray("\x82\xA0,\x80\xFF\xFE,\x81\r\n"), {}, u"文字コード"_s},
        {"UTF-8 BOM before other bytes", "\xEF\xBB\xBF" + cp932(text), {}, u"文字コード"_s},
        {"binary", QByteArray("\177ELF\2\1\1\0\0\0", 10), {}, u"文字のファイルではない"_s},
        {"empty", QByteArray(), {}, u"空です"_s},
        {"blank lines only", QByteArray("\r\n \r\n"), {}, u"空です"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Statement s = read_statement(c.bytes, kToday);
        if (c.encoding.isEmpty()) {
            EXPECT_TRUE(s.refused.contains(c.refused)) << s.refused.toStdString();
            EXPECT_TRUE(s.rows.empty());
            continue;
        }
        EXPECT_EQ(s.refused, QString());
        EXPECT_EQ(s.encoding, c.encoding);
        EXPECT_EQ(descriptions(s), QStringList{u"ｺﾝﾋﾞﾆ①髙島屋"_s});
    }
}

TEST(StatementReader, SplitsCommaTabAndSemicolonLinesWithQuotedFields) {
    const struct {
        const char* what;
        QString text;
        QChar separator;
        QStringList descriptions;
        QList<int> lines;
    } cases[] = {
        {"comma, no line end at the end",
         u"日付,内容,金額\n2026/12/01,パン,300\n2026/12/02,牛乳,200"_s,
         u',',
         {u"パン"_s, u"牛乳"_s},
         {2, 3}},
        {"tab",
         u"日付\t内容\t金額\r\n2026/12/01\tパン, 大\t300\r\n"_s,
         u'\t',
         {u"パン, 大"_s},
         {2}},
        {"semicolon", u"日付;内容;金額\r2026/12/01;パン;300\r"_s, u';', {u"パン"_s}, {2}},
        {"quoted separator and doubled quote",
         u"\"日付\",\"内容\",\"金額\"\n\"2026/12/01\",\"店A, 本店 \"\"駅前\"\"\",\"1,300\"\n"_s,
         u',',
         {u"店A, 本店 \"駅前\""_s},
         {2}},
        {"quoted line break becomes a blank",
         u"日付,内容,金額\r\n2026/12/01,\"一行目\r\n二行目\",300\r\n2026/12/02,次,5\r\n"_s,
         u',',
         {u"一行目 二行目"_s, u"次"_s},
         {2, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Statement s = read(c.text);
        EXPECT_EQ(s.separator, c.separator);
        EXPECT_EQ(descriptions(s), c.descriptions);
        QList<int> lines;
        for (const StatementRow& r : s.rows)
            lines << r.line;
        EXPECT_EQ(lines, c.lines);
        EXPECT_TRUE(s.unread.empty()) << unread(s).join(u'|').toStdString();
    }
}

TEST(StatementReader, SkipsThePreambleAndSummaryLinesAndListsEveryOtherLineNotRead) {
    const Statement s = read(u"口座番号,1234567\r\n"
                             "お名前,山田 太郎\r\n"
                             "期間,2025/11/16～2025/12/15\r\n"
                             "\r\n"
                             "ご利用日,ご利用店名,ご利用金額,支払区分\r\n"
                             "12/08,コーヒー店,450,1回\r\n"
                             "11/20,書店,1.5,1回\r\n"
                             "2025/13/01,どこか,100,1回\r\n"
                             "11/21,短い\r\n"
                             ",,,\r\n"
                             "11/30,スーパー,\"2,980\",1回\r\n"
                             "\r\n"
                             "合計,,3430,\r\n"
                             "前回残高,,0,\r\n"
                             "以上\r\n"_s);
    EXPECT_EQ(s.period_from, QDate(2025, 11, 16));
    EXPECT_EQ(s.period_to, QDate(2025, 12, 15));
    EXPECT_EQ(descriptions(s), (QStringList{u"コーヒー店"_s, u"スーパー"_s}));
    EXPECT_EQ(s.rows.at(0).date, QDate(2025, 12, 8));
    EXPECT_EQ(s.rows.at(1).yen, 2980);
    EXPECT_FALSE(s.rows.at(1).income);
    EXPECT_EQ(unread(s), (QStringList{u"7:小数の金額は読めません（1.5）"_s,
                                      u"8:日付が読めません（2025/13/01）"_s, u"9:列が足りません"_s,
                                      u"15:日付が読めません（以上）"_s}));
}

TEST(StatementReader, FindsEachColumnByAnyOfItsHeaderNames) {
    const struct {
        QString name;
        ColumnName kind;
    } cases[] = {
        {u"日付"_s, ColumnName::Date},        {u"お取引日"_s, ColumnName::Date},
        {u"ご利用日"_s, ColumnName::Date},    {u"摘要"_s, ColumnName::Description},
        {u"内容"_s, ColumnName::Description}, {u"ご利用店名"_s, ColumnName::Description},
        {u"金額"_s, ColumnName::Amount},      {u"ご利用金額"_s, ColumnName::Amount},
        {u"出金"_s, ColumnName::Out},         {u"支払"_s, ColumnName::Out},
        {u"入金"_s, ColumnName::In},          {u"お預入れ"_s, ColumnName::In},
        {u" ご利用日　"_s, ColumnName::Date}, {u"ｺﾞ利用日"_s, ColumnName::None},
        {u"支払区分"_s, ColumnName::None},    {u"残高"_s, ColumnName::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(column_name(c.name), c.kind) << c.name.toStdString();
}

TEST(StatementReader, TakesTheDirectionFromTheColumnsAndTheSign) {
    const struct {
        const char* what;
        QString text;
        QList<std::pair<long long, bool>> rows; // yen, income
        QStringList unread;
    } cases[] = {
        {"card: plain is a purchase, a minus a refund",
         u"利用日,利用店名,利用金額\n2026/12/01,店,1000\n2026/12/02,店,△300\n"_s,
         {{1000, false}, {300, true}},
         {}},
        {"bank out and in, balance ignored",
         u"取引日,摘要,出金,入金,残高\n2026/12/01,家賃,80000,,20000\n2026/12/"
         u"25,給与,0,300000,320000\n"
         "2026/12/26,誤り,100,200,0\n2026/12/27,空,,,0\n"_s,
         {{80000, false}, {300000, true}},
         {u"4:出金と入金の両方に金額があります"_s, u"5:金額がありません"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Statement s = read(c.text);
        QList<std::pair<long long, bool>> rows;
        for (const StatementRow& r : s.rows)
            rows << std::pair{r.yen, r.income};
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(unread(s), c.unread);
    }
    // The description named first in the list wins.
    EXPECT_EQ(descriptions(read(u"日付,備考,摘要,金額\n2026/12/01,メモ,スーパー,10\n"_s)),
              QStringList{u"スーパー"_s});
}

TEST(StatementReader, WithoutHeaderNamesReadsTheColumnsTheUserChose) {
    const QString text = u"A,B,C,D\n2026/12/01,x,店,500\n2026/12/02,x,駅,-200\n"_s;
    const Statement unknown = read(text);
    EXPECT_FALSE(unknown.columns_by_name);
    EXPECT_FALSE(unknown.columns.usable());
    EXPECT_TRUE(unknown.rows.empty());
    EXPECT_EQ(unknown.header, (QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s}));
    EXPECT_EQ(unknown.columns_in_file, 4);

    StatementColumns chosen;
    chosen.date = 0;
    chosen.description = 2;
    chosen.amount = 3;
    const Statement s = read(text, chosen);
    EXPECT_EQ(s.layout_key, unknown.layout_key);
    EXPECT_EQ(descriptions(s), (QStringList{u"店"_s, u"駅"_s}));
    EXPECT_TRUE(s.rows.at(1).income);

    const Statement bare = read(u"2026/12/01,店,500\n"_s);
    EXPECT_TRUE(bare.header.isEmpty());
    EXPECT_NE(bare.layout_key, read(u"2026/12/01,店,500,x\n"_s).layout_key);
}
