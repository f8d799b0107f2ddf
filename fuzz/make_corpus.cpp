// Writes the seed corpus of every fuzz target: each layout the readers know,
// made by the program's own writers, and the kinds of damage they must
// survive. Run by scripts/make_corpus.sh; the seeds are kept in the project.
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/recurring_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"

#include <QDir>
#include <QFile>
#include <cstdio>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

QString g_out;
int g_written = 0;

void seed(const QString& reader, const QString& name, const QByteArray& bytes) {
    const QString folder = g_out + u'/' + reader;
    QDir().mkpath(folder);
    QFile f(folder + u'/' + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
    ++g_written;
}

QByteArray lines_bytes(const QStringList& lines, const QByteArray& end = "\r\n") {
    QByteArray out;
    for (const QString& line : lines)
        out += *encode_cp932(line) + end;
    return out;
}

Ledger base_ledger() {
    Ledger l;
    set_default_categories(l);
    set_default_wallets(l);
    l.app_path = u"/corpus/"_s;
    l.nen = u"2004"_s;
    l.tuki = u"03"_s;
    l.ini_header = kSignature;
    l.dat_header = kSignature;
    return l;
}

// A month of every kind of entry: income, expense, a transfer pair, category
// 30 on another wallet, a negative amount, a budget and a comment.
Ledger sample_month() {
    Ledger l = base_ledger();
    l.himoku[11].yosan_kingaku = u"30,000"_s;
    l.himoku[11].yosan_comment = u"食費は控えめに"_s;
    l.himoku[12].yosan_kingaku = QString();
    const SyusiRec entries[] = {
        {u"20040301"_s, u"1"_s, u"10,000"_s, u"【繰越】現金"_s, u" 0 "_s},
        {u"20040325"_s, u"2"_s, u"300000"_s, u"給料"_s, u"1"_s},
        {u"20040326"_s, u"30"_s, u"-50,000"_s, u"引き出し"_s, u"1"_s},
        {u"20040326"_s, u"30"_s, u"50000"_s, u"引き出し"_s, u"0"_s},
        {u"20040327"_s, u"12"_s, u"1.5"_s, u"端数"_s, u"14"_s},
        {u"20040328"_s, u"13"_s, u"-500"_s, u"返金"_s, u"0"_s},
    };
    for (const SyusiRec& e : entries)
        l.add_entry(e);
    return l;
}

void month_seeds(const QString& reader) {
    Ledger empty = base_ledger();
    const QStringList empty_lines = month_file_lines(empty);
    seed(reader, u"empty_month"_s, lines_bytes(empty_lines));
    const QStringList lines = month_file_lines(sample_month());
    seed(reader, u"every_kind"_s, lines_bytes(lines));
    seed(reader, u"lone_cr"_s, lines_bytes(lines, "\r"));
    seed(reader, u"lf_only"_s, lines_bytes(lines, "\n"));

    // Version 2.30: ten wallet blocks.
    QStringList old = lines;
    old[0] = u"@VER2.30 ZelvanorQistrombelUxafendriloKvm"_s;
    old.remove(1 + 150 + 20, 10);
    seed(reader, u"version_230"_s, lines_bytes(old));

    // The oldest layout: no header, no wallets, four-line entries.
    QStringList headerless = lines.mid(1, 150);
    headerless << u"20040301"_s << u"12"_s << u"1,000"_s << u"昼食"_s << u"20040302"_s << u"30"_s
               << u"-2000"_s << u"口座へ"_s;
    seed(reader, u"headerless"_s, lines_bytes(headerless));

    // Damage: cut inside an entry, words and out-of-range numbers where
    // numbers belong, bytes the code page cannot decode.
    seed(reader, u"cut_in_entry"_s, lines_bytes(lines.mid(0, lines.size() - 3)));
    seed(reader, u"cut_in_categories"_s, lines_bytes(lines.mid(0, 40)));
    QStringList bad = lines;
    bad[181 + 2] = u"千円"_s;
    bad[181 + 6] = u"31"_s;
    bad[181 + 9] = u"99999999999"_s;
    bad[181 + 12] = u"1000000000000000000000"_s;
    bad[4] = u"abc"_s;
    bad[0] = u"@VERx.yz"_s;
    seed(reader, u"words_for_numbers"_s, lines_bytes(bad));
    QByteArray undecodable = lines_bytes(lines);
    undecodable.replace(QByteArray("\r\n20040325\r\n"), QByteArray("\r\n2004\x85\x40\xfd\r\n"));
    seed(reader, u"undecodable"_s, undecodable);
    seed(reader, u"header_only"_s, lines_bytes({kSignature}));
    seed(reader, u"nothing"_s, QByteArray());
}

void settings_seeds() {
    Ledger l = base_ledger();
    MemoryFiles files;
    use_memory_files_for_tests(&files);
    settings_write(l);
    use_memory_files_for_tests(nullptr);
    const QByteArray current = files.value(l.path(kSettingsFile));
    seed(u"settings_file"_s, u"current"_s, current);
    QList<QByteArray> lines = split_lines(current);
    auto join = [](const QList<QByteArray>& ls) {
        QByteArray out;
        for (const QByteArray& x : ls)
            out += x + "\r\n";
        return out;
    };
    QList<QByteArray> v43 = lines.mid(0, 125);
    v43[0] = "@VER4.30 ZelvanorQistrombelUxafendriloKvm";
    seed(u"settings_file"_s, u"version_430"_s, join(v43));
    QList<QByteArray> v23 = lines.mid(0, 115);
    v23[0] = "@VER2.30 ZelvanorQistrombelUxafendriloKvm";
    seed(u"settings_file"_s, u"version_230"_s, join(v23));
    seed(u"settings_file"_s, u"headerless"_s, join(lines.mid(1, 94)));
    QList<QByteArray> bad = lines;
    bad[91] = "abcd";
    bad[92] = "13";
    bad[125] = "five";
    bad[2] += "\xfd";
    seed(u"settings_file"_s, u"damaged"_s, join(bad));
    seed(u"settings_file"_s, u"cut_short"_s, join(lines.mid(0, 50)));
}

void window_seeds() {
    const QByteArray cases[][2] = {
        {"plain", " 7095 \r\n 9615 \r\n 1200 \r\n 2400 \r\n 0 \r\n\r\n\r\n\r\n\r\n\r\n"},
        {"minimized", " 8000 \r\n 12000 \r\n-300 \r\n 100 \r\n 1 \r\nx\r\ny\r\n\r\n\r\nz\r\n"},
        {"huge", "1e300\r\n99999999999\r\n-99999999999\r\nabc\r\n99999999999\r\n"},
        {"short", " 7095 \r\n 9615 \r\n"},
        {"fractions", "7095.5\r\n9615.25\r\n0.1\r\n-0.1\r\n2\r\n\xfd\r\n\r\n\r\n\r\n\r\n"},
    };
    for (const auto& c : cases)
        seed(u"window_file"_s, QString::fromLatin1(c[0]), c[1]);
}

void diary_seeds() {
    QStringList notes(kNikkiSlots, QString());
    notes[0] = u"元日。晴れ"_s;
    notes[59] = u"閏日"_s;
    notes[365] = u"大晦日"_s;
    seed(u"diary_file"_s, u"leap_year"_s, lines_bytes(notes));
    seed(u"diary_file"_s, u"short"_s, lines_bytes(notes.mid(0, 10)));
    seed(u"diary_file"_s, u"long"_s, lines_bytes(notes + notes.mid(0, 40)));
    QByteArray damaged = lines_bytes(notes.mid(0, 5), "\r");
    damaged += "\x85\x40\x82\r\n";
    seed(u"diary_file"_s, u"damaged"_s, damaged);
    seed(u"diary_file"_s, u"nothing"_s, QByteArray());
}

void asset_seeds() {
    const QByteArray cases[][2] = {
        {"empty_list", " 0 \r\n"},
        {"three_assets", " 3 \r\n\x97\x61\x8b\xe0\r\n1500000\r\n2004/03/15\r\n 1 \r\n"
                         "\x8a\x94\r\n300000\r\n2004/03/16\r\n 2 \r\nx\r\nabc\r\n\r\n 3 \r\n"},
        {"memo_number_out_of_range", " 1 \r\nx\r\n1\r\n2004/03/15\r\n 40000 \r\n"},
        {"memo_path_outside", " 1 \r\nx\r\n1\r\n2004/03/15\r\n../x\r\n"},
        {"cut_short", " 2 \r\nx\r\n1\r\n"},
        {"memo_text", "\x8d\xc2\x8e\x59\x82\xcc\x83\x81\x83\x82\r\n2\x8d\x73\x96\xda\r\n"},
        {"memo_lone_cr_and_lf", "a\rb\nc\r\n\x85\x40"},
    };
    for (const auto& c : cases)
        seed(u"asset_files"_s, QString::fromLatin1(c[0]), c[1]);
}

void values_seeds() {
    const char* texts[] = {"1,000",
                           " 5 ",
                           "-2,500",
                           "12.5abc",
                           "1e5",
                           "+3",
                           ".5",
                           "1,2,3",
                           "999999999999999",
                           "1000000000000000",
                           "",
                           "-",
                           "0.0005",
                           "2.675",
                           "-0.4",
                           "1,000.50",
                           "0x10",
                           "\xef\xbc\x91", // full-width 1
                           "99999999999999999999999"};
    int n = 0;
    for (const char* t : texts)
        seed(u"values"_s, u"text%1"_s.arg(n++, 2, 10, QLatin1Char('0')), QByteArray(t));
    seed(u"values"_s, u"digits_308"_s, QByteArray(308, '9'));
}

void recurring_seeds() {
    using R = RecurringTemplate::Repeat;
    RecurringTemplates file;
    file.templates = {
        {R::Monthly, 1, 0, 1, 25, 8, u"80,000"_s, u"家賃"_s, 1},
        {R::Monthly, 1, 0, 1, RecurringTemplate::kMonthEnd, 2, u"250,000"_s, u"給料"_s, 1},
        {R::EveryNMonths, 3, 2004, 11, 31, 24, u"-5,000"_s, u"積立"_s, 2},
        {R::Yearly, 1, 0, 5, 20, 7, u"36,000"_s, u"自動車税"_s, 0},
    };
    seed(u"recurring_file"_s, u"four_templates"_s, lines_bytes(recurring_lines(file)));
    file.kept = {u"毎月\t\t32\t8\t1\t日がない\t0"_s, u"メモ"_s};
    QByteArray damaged = lines_bytes(recurring_lines(file));
    damaged += "\x96\x88\x8c\x8e\t\t1\t8\t1\t\xff\xfe\t0\r\n"; // undecodable description
    seed(u"recurring_file"_s, u"damaged_lines"_s, damaged);
    seed(u"recurring_file"_s, u"lone_cr_no_end"_s,
         lines_bytes(recurring_lines(file).mid(0, 2), "\r").chopped(1));
    seed(u"recurring_file"_s, u"nothing"_s, QByteArray());
}

// Statements as banks and card companies write them, in each encoding.
void statement_seeds() {
    const QStringList card{u"カード名称,ぽるるカード"_s,
                           u"ご利用期間,2004/02/16～2004/03/15"_s,
                           u"ご利用日,ご利用店名,ご利用金額,支払区分"_s,
                           u"2004/02/20,スーパー,\"3,240\",1回"_s,
                           u"04/03/02,\"カフェ\r\n青空\",△450,1回"_s,
                           u"3/05,a,1.5,1回"_s,
                           u"合計,,\"3,690\","_s};
    const QString bank = u"取引日\t摘要\t出金\t入金\t残高\r\nR6.3.1\t家賃\t80000\t\t1\r\n"
                         "平成31年4月30日\t給与\t\t300000\t2\r\nH31.5.1\tx\t1\t2\t3\r\n"_s;
    const QString plain =
        u"A;B;C\n2004-03-01;\"x;\"\"y\"\"\";(1,234)\n20040302;z;￥１，０００円\n"_s;
    seed(u"statement_reader"_s, u"card_cp932"_s, lines_bytes(card));
    seed(u"statement_reader"_s, u"card_utf8_bom"_s, "\xEF\xBB\xBF" + card.join(u"\r\n"_s).toUtf8());
    QByteArray utf16("\xFF\xFE");
    const QString bank_text = bank;
    utf16.append(reinterpret_cast<const char*>(bank_text.utf16()), bank_text.size() * 2);
    seed(u"statement_reader"_s, u"bank_utf16"_s, utf16);
    seed(u"statement_reader"_s, u"semicolon_utf8"_s, plain.toUtf8());
    seed(u"statement_reader"_s, u"undecodable"_s, QByteArray("\x82\xA0,\xFF\xFD\r\n"));
}

void rules_seeds() {
    const QStringList lines{u"ルール\tアマゾン\t12\t"_s,
                            u"ルール\tＥＴＣ\t19\t3"_s,
                            u"形式\t0123456789abcdef\t1\t3\t\t5\t6\t2\t1"_s,
                            u"形式\tfedcba9876543210\t\t\t\t\t\t0\t0"_s,
                            u"ルール\tこわれた\t31\t"_s,
                            u"メモ"_s};
    seed(u"category_rules_file"_s, u"rules"_s, lines_bytes(lines));
    seed(u"category_rules_file"_s, u"undecodable"_s,
         lines_bytes(lines.mid(0, 2)) + QByteArray("\x85\x40\t1\r\n\x81"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus FOLDER\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    month_seeds(u"month_file"_s);
    month_seeds(u"other_month"_s);
    settings_seeds();
    window_seeds();
    diary_seeds();
    values_seeds();
    asset_seeds();
    recurring_seeds();
    statement_seeds();
    rules_seeds();
    std::printf("%d seeds written to %s\n", g_written, qPrintable(g_out));
    return 0;
}
