// A card statement of 10,000 rows over twelve months (CP932): read, matched
// against 500 rules and shown in the preview window, drawn offscreen; and the
// reading alone. The data folder holds the twelve months' files of 300
// entries each, which the already-imported check reads.
#include "common/month_edits.h"
#include "import/torikomi_form.h"
#include "ledger/category_rules_file.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "ledger/statement_reader.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;

namespace {

const QString kShops[] = {u"スーパーまるや"_s, u"ｺﾝﾋﾞﾆ ﾌｧﾐﾘｰ"_s,   u"AMAZON.CO.JP"_s,
                          u"東京電力"_s,       u"カフェ青空"_s,    u"ＥＴＣ利用"_s,
                          u"書店 駅前店"_s,    u"ドラッグストア"_s};

struct Year {
    QTemporaryDir dir;
    Ledger ledger;
    QByteArray statement;
    CategoryRules rules;

    Year() {
        set_default_categories(ledger);
        set_default_wallets(ledger);
        ledger.dat_header = kSignature;
        ledger.app_path = dir.path() + u'/';
        for (int m = 1; m <= 12; ++m) {
            ledger.nen = u"2025"_s;
            ledger.tuki = u"%1"_s.arg(m, 2, 10, QChar(u'0'));
            ledger.kensu = 300;
            for (int i = 1; i <= 300; ++i)
                ledger.syusi[i] = {ledger.nen + ledger.tuki +
                                       u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')),
                                   QString::number(7 + i % 20), QString::number(100 + i * 7),
                                   kShops[i % 8] + QString::number(i), QString::number(i % 15)};
            write_line_file(ledger.month_file_path(), month_file_lines(ledger));
        }
        ledger.recompute();
        QStringList lines{u"カード名称,ぽるるカード"_s, u"ご利用期間,2025/01/01～2025/12/31"_s,
                          u"ご利用日,ご利用店名,ご利用金額,支払区分,備考"_s};
        for (int i = 0; i < 10000; ++i)
            lines << u"2025/%1/%2,%3 %4,\"%5\",1回,"_s.arg(1 + i % 12)
                         .arg(1 + i % 28)
                         .arg(kShops[i % 8])
                         .arg(i % 300)
                         .arg(QString::number(100 + i * 3));
        lines << u"合計,,0,,"_s;
        for (const QString& l : lines)
            statement += *encode_cp932(l) + "\r\n";
        // 500 rules, most of which match nothing, so each row tries many.
        for (int r = 0; r < 497; ++r)
            rules.rules.push_back({u"店名%1"_s.arg(r), 7 + r % 20, -1});
        rules.rules.push_back({u"amazon"_s, 11, -1});
        rules.rules.push_back({u"スーパー"_s, 12, -1});
        rules.rules.push_back({u"コンビニ"_s, 13, -1});
    }
};

void BM_StatementRead(benchmark::State& state) {
    Year year;
    std::size_t rows = 0;
    for (auto _ : state) {
        const Statement s = read_statement(year.statement, QDate(2026, 1, 10));
        rows = s.rows.size();
        benchmark::DoNotOptimize(s);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_StatementRead)->Unit(benchmark::kMillisecond);

// Read, proposals from 500 rules, the check against twelve month files, and
// the preview shown and drawn.
void BM_StatementPreview(benchmark::State& state) {
    Year year;
    for (auto _ : state) {
        MonthEdits edits(year.ledger);
        TorikomiForm form(edits, u"card.csv"_s, year.statement, year.rules, {});
        form.show();
        form.grab();
        benchmark::DoNotOptimize(form.refused());
    }
}
BENCHMARK(BM_StatementPreview)->Unit(benchmark::kMillisecond);

} // namespace
