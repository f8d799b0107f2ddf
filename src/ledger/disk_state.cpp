#include "ledger/disk_state.h"

#include "ledger/line_file.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

QHash<QString, DiskState> g_states;
DiskChangeHandler g_handler;

const QString kSupersededDetail = u"ディスクにある内容を読み込むので、保存しませんでした"_s;

QByteArray hash_of(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

// Size and modification time as they stand; size -1 when nothing is there.
DiskState stat_of(const QString& path) {
    DiskState s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return s;
    s.size = st.st_size;
    s.modified_ns = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    return s;
}

} // namespace

void remember_disk_state(const QString& path, qint64 modified_ns, const QByteArray& bytes) {
    g_states.insert(path, DiskState{bytes.size(), modified_ns, hash_of(bytes)});
}

void remember_written(const QString& path, const QByteArray& bytes) {
    DiskState s = stat_of(path);
    s.hash = hash_of(bytes);
    g_states.insert(path, s);
}

std::optional<DiskState> remembered_disk_state(const QString& path) {
    const auto it = g_states.constFind(path);
    if (it == g_states.constEnd())
        return std::nullopt;
    return *it;
}

void forget_disk_states() {
    g_states.clear();
}

bool changed_on_disk(const QString& path) {
    const auto it = g_states.constFind(path);
    if (it == g_states.constEnd())
        return false;
    const DiskState now = stat_of(path);
    if (now.size < 0)
        return false;
    if (now.size == it->size && now.modified_ns == it->modified_ns)
        return false;
    const FileBytes current = read_file_bytes(path);
    if (current.missing || current.unreadable)
        return !current.missing;
    return hash_of(current.bytes) != it->hash;
}

QString conflict_copy_path(const QString& path, const QDateTime& at) {
    const QString base = path + u".conflict-"_s + at.toString(u"yyyyMMdd-hhmmss"_s);
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? base : base + u'-' + QString::number(n);
        if (!file_exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

void set_disk_change_handler(DiskChangeHandler handler) {
    g_handler = std::move(handler);
}

WriteResult guard_disk_change(const QString& path) {
    if (!changed_on_disk(path))
        return std::nullopt;
    const FileBytes other = read_file_bytes(path);
    if (other.unreadable)
        return FileError{path, 0, other.unreadable->detail};
    const QString kept = conflict_copy_path(path, QDateTime::currentDateTime());
    if (auto failed = write_file_bytes_without_backup(kept, other.bytes, copy_mode(path)))
        return FileError{path, 0,
                         u"ほかで書き換えられた内容を「%1」として残せなかったので、"
                         "保存をやめました。%2"_s.arg(QFileInfo(kept).fileName(), failed->detail)};
    // From here the version on the disk is safe in its copy: whatever the
    // answer, the save does not ask again about it.
    remember_disk_state(path, other.modified_ns, other.bytes);
    if (g_handler && g_handler(path, kept) == DiskChoice::LoadDisk)
        return FileError{path, 0, kSupersededDetail};
    return std::nullopt;
}

bool is_superseded(const FileError& error) {
    return error.detail == kSupersededDetail;
}

} // namespace kanvelo
