#include "ledger/sync_conflicts.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kanvelo {

bool is_sync_conflict_copy(const QString& name, const QString& original) {
    const qsizetype dot = original.lastIndexOf(u'.');
    // Most names of a folder are nothing of the kind: no pattern is built for them.
    if (!name.startsWith(dot > 0 ? original.left(dot) : original) ||
        !name.contains(u"conflict"_s) || (dot > 0 && !name.endsWith(original.mid(dot))))
        return false;
    const QString stem = QRegularExpression::escape(dot > 0 ? original.left(dot) : original);
    const QString ext = dot > 0 ? QRegularExpression::escape(original.mid(dot)) : QString();
    const QString date = u"\\d{4}-\\d{2}-\\d{2}"_s;
    const QString tools[] = {
        u"\\.sync-conflict-\\d{8}-\\d{6}-[A-Z0-9]{7}"_s,
        u" \\(conflicted copy (.+ )?"_s + date + u" \\d{6}\\)"_s,
        u" \\(.+['’]s conflicted copy "_s + date + u"( \\(\\d+\\))?\\)"_s,
    };
    for (const QString& tool : tools) {
        const QRegularExpression pattern(u'^' + stem + tool + ext + u'$');
        if (pattern.match(name).hasMatch())
            return true;
    }
    return false;
}

QStringList sync_conflict_copies(const QString& folder, const QStringList& originals) {
    QStringList found;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        for (const QString& original : originals) {
            if (is_sync_conflict_copy(name, original)) {
                found.append(name);
                break;
            }
        }
    }
    return found;
}

} // namespace kanvelo
