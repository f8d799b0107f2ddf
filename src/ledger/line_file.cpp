#include "ledger/line_file.h"

#include "ledger/backup.h"
#include "ledger/cp932.h"
#include "ledger/disk_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {


int g_fail_countdown = 0;
int g_fail_errno = EIO;
MemoryFiles* g_memory = nullptr;
// While a backup copy is made, its reads and writes are not among the
// operations a test counts: the test means the save.
bool g_seams_paused = false;

// True when the operation should fail because a test asked for it; errno is
// then the error the test chose.
bool injected_failure() {
    if (g_seams_paused || g_fail_countdown <= 0 || --g_fail_countdown != 0)
        return false;
    errno = g_fail_errno;
    return true;
}

QString g_private_folder;
QString g_refused_folder;
QString g_refused_why;

// Whether `path` lies inside `folder` (a folder path, with or without the
// final '/').
bool is_under(const QString& path, const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    return path.startsWith(prefix);
}

int g_read_fail_countdown = 0;
int g_read_fail_errno = EIO;

bool injected_read_failure() {
    if (g_seams_paused || g_read_fail_countdown <= 0 || --g_read_fail_countdown != 0)
        return false;
    errno = g_read_fail_errno;
    return true;
}

QString describe_value(const QString& line) {
    constexpr int kMax = 30;
    return line.size() > kMax ? line.left(kMax) + u"…"_s : line;
}

} // namespace

void use_memory_files_for_tests(MemoryFiles* files) {
    g_memory = files;
}

bool file_exists(const QString& path) {
    if (g_memory)
        return g_memory->contains(path);
    return QFileInfo::exists(path);
}

void fail_file_operation_for_tests(int nth, int err) {
    g_fail_countdown = nth;
    g_fail_errno = err;
}

void fail_file_read_for_tests(int nth, int err) {
    g_read_fail_countdown = nth;
    g_read_fail_errno = err;
}

namespace {

QString read_failure_reason(const QString& path, int err) {
    QString why;
    if (QFileInfo(path).isDir())
        why = u"（同じ名前のフォルダがあります）"_s;
    else if (err == EACCES || err == EPERM)
        why = u"（読み込みの許可がありません）"_s;
    else if (err == EIO)
        why = u"（ディスクの読み込みに失敗しました）"_s;
    else if (err != 0)
        why = u"（エラー番号 %1）"_s.arg(err);
    return u"ファイルはありますが読み込めません"_s + why;
}

} // namespace

FileBytes read_file_bytes(const QString& path) {
    FileBytes result;
    if (g_memory) {
        const auto it = g_memory->constFind(path);
        result.missing = it == g_memory->constEnd();
        if (!result.missing)
            result.bytes = *it;
        return result;
    }
    QFile f(path);
    errno = 0;
    if (injected_read_failure() || !f.open(QIODevice::ReadOnly)) {
        const int err = errno;
        const QFileInfo info(path);
        // Only a file that is not there may be created anew; anything standing
        // at its name (a folder, a file without permission) must be kept.
        if (!info.exists() && !info.isSymLink())
            result.missing = true;
        else
            result.unreadable = FileError{path, 0, read_failure_reason(path, err)};
        return result;
    }
    struct stat st {};
    if (::fstat(f.handle(), &st) == 0)
        result.modified_ns = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    errno = 0;
    result.bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        result.unreadable = FileError{path, 0, read_failure_reason(path, errno)};
        result.bytes.clear();
    }
    return result;
}

QList<QByteArray> split_lines(const QByteArray& bytes) {
    QList<QByteArray> out;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes.at(i) != '\r')
            continue;
        out.append(bytes.mid(start, i - start));
        if (i + 1 < n && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        out.append(bytes.mid(start));
    return out;
}

namespace {

QStringList split_text_lines(const QString& text) {
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) != u'\r')
            continue;
        out.append(text.mid(start, i - start));
        if (i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        out.append(text.mid(start));
    return out;
}

} // namespace

namespace {

// A lone LF does not end a line, so it stands inside a value; a save would
// refuse the value as holding a line break. It is kept as the marker of its
// byte instead, so the file saves as it was, and reported like other damage.
void keep_line_feeds(LineFile& file, const QString& path) {
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        QString& line = file.lines[i];
        if (!line.contains(u'\n'))
            continue;
        line.replace(u'\n', QChar(char16_t(kByteMarkerBase + '\n')));
        file.errors.push_back({path, int(i + 1), u"行の途中に改行の文字（LF）があります"_s});
    }
}

} // namespace

