#include "ledger/backup.h"

#include "ledger/asset_file.h"
#include "ledger/clock.h"
#include "ledger/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

std::function<void(const FileError&)> g_reporter;
bool g_reported = false;

const QString kDayPattern = u"yyyy-MM-dd"_s;

// The folder part of a path, ending with '/', and the name after it.
QString folder_of(const QString& path) {
    return path.left(path.lastIndexOf(u'/') + 1);
}
QString name_of(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

bool is_day_name(const QString& name) {
    const QDate day = QDate::fromString(name, kDayPattern);
    return day.isValid() && day.toString(kDayPattern) == name;
}

bool is_kept_name(const QString& name) {
    static const QRegularExpression pattern(
        u"^(kanvelo2?\\.ini|~\\d{6}\\.dat|日記\\d{4}\\.dat|定期収支\\.txt|自動分類\\.txt)$"_s);
    return pattern.match(name).hasMatch();
}

WriteResult make_day_folder(const QString& data_folder, const QDate& day) {
    const QString root = data_folder + kBackupFolder;
    for (const QString& f : {root, root + u'/' + day.toString(kDayPattern)}) {
        if (const int err = make_folder_synced(f))
            return FileError{f, 0, write_failure_reason(err)};
    }
    return std::nullopt;
}

bool taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// "<name>", "<name>.2", ...: the first that no copy holds yet.
QString free_copy_path(const QString& base) {
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? base : base + u'.' + QString::number(n);
        if (!taken(candidate))
            return candidate;
    }
}

// 1 for the name itself, n for "<name>.n" (n >= 2), 0 for anything else.
int copy_number(const QString& entry, const QString& name) {
    if (entry == name)
        return 1;
    if (!entry.startsWith(name + u'.'))
        return 0;
    const QString digits = entry.mid(name.size() + 1);
    static const QRegularExpression number(u"^[1-9]\\d{0,8}$"_s);
    if (!number.match(digits).hasMatch())
        return 0;
    const int n = digits.toInt();
    return n >= 2 ? n : 0;
}

// A name this program gives a copy: a kept file's own name, or "<name>.n".
bool is_copy_name(const QString& entry) {
    const auto is_own = [](const QString& name) {
        return is_kept_name(name) || name == kAssetListFile;
    };
    if (is_own(entry))
        return true;
    const qsizetype dot = entry.lastIndexOf(u'.');
    return dot > 0 && is_own(entry.left(dot)) && copy_number(entry, entry.left(dot)) >= 2;
}

// Empties one day folder of the copies in it, then removes the folder if
// nothing else is left. Links are never followed: a linked day folder, or a
// link or anything else the program did not write, stays where it is.
void remove_day(const QString& folder) {
    if (QFileInfo(folder).isSymLink())
        return;
    const QDir dir(folder);
    for (const QFileInfo& f :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (!f.isSymLink() && f.isFile() && is_copy_name(f.fileName()))
            QFile::remove(f.filePath());
    }
    dir.rmdir(folder);
}

// Removes the oldest days beyond kBackupDays; today's, just written, stays.
// Only real day folders count: a linked one is not the program's and is
// neither counted nor touched, nor is anything when backup/ itself is a link,
// since everything in it then lies outside the data folder.
void prune(const QString& data_folder, const QDate& today) {
    const QString root = data_folder + kBackupFolder;
    if (QFileInfo(root).isSymLink())
        return;
    QStringList days = backup_days(data_folder);
    days.removeIf([&](const QString& d) { return QFileInfo(root + u'/' + d).isSymLink(); });
    const QString keep = today.toString(kDayPattern);
    qsizetype excess = days.size() - kBackupDays;
    for (const QString& day : days) {
        if (excess <= 0)
            break;
        if (day == keep)
            continue;
        remove_day(root + u'/' + day);
        --excess;
    }
}

