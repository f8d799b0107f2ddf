#include "backup/backup_rules.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

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