LineFile read_line_file(const QString& path, Watch watch) {
    LineFile result;
    FileBytes file = read_file_bytes(path);
    if (file.missing || file.unreadable) {
        result.missing = file.missing;
        result.unreadable = file.unreadable.has_value();
        if (file.unreadable)
            result.errors.push_back(*file.unreadable);
        return result;
    }
    if (watch == Watch::Yes && !g_memory)
        remember_disk_state(path, file.modified_ns, file.bytes);
    const QByteArray& bytes = file.bytes;
    // CR and LF never occur inside a double-byte character, so a clean file
    // is decoded at once and split afterwards; only a file with bytes that do
    // not round-trip is decoded line by line.
    if (auto text = decode_cp932_exact(bytes)) {
        result.lines = split_text_lines(*text);
        keep_line_feeds(result, path);
        return result;
    }
    const QList<QByteArray> raw = split_lines(bytes);
    result.lines.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        bool clean = true;
        result.lines.append(decode_cp932(raw.at(i), &clean));
        if (!clean)
            result.errors.push_back({path, int(i + 1), u"Shift_JISとして読めない文字があります"_s});
    }
    keep_line_feeds(result, path);
    return result;
}

namespace {

// The rename that replaced the file is on the disk only once its folder is.
// A failure here does not undo the save, so it is not reported.
void sync_folder_itself(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void sync_folder(const QString& path) {
    if (injected_failure())
        return;
    sync_folder_itself(QFileInfo(path).absolutePath());
}

mode_t posix_mode(QFile::Permissions p) {
    const std::pair<QFile::Permission, mode_t> bits[] = {
        {QFile::ReadOwner, S_IRUSR}, {QFile::WriteOwner, S_IWUSR}, {QFile::ExeOwner, S_IXUSR},
        {QFile::ReadGroup, S_IRGRP}, {QFile::WriteGroup, S_IWGRP}, {QFile::ExeGroup, S_IXGRP},
        {QFile::ReadOther, S_IROTH}, {QFile::WriteOther, S_IWOTH}, {QFile::ExeOther, S_IXOTH},
    };
    mode_t mode = 0;
    for (const auto& [flag, bit] : bits)
        if (p.testFlag(flag))
            mode |= bit;
    return mode;
}

bool is_full_disk(int err) {
    return err == ENOSPC || err == EDQUOT;
}

// The atomic replace; `err` receives the errno of a failure.
WriteResult replace_file(const QString& path, const QByteArray& bytes,
                         std::optional<QFile::Permissions> new_mode, int* err) {
    *err = 0;
    if (is_under(path, g_refused_folder))
        return FileError{path, 0, g_refused_why};
    if (g_memory) {
        g_memory->insert(path, bytes);
        return std::nullopt;
    }
    const bool is_new = !QFileInfo::exists(path);
    if (is_new && !new_mode && is_under(path, g_private_folder))
        new_mode = QFile::ReadOwner | QFile::WriteOwner;
    QSaveFile f(path);
    // errno is taken before cancelWriting(), whose own calls may change it.
    auto fail = [&](int e) -> WriteResult {
        if (e == 0 && QFileInfo(path).isDir())
            e = EISDIR;
        *err = e;
        f.cancelWriting();
        return FileError{path, 0, write_failure_reason(e)};
    };
    errno = 0;
    if (injected_failure() || !f.open(QIODevice::WriteOnly))
        return fail(errno);
    // QSaveFile gives a new file the umask's mode; the temporary file takes
    // the private one before a byte is in it.
    if (is_new && new_mode)
        ::fchmod(f.handle(), posix_mode(*new_mode));
    errno = 0;
    if (injected_failure() || f.write(bytes) != bytes.size())
        return fail(errno);
    // QSaveFile::commit() can report success on a full disk; check the flush.
    errno = 0;
    if (injected_failure() || !f.flush() || f.error() != QFileDevice::NoError)
        return fail(errno);
    // commit() syncs too but ignores a failure, and a full disk or a bad
    // sector may show only here: the old file must stay then.
    errno = 0;
    if (injected_failure() || ::fsync(f.handle()) != 0)
        return fail(errno);
    errno = 0;
    if (injected_failure() || !f.commit())
        return fail(errno);
    sync_folder(path);
    return std::nullopt;
}

// Removes a backup copy made for a save that the disk could not then hold,
// and its day folder when the copy was all it held.
void drop_copy(const QString& copy) {
    QFile::remove(copy);
    const QString day = QFileInfo(copy).absolutePath();
    if (QDir(day).isEmpty())
        QDir().rmdir(day);
}

} // namespace

void set_private_folder(const QString& folder) {
    g_private_folder = folder;
}

void refuse_writes_under(const QString& folder, const QString& why) {
    g_refused_folder = folder;
    g_refused_why = why;
}

QFile::Permissions copy_mode(const QString& original) {
    const QFile::Permissions mode = QFileInfo(original).permissions();
    return mode & (QFile::ReadOwner | QFile::WriteOwner);
}

int make_folder_synced(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return 0;
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0)
        return errno == EEXIST ? ENOTDIR : errno;
    QString parent = folder;
    while (parent.endsWith(u'/') && parent.size() > 1)
        parent.chop(1);
    sync_folder_itself(QFileInfo(parent).absolutePath());
    return 0;
}

