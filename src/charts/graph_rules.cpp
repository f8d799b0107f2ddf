#include "charts/graph_rules.h"

#include "ledger/month_file.h"
#include "ledger/month_totals.h"
#include "ledger/other_month.h"
#include "ledger/values.h"

#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kAmount = u"#,##0"_s;

MonthFigures month_from_file(const Ledger& ledger, const YearMonth& ym) {
    MonthFigures m{ym.nen, ym.tuki, MonthFigures::Status::Read, {}, 0, 0};
    const QString path = month_file_name(ledger, ym.nen, ym.tuki);
    m.file_name = QFileInfo(path).fileName();
    const MonthTotals totals = read_month_totals(path);
    if (totals.status == MonthTotals::Status::Missing) {
        m.status = MonthFigures::Status::Missing;
    } else if (totals.incomplete()) {
        // Totals with lines left out would draw a month that never was.
        m.status = MonthFigures::Status::Damaged;
    } else {
        m.syunyu = totals.syunyu_jisseki;
        m.sisyutu = totals.sisyutu_jisseki;
    }
    return m;
}

} // namespace

std::vector<ExpenseSlice> expense_by_category(const Ledger& ledger) {
    std::vector<ExpenseSlice> out;
    for (int c = 0; c < kTransferHimoku - 1; ++c) {
        const HimokuRec& h = ledger.himoku[c];
        if (h.is_income() || h.jisseki == 0)
            continue;
        const double share =
            ledger.sisyutu_goukei == 0 ? 0 : 100 * h.jisseki / ledger.sisyutu_goukei;
        out.push_back({c + 1, h.name, h.jisseki, share});
    }
    std::stable_sort(out.begin(), out.end(), [](const ExpenseSlice& a, const ExpenseSlice& b) {
        return a.kingaku > b.kingaku;
    });
    return out;
}

std::vector<MonthFigures> twelve_months(const Ledger& ledger) {
    std::vector<MonthFigures> months(kGraphMonths);
    YearMonth ym{ledger.nen, ledger.tuki};
    months.back() = {ym.nen,
                     ym.tuki,
                     MonthFigures::Status::Open,
                     QFileInfo(ledger.month_file_path()).fileName(),
                     ledger.syunyu_goukei,
                     ledger.sisyutu_goukei};
    for (int i = kGraphMonths - 2; i >= 0; --i) {
        ym = previous_month(ym.nen, ym.tuki);
        months[i] = month_from_file(ledger, ym);
    }
    return months;
}

QStringList unreadable_files(const std::vector<MonthFigures>& months) {
    QStringList out;
    for (const MonthFigures& m : months)
        if (m.status == MonthFigures::Status::Damaged)
            out << m.file_name;
    return out;
}

QString month_caption(const MonthFigures& month) {
    return month.nen + u'/' + month.tuki;
}

QStringList expense_row(const ExpenseSlice& slice) {
    return {slice.name, format_number(slice.kingaku, kAmount),
            format_number(slice.share, u"#,##0.0"_s) + u'%'};
}

QStringList month_row(const MonthFigures& month) {
    switch (month.status) {
    case MonthFigures::Status::Missing:
        return {month_caption(month), u"ファイルなし"_s, QString(), QString()};
    case MonthFigures::Status::Damaged:
        return {month_caption(month), u"読めません"_s, QString(), QString()};
    case MonthFigures::Status::Open:
    case MonthFigures::Status::Read:
        break;
    }
    return {month_caption(month), format_number(month.syunyu, kAmount),
            format_number(month.sisyutu, kAmount), format_number(month.sagaku(), kAmount)};
}

} // namespace kanvelo
