#include "backup/backup_rules.h"

#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/other_month.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

CopySummary summarize_month_copy(const QString& path) {
    CopySummary s;
    const OtherMonth m = read_other_month(path);
    s.missing = m.missing;
    s.problems = m.errors;
    s.kensu = int(m.syusi.size());
    for (const SyusiRec& e : m.syusi) {
        const auto c = himoku_slot(e.himoku_no);
        const auto k = amount_value(e.kingaku);
        if (!c || !k) {
            s.problems.push_back({path, 0,
                                  u"収支データ「%1 %2 %3」が正しくありません"_s.arg(
                                      e.hiduke, e.himoku_no, e.kingaku)});
            continue;
        }
        if (*c == kTransferHimoku - 1)
            continue;
        (m.himoku[*c].is_income() ? s.syunyu : s.sisyutu) += *k;
    }
    return s;
}

QString copy_day_text(const BackupCopy& copy) {
    static const char16_t* const kWeekdays[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    return copy.day.toString(u"yyyy/MM/dd"_s) + u"（"_s +
           QString::fromUtf16(kWeekdays[copy.day.dayOfWeek() % 7]) + u"）"_s;
}

QString copy_time_text(const BackupCopy& copy) {
    return copy.written.isValid() ? copy.written.toString(u"HH:mm"_s) : QString();
}

QString copy_kind_text(const BackupCopy& copy) {
    return copy.number == 1 ? u"その日最初の保存の前"_s : u"バックアップから戻す前"_s;
}

} // namespace kanvelo
