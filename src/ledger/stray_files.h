#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kanvelo {

// A save writes a temporary file beside the one it replaces and renames it
// over that file at the end. A save cut short by a crash or a power cut can
// leave the temporary file behind ("~200403.dat.Ab12Cd"). This removes, in
// `folder`, the temporary files of the program's own files that are older
// than `older_than` (the start of this run: no save of ours can be writing
// them), and nothing else. Returns the names removed.
QStringList remove_stray_temporaries(const QString& folder, const QDateTime& older_than);

// Whether a file name is one of the program's own temporary files.
bool is_stray_temporary_name(const QString& name);

} // namespace kanvelo