int make_path_synced(const QString& folder) {
    const QString absolute = QDir(folder).absolutePath();
    const QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    QString path;
    for (const QString& part : parts) {
        path += u'/' + part;
        if (const int err = make_folder_synced(path))
            return err;
    }
    return 0;
}

WriteResult write_file_bytes(const QString& path, const QByteArray& bytes) {
    if (is_under(path, g_refused_folder))
        return FileError{path, 0, g_refused_why};
    // Files in memory are the fuzzers' and the tests': thousands of saves a
    // second that no one will restore or change behind the program's back.
    if (g_memory)
        return write_file_bytes_without_backup(path, bytes);
    const bool watched = !backup_data_folder(path).isEmpty();
    if (watched) {
        g_seams_paused = true;
        WriteResult stop = guard_disk_change(path);
        g_seams_paused = false;
        if (stop)
            return stop;
    }
    QString copy;
    g_seams_paused = true;
    WriteResult not_kept = keep_backup_before_replacing(path, &copy);
    g_seams_paused = false;
    int err = 0;
    WriteResult saved = replace_file(path, bytes, std::nullopt, &err);
    // The day's copy may be what filled the disk: the save matters more.
    if (saved && is_full_disk(err) && !copy.isEmpty()) {
        drop_copy(copy);
        saved = replace_file(path, bytes, std::nullopt, &err);
        if (!saved)
            not_kept = FileError{copy, 0,
                                 u"ディスクに、バックアップと新しい内容の両方を置く空きがないので、"
                                 "バックアップを残さずに保存しました。"_s};
    }
    if (!saved && watched)
        remember_written(path, bytes);
    // A save that failed has its own message; the backup is tried again with
    // the next save.
    if (not_kept && !saved)
        report_backup_failure(*not_kept);
    return saved;
}

WriteResult write_file_bytes_without_backup(const QString& path, const QByteArray& bytes,
                                            std::optional<QFile::Permissions> new_mode) {
    int err = 0;
    return replace_file(path, bytes, new_mode, &err);
}

WriteResult write_line_file(const QString& path, const QStringList& lines) {
    // A line break inside a value would split it on the next read and shift
    // every later line of the file.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (!line.contains(u'\r') && !line.contains(u'\n'))
            continue;
        QString shown = line;
        shown.replace(u'\r', u' ').replace(u'\n', u' ');
        return FileError{
            path, int(i + 1),
            u"「%1」に改行が入っているので保存できません"_s.arg(describe_value(shown))};
    }
    QString text;
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
    auto encoded = encode_cp932(text);
    if (!encoded) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QString bad = first_unstorable(lines.at(i));
            if (bad.isEmpty())
                continue;
            return FileError{path, int(i + 1),
                             u"「%1」の「%2」はこのファイルに保存できない文字です"_s.arg(
                                 describe_value(lines.at(i)), bad)};
        }
        return FileError{path, 0, u"保存できない文字があります"_s};
    }
    return write_file_bytes(path, *encoded);
}

} // namespace kanvelo