// Copies the file at `path` to `copy`, making the day's folder first.
WriteResult keep_copy(const QString& path, const QString& data_folder, const QDate& day,
                      const QString& copy) {
    if (auto failed = make_day_folder(data_folder, day))
        return failed;
    const FileBytes current = read_file_bytes(path);
    if (current.unreadable)
        return FileError{copy, 0, current.unreadable->detail};
    return write_file_bytes_without_backup(copy, current.bytes, copy_mode(path));
}

} // namespace

QString backup_data_folder(const QString& path) {
    const QString folder = folder_of(path);
    if (folder.size() < 2)
        return {};
    const QString name = name_of(path);
    const QString parent = folder_of(folder.chopped(1));
    if (name == kAssetListFile)
        return name_of(folder.chopped(1)) == kAssetFolder ? parent : QString();
    if (!is_kept_name(name))
        return {};
    // A copy in a day folder is never kept again.
    if (is_day_name(name_of(folder.chopped(1))) && parent.size() > 1 &&
        name_of(parent.chopped(1)) == kBackupFolder)
        return {};
    return folder;
}

QString backup_day_folder(const QString& data_folder, const QDate& day) {
    return data_folder + kBackupFolder + u'/' + day.toString(kDayPattern) + u'/';
}

WriteResult keep_backup_before_replacing(const QString& path, QString* made) {
    const QString data_folder = backup_data_folder(path);
    if (data_folder.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    const QDate today = clock_today();
    const QString copy = backup_day_folder(data_folder, today) + name_of(path);
    if (taken(copy))
        return std::nullopt;
    if (auto failed = keep_copy(path, data_folder, today, copy))
        return failed;
    if (made)
        *made = copy;
    prune(data_folder, today);
    return std::nullopt;
}

void set_backup_failure_reporter(std::function<void(const FileError&)> reporter) {
    g_reporter = std::move(reporter);
    g_reported = false;
}

void report_backup_failure(const FileError& error) {
    if (g_reported || !g_reporter)
        return;
    g_reported = true;
    g_reporter(error);
}

QStringList backup_days(const QString& data_folder) {
    QStringList days =
        QDir(data_folder + kBackupFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    days.removeIf([](const QString& d) { return !is_day_name(d); });
    return days;
}

std::vector<BackupCopy> backup_copies(const QString& path) {
    std::vector<BackupCopy> copies;
    const QString data_folder = backup_data_folder(path);
    if (data_folder.isEmpty())
        return copies;
    const QString name = name_of(path);
    QStringList days = backup_days(data_folder);
    std::reverse(days.begin(), days.end());
    for (const QString& d : days) {
        const QDate day = QDate::fromString(d, kDayPattern);
        const QString folder = backup_day_folder(data_folder, day);
        std::vector<BackupCopy> of_day;
        for (const QFileInfo& f :
             QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (const int n = copy_number(f.fileName(), name))
                of_day.push_back({day, n, f.absoluteFilePath(), f.lastModified()});
        }
        std::sort(of_day.begin(), of_day.end(),
                  [](const BackupCopy& a, const BackupCopy& b) { return a.number > b.number; });
        copies.insert(copies.end(), of_day.begin(), of_day.end());
    }
    return copies;
}

WriteResult restore_backup(const BackupCopy& copy, const QString& target) {
    const FileBytes chosen = read_file_bytes(copy.path);
    if (chosen.missing)
        return FileError{copy.path, 0, u"バックアップのファイルが見つかりません"_s};
    if (chosen.unreadable)
        return chosen.unreadable;
    const QString data_folder = backup_data_folder(target);
    if (data_folder.isEmpty())
        return FileError{target, 0, u"このファイルはバックアップから戻せません"_s};
    if (QFileInfo(target).isFile()) {
        const QDate today = clock_today();
        const QString keep =
            free_copy_path(backup_day_folder(data_folder, today) + name_of(target));
        if (auto failed = keep_copy(target, data_folder, today, keep))
            return FileError{failed->path, 0,
                             u"今のファイルをバックアップに残せないので、戻すのをやめました。"_s +
                                 failed->detail};
        prune(data_folder, today);
    }
    return write_file_bytes(target, chosen.bytes);
}

} // namespace kanvelo
