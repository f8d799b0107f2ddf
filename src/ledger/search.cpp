#include "ledger/search.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/other_month.h"
#include "ledger/values.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

struct MonthFile {
    int nen = 0;
    int tuki = 0;
    QString name; // empty for the open month, which is searched in memory
};

// The month files a ledger can open, oldest first.
std::vector<MonthFile> month_files(const QString& folder) {
    static const QRegularExpression kName(u"^~(\\d{4})(\\d{2})\\.dat$"_s);
    std::vector<MonthFile> out;
    const QStringList names =
        QDir(folder).entryList({u"~??????.dat"_s}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        const QRegularExpressionMatch m = kName.match(name);
        if (!m.hasMatch())
            continue;
        const int nen = m.captured(1).toInt();
        const int tuki = m.captured(2).toInt();
        if (nen >= kYearMin && nen <= kYearMax && tuki >= 1 && tuki <= 12)
            out.push_back({nen, tuki, name});
    }
    return out;
}

class Finder {
public:
    Finder(const Ledger& ledger, const SearchQuery& query)
        : ledger_(ledger), query_(query), text_(search_fold(query.text.trimmed())) {}

    // Entries first..first+count-1 of the month, with its own categories.
    void month(int nen, int tuki, const HimokuRec* himoku, const SyusiRec* first, int count,
               bool headerless) {
        std::array<QString, kHimokuCount> folded;
        if (!text_.isEmpty()) {
            for (int c = 0; c < kHimokuCount; ++c)
                folded[c] = search_fold(himoku[c].name);
        }
        for (int i = 0; i < count; ++i) {
            const SyusiRec& s = first[i];
            if (!query_.hiduke_from.isEmpty() && s.hiduke < query_.hiduke_from)
                continue;
            if (!query_.hiduke_to.isEmpty() && s.hiduke > query_.hiduke_to)
                continue;
            const auto k = amount_value(s.kingaku);
            if (!k || (query_.kingaku_from && *k < *query_.kingaku_from) ||
                (query_.kingaku_to && *k > *query_.kingaku_to))
                continue;
            auto c = himoku_slot(s.himoku_no);
            // The oldest layout's transfers load as category 29.
            if (headerless && c == kTransferHimoku - 1)
                c = kTransferHimoku - 2;
            if (!text_.isEmpty() && !search_fold(s.tekiyo).contains(text_) &&
                !(c && folded[*c].contains(text_)))
                continue;
            SearchHit hit{nen, tuki, i + 1, s, *k, c ? himoku[*c].name : QString(), QString()};
            if (headerless && c)
                hit.entry.himoku_no = number_form(*c + 1);
            if (const auto w = saifu_slot(s.saifu_no))
                hit.saifu_name = ledger_.saifu[*w].name;
            result.total += *k;
            result.hits.push_back(std::move(hit));
        }
    }

    SearchResult result;

private:
    const Ledger& ledger_;
    const SearchQuery& query_;
    const QString text_;
};

} // namespace

QString search_fold(const QString& text) {
    // Normalising is slow next to the rest of a search, and most texts need none.
    const bool has_forms = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() == 0x3000 || (c.unicode() >= 0xff00 && c.unicode() <= 0xffef);
    });
    return (has_forms ? text.normalized(QString::NormalizationForm_KC) : text).toCaseFolded();
}

SearchResult search_months(const Ledger& ledger, const SearchQuery& query) {
    std::vector<MonthFile> months = month_files(ledger.app_path);
    const int open_nen = whole_number_in(ledger.nen, kYearMin, kYearMax).value_or(0);
    const int open_tuki = whole_number_in(ledger.tuki, 1, 12).value_or(0);
    // The open month is searched as it stands in memory, never from its file.
    std::erase_if(months,
                  [&](const MonthFile& m) { return m.nen == open_nen && m.tuki == open_tuki; });
    const auto at = std::find_if(months.begin(), months.end(), [&](const MonthFile& m) {
        return m.nen * 100 + m.tuki > open_nen * 100 + open_tuki;
    });
    months.insert(at, MonthFile{open_nen, open_tuki, QString()});

    Finder finder(ledger, query);
    for (const MonthFile& mf : months) {
        if (mf.name.isEmpty()) {
            finder.month(mf.nen, mf.tuki, ledger.himoku.data(), &ledger.syusi[1], ledger.kensu,
                         false);
            continue;
        }
        const OtherMonth m = read_other_month(ledger.app_path + mf.name);
        if (m.missing)
            continue;
        if (entries_damaged(m)) {
            finder.result.skipped << mf.name;
            continue;
        }
        finder.month(mf.nen, mf.tuki, m.himoku.data(), m.syusi.data(), int(m.syusi.size()),
                     m.headerless);
    }
    std::stable_sort(
        finder.result.hits.begin(), finder.result.hits.end(),
        [](const SearchHit& a, const SearchHit& b) { return a.entry.hiduke < b.entry.hiduke; });
    return std::move(finder.result);
}

} // namespace kanvelo
