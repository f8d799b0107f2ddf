#include "ledger/line_file.h"

#include "ledger/backup.h"
#include "ledger/disk_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr const char* kCodec = "windows-31j";

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

// Bytes that do not come back from the code page as the same bytes are held
// as one lone low surrogate per byte (U+DC00 + byte), as Python's
// surrogateescape does. Code page 932 decodes to the BMP only and a user
// cannot type a lone surrogate, so the markers are never ambiguous, and the
// writer turns each back into its byte: a damaged file saves unchanged.
constexpr char16_t kMarkerBase = 0xdc00;

bool is_marker_at(const QString& text, qsizetype i) {
    const char16_t c = text.at(i).unicode();
    // Reading never makes a marker of CR, which would split the line. A lone
    // LF inside a line is one (see keep_line_feeds).
    return c >= kMarkerBase && c <= kMarkerBase + 0xff && c != kMarkerBase + '\r' &&
           (i == 0 || !text.at(i - 1).isHighSurrogate());
}

// The Shift_JIS structure: a lead byte and a trail byte form one character.
bool is_lead(uchar b) {
    return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}
bool is_trail(uchar b) {
    return b >= 0x40 && b <= 0xfc && b != 0x7f;
}

// A pair of converters with the checks every use needs.
class Cp932 {
public:
    // The bytes as text when they decode without error and encode back to the
    // same bytes; nullopt otherwise.
    std::optional<QString> exact(QByteArrayView bytes) {
        QString text = dec_.decode(bytes);
        if (failed(dec_) || has_replacement(text))
            return std::nullopt;
        const QByteArray back = enc_.encode(text);
        if (failed(enc_) || back != bytes)
            return std::nullopt;
        return text;
    }

    // A two-byte code of a character the code page holds twice (the IBM and
    // NEC rows): it reads as that character, which is written back in the
    // form Windows writes, as every Unicode program must.
    std::optional<QString> duplicate(QByteArrayView unit) {
        if (unit.size() != 2)
            return std::nullopt;
        QString text = dec_.decode(unit);
        if (failed(dec_) || text.size() != 1 || text.at(0) == QChar::ReplacementCharacter)
            return std::nullopt;
        if (!encode_plain(text))
            return std::nullopt;
        return text;
    }

    // Decodes one line, character by character where it must: every unit the
    // code page cannot decode becomes markers. `clean` is false when some did.
    QString decode_line(QByteArrayView raw, bool* clean) {
        if (auto text = exact(raw)) {
            *clean = true;
            return *text;
        }
        *clean = true;
        QString out;
        out.reserve(raw.size());
        const qsizetype n = raw.size();
        for (qsizetype i = 0; i < n;) {
            const uchar b = uchar(raw.at(i));
            const qsizetype len =
                (is_lead(b) && i + 1 < n && is_trail(uchar(raw.at(i + 1)))) ? 2 : 1;
            const QByteArrayView unit = raw.sliced(i, len);
            if (auto ch = exact(unit)) {
                out += *ch;
            } else if (auto dup = duplicate(unit)) {
                out += *dup;
            } else {
                *clean = false;
                for (char byte : unit)
                    out += QChar(char16_t(kMarkerBase + uchar(byte)));
            }
            i += len;
        }
        return out;
    }

    // Encodes without substitution: ICU maps a few characters outside the
    // code page (private-use ones among them) onto a code of another
    // character, so the result must also decode back to the same text.
    std::optional<QByteArray> encode_plain(QStringView text) {
        if (has_replacement(text))
            return std::nullopt;
        QByteArray out = enc_.encode(text);
        if (failed(enc_))
            return std::nullopt;
        const QString back = dec_.decode(out);
        if (failed(dec_) || back != text)
            return std::nullopt;
        return out;
    }

private:
    // The code page holds no U+FFFD: where one appears, bytes could not be
    // decoded, even when a reused ICU converter forgot to say so (seen after
    // an earlier line of the same file had an error).
    static bool has_replacement(QStringView text) {
        return text.contains(QChar::ReplacementCharacter);
    }

    // Qt 6.4's resetState() leaves an ICU converter's error flag set, so a
    // converter that saw an error is replaced for the next call.
    template <class Converter> static bool failed(Converter& c) {
        if (!c.hasError())
            return false;
        c = Converter(kCodec, QStringConverter::Flag::Stateless);
        return true;
    }

    QStringDecoder dec_{kCodec, QStringConverter::Flag::Stateless};
    QStringEncoder enc_{kCodec, QStringConverter::Flag::Stateless};
};

// One pair of converters for the program: opening an ICU converter costs far
// more than converting a line. The program has one thread; a converter that
// saw an error is replaced before its next use.
Cp932& shared_codec() {
    static Cp932 codec;
    return codec;
}

// encode_plain, with each marker written as the byte it stands for.
std::optional<QByteArray> encode_exact(const QString& text) {
    Cp932& codec = shared_codec();
    qsizetype run = 0;
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!is_marker_at(text, i))
            continue;
        auto part = codec.encode_plain(QStringView(text).sliced(run, i - run));
        if (!part)
            return std::nullopt;
        out += *part;
        out += char(text.at(i).unicode() - kMarkerBase);
        run = i + 1;
    }
    if (run == 0)
        return codec.encode_plain(text);
    auto part = codec.encode_plain(QStringView(text).sliced(run));
    if (!part)
        return std::nullopt;
    return out + *part;
}

} // namespace

QString decode_cp932(const QByteArray& bytes, bool* ok) {
    Cp932& codec = shared_codec();
    bool clean = true;
    QString s = codec.decode_line(bytes, &clean);
    if (ok)
        *ok = clean;
    return s;
}

std::optional<QByteArray> encode_cp932(const QString& text, QString* bad) {
    auto out = encode_exact(text);
    if (!out && bad)
        *bad = first_unstorable(text);
    return out;
}

QString first_unstorable(const QString& text) {
    Cp932& codec = shared_codec();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (is_marker_at(text, i))
            continue;
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QString ch = text.mid(i, len);
        if (!codec.encode_plain(ch))
            return ch;
        i += len - 1;
    }
    return QString();
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
        line.replace(u'\n', QChar(char16_t(kMarkerBase + '\n')));
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
    Cp932& codec = shared_codec();
    if (auto text = codec.exact(bytes)) {
        result.lines = split_text_lines(*text);
        keep_line_feeds(result, path);
        return result;
    }
    const QList<QByteArray> raw = split_lines(bytes);
    result.lines.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        bool clean = true;
        result.lines.append(codec.decode_line(raw.at(i), &clean));
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
    auto encoded = encode_exact(text);
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
