#include "ledger/file_error.h"

#include <QFileInfo>

namespace kanvelo {

QString FileError::file_name() const {
    return QFileInfo(path).fileName();
}

QString FileError::message() const {
    QString s = file_name();
    if (line > 0)
        s += QStringLiteral(" %1行目").arg(line);
    if (!detail.isEmpty())
        s += QStringLiteral("：") + detail;
    return s;
}

} // namespace kanvelo
