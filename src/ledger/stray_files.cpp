#include "ledger/stray_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kanvelo {

bool is_stray_temporary_name(const QString& name) {
    // The program's files (with the number a second backup copy of a day
    // gets), then the six characters the save adds.
    static const QRegularExpression pattern(
        u"^(kanvelo2?\\.ini|~\\d{6}\\.dat|~\\d{6}\\.dat\\.damaged\\d*|~\\d{6}\\.tab|"
        "日記\\d{4}\\.dat|total\\.csv|TOTAL\\.CSV|sisan\\.dat|m\\d{7}\\.txt)(\\.\\d{1,4})?"
        "\\.[A-Za-z0-9]{6}$"_s);
    return pattern.match(name).hasMatch();
}

QStringList remove_stray_temporaries(const QString& folder, const QDateTime& older_than) {
    QStringList removed;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& f : files) {
        if (!is_stray_temporary_name(f.fileName()) || f.lastModified() >= older_than)
            continue;
        if (QFile::remove(f.absoluteFilePath()))
            removed << f.fileName();
    }
    return removed;
}

} // namespace kanvelo
