#include "ledger/diary_file.h"

#include "ledger/line_file.h"

#include <QDate>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kanvelo {

QString diary_file_name(const Ledger& ledger, const QString& year) {
    return ledger.path(u"日記"_s + year + u".dat"_s);
}

ReadReport diary_load(Ledger& l, const QString& year, WriteResult* create_error) {
    ReadReport report;
    const QString path = diary_file_name(l, year);
    if (!file_exists(path)) {
        WriteResult made = write_line_file(path, QStringList(kNikkiSlots, QString()));
        if (create_error)
            *create_error = made;
    }
    LineFile file = read_line_file(path, Watch::Yes);
    l.note_read(path, file.unreadable);
    for (int d = 0; d < kNikkiSlots; ++d)
        l.nikki[d] = d < file.lines.size() ? file.lines.at(d) : QString();
    report.missing = file.missing;
    report.unreadable = file.unreadable;
    report.errors = file.errors;
    if (file.missing || file.unreadable)
        return report;
    if (file.lines.size() < kNikkiSlots)
        report.errors.push_back(
            {path, int(file.lines.size()) + 1, u"ファイルが途中で終わっています"_s});
    return report;
}

WriteResult diary_save(const Ledger& l, const QString& year) {
    if (auto refused = l.refuse_overwrite(diary_file_name(l, year)))
        return refused;
    QStringList lines;
    lines.reserve(kNikkiSlots);
    for (int d = 0; d < kNikkiSlots; ++d) {
        QString note = l.nikki[d];
        note.replace(u'\r', u' ').replace(u'\n', u' ');
        lines << note;
    }
    return write_line_file(diary_file_name(l, year), lines);
}

int diary_day_index(const QDate& date) {
    return date.dayOfYear() - 1;
}

} // namespace kanvelo
