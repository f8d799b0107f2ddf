#include "ledger/other_month.h"

#include "ledger/guards.h"
#include "ledger/line_cursor.h"
#include "ledger/line_file.h"
#include "ledger/values.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

bool entries_damaged(const OtherMonth& m) {
    if (m.errors.size() > m.undecodable || m.syusi.size() > std::size_t(kSyusiLimit))
        return true;
    return std::any_of(m.syusi.begin(), m.syusi.end(), [](const SyusiRec& s) {
        return !himoku_slot(s.himoku_no) || !amount_value(s.kingaku) || !saifu_slot(s.saifu_no);
    });
}

OtherMonth read_other_month(const QString& path) {
    OtherMonth m;
    LineFile file = read_line_file(path);
    if (file.missing) {
        m.missing = true;
        return m;
    }
    m.errors = file.errors;
    if (file.unreadable)
        return m;
    if (file.lines.isEmpty()) {
        m.errors.push_back({path, 1, u"ファイルが空です"_s});
        return m;
    }
    m.undecodable = file.errors.size();
    m.headerless = !file.lines.first().startsWith(u'@');
    LineCursor in(file, path, m.headerless ? 0 : 1);
    for (HimokuRec& h : m.himoku) {
        for (QString* f : {&h.no, &h.name, &h.yosan_kingaku, &h.kubun, &h.yosan_comment}) {
            auto v = in.next(m.errors);
            if (!v)
                return m;
            *f = *v;
        }
    }
    int fields = 4;
    if (!m.headerless) {
        fields = 5;
        auto v = header_version(file.lines.first());
        if (!v)
            m.errors.push_back({path, 1, u"版数が読めません"_s});
        in.skip(2 * ((v && *v < 2.4) ? 10 : kSaifuCount));
    }
    m.first_entry_line = in.line_no();
    while (!in.at_end()) {
        SyusiRec s;
        QString* f[] = {&s.hiduke, &s.himoku_no, &s.kingaku, &s.tekiyo, &s.saifu_no};
        int got = 0;
        for (; got < fields && !in.at_end(); ++got)
            *f[got] = *in.next(m.errors);
        if (got < fields) {
            m.errors.push_back(
                {path, in.line_no(), u"ファイルが収支データの途中で終わっています"_s});
            if (got < 3)
                break;
        }
        if (fields == 4 || s.saifu_no.isEmpty())
            s.saifu_no = number_form(0);
        m.syusi.push_back(s);
    }
    return m;
}

YearMonth previous_month(const QString& nen, const QString& tuki) {
    // A damaged month gives 0 rather than an out-of-range cast.
    const int y = whole_number_in(nen, 0, 9999).value_or(0);
    const int mo = whole_number_in(tuki, 0, 99).value_or(0);
    if (mo == 1)
        return {format_number(y - 1, u"0000"_s), u"12"_s};
    return {nen, format_number(mo - 1, u"00"_s)};
}

} // namespace kanvelo

namespace kanvelo {

CarryOver carry_over_balance(const Ledger& l, int wallet) {
    CarryOver r;
    const YearMonth prev = previous_month(l.nen, l.tuki);
    r.path = l.path(u'~' + prev.nen + prev.tuki + u".dat"_s);
    OtherMonth m = read_other_month(r.path);
    if (m.missing) {
        r.status = CarryOver::Status::Missing;
        return r;
    }
    if (m.headerless) {
        r.status = CarryOver::Status::OldFormat;
        return r;
    }
    r.errors = m.errors;
    for (const SyusiRec& s : m.syusi) {
        const auto w = saifu_slot(s.saifu_no);
        if (!w) {
            r.errors.push_back(
                {r.path, 0, u"財布の番号「%1」が正しくありません"_s.arg(s.saifu_no)});
            continue;
        }
        if (*w != wallet)
            continue;
        const auto c = himoku_slot(s.himoku_no);
        const auto k = amount_value(s.kingaku);
        if (!c || !k) {
            r.errors.push_back({r.path, 0,
                                u"収支データ「%1 %2 %3」が正しくありません"_s.arg(
                                    s.hiduke, s.himoku_no, s.kingaku)});
            continue;
        }
        const HimokuRec& h = m.himoku[*c];
        if (h.is_income() || to_number(h.no) == kTransferHimoku)
            r.zankin += *k;
        else
            r.zankin -= *k;
    }
    if (!r.errors.empty())
        r.status = CarryOver::Status::Damaged;
    return r;
}

} // namespace kanvelo
