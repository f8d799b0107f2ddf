#include "ledger/asset_file.h"

#include "ledger/guards.h"
#include "ledger/line_file.h"
#include "ledger/values.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr int kAssetLines = 4;

// The memo number of a file name m0000001.txt; nullopt for any other name.
std::optional<int> memo_number_of(const QString& file_name) {
    if (file_name.size() != 12 || !file_name.startsWith(u'm') || !file_name.endsWith(u".txt"_s))
        return std::nullopt;
    const QString digits = file_name.mid(1, 7);
    for (QChar c : digits)
        if (!c.isDigit())
            return std::nullopt;
    return whole_number_in(digits, 1, kMemoNoMax);
}

int highest_memo_file(const QString& folder) {
    int highest = 0;
    const QStringList names = QDir(folder).entryList({u"m*.txt"_s}, QDir::Files);
    for (const QString& name : names)
        highest = std::max(highest, memo_number_of(name).value_or(0));
    return highest;
}

std::optional<FileError> make_folder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isDir())
        return std::nullopt;
    if (info.exists() || info.isSymLink())
        return FileError{folder, 0, u"同じ名前のファイルがあるので、フォルダを作れません"_s};
    if (const int err = make_folder_synced(folder); err != 0 && err != ENOTDIR)
        return FileError{folder, 0, write_failure_reason(err)};
    return std::nullopt;
}

} // namespace

QString asset_folder(const QString& app_path) {
    return app_path + kAssetFolder + u'/';
}

QString asset_list_path(const QString& app_path) {
    return asset_folder(app_path) + kAssetListFile;
}

QString memo_path(const QString& app_path, int memo_no) {
    return asset_folder(app_path) + u'm' + format_number(memo_no, u"0000000"_s) + u".txt"_s;
}

AssetLoad asset_list_load(const QString& app_path) {
    AssetLoad out;
    const QString folder = asset_folder(app_path);
    if ((out.error = make_folder(app_path + kAssetFolder)))
        return out;
    const QString path = asset_list_path(app_path);
    if (!file_exists(path) && !QFileInfo(path).isSymLink()) {
        if ((out.error = write_line_file(path, {number_form(0)})))
            return out;
    }
    const LineFile file = read_line_file(path, Watch::Yes);
    if (file.missing || file.unreadable) {
        out.error = file.errors.empty() ? FileError{path, 0, u"ファイルが読めません"_s}
                                        : file.errors.front();
        return out;
    }
    // Bytes the code page cannot decode are kept as markers and written back
    // as they were; they do not stop the list.
    const QStringList& lines = file.lines;
    if (lines.isEmpty()) {
        out.error = FileError{path, 1, u"ファイルが空です"_s};
        return out;
    }
    const auto last = whole_number_in(lines.first(), 0, kMemoNoMax);
    if (!last) {
        out.error =
            FileError{path, 1, u"最後のメモ番号「%1」が正しくありません"_s.arg(lines.first())};
        return out;
    }
    AssetList& list = out.list;
    list.last_memo_no = *last;
    list.sisan.reserve((lines.size() - 1) / kAssetLines);
    for (qsizetype i = 1; i < lines.size(); i += kAssetLines) {
        if (i + kAssetLines > lines.size()) {
            out.error = FileError{path, int(lines.size()) + 1, u"ファイルが途中で終わっています"_s};
            return out;
        }
        const auto memo_no = whole_number_in(lines.at(i + 3), 1, kMemoNoMax);
        if (!memo_no) {
            out.error = FileError{path, int(i + 4),
                                  u"メモ番号「%1」が正しくありません"_s.arg(lines.at(i + 3))};
            return out;
        }
        list.sisan.push_back({lines.at(i), lines.at(i + 1), lines.at(i + 2), *memo_no});
        list.last_memo_no = std::max(list.last_memo_no, *memo_no);
    }
    list.last_memo_no = std::max(list.last_memo_no, highest_memo_file(folder));
    return out;
}

QStringList asset_list_lines(const AssetList& list) {
    QStringList lines;
    lines.reserve(1 + kAssetLines * qsizetype(list.sisan.size()));
    lines << number_form(list.last_memo_no);
    for (const SisanRec& s : list.sisan)
        lines << s.name << s.kingaku << s.koushin << number_form(s.memo_no);
    return lines;
}

WriteResult asset_list_save(const QString& app_path, const AssetList& list) {
    return write_line_file(asset_list_path(app_path), asset_list_lines(list));
}

double asset_total(const AssetList& list) {
    double total = 0;
    for (const SisanRec& s : list.sisan)
        total += amount_value(s.kingaku).value_or(0);
    return total;
}

MemoRead memo_read(const QString& path) {
    MemoRead memo;
    const QFileInfo info(path);
    if (!file_exists(path) && !info.isSymLink())
        return memo;
    if (info.isFile() && info.size() > kMemoShowLimit) {
        memo.status = MemoRead::Status::TooLarge;
        return memo;
    }
    FileBytes file = read_file_bytes(path);
    if (file.missing)
        return memo;
    if (file.unreadable) {
        memo.status = MemoRead::Status::Unreadable;
        memo.error = file.unreadable;
        return memo;
    }
    // The file may have grown since it was measured.
    if (file.bytes.size() > kMemoShowLimit) {
        memo.status = MemoRead::Status::TooLarge;
        return memo;
    }
    // CR and LF are never the second byte of a character, so taking them off
    // cannot split one.
    if (file.bytes.endsWith("\r\n"))
        file.bytes.chop(2);
    QString text = decode_cp932(file.bytes);
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    memo.status = MemoRead::Status::Shown;
    memo.text = text;
    return memo;
}

std::optional<QByteArray> memo_bytes(const QString& text, QString* bad) {
    QString lines = text;
    lines.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').replace(u"\n"_s, u"\r\n"_s);
    return encode_cp932(lines + u"\r\n"_s, bad);
}

WriteResult memo_write(const QString& path, const QString& text) {
    QString bad;
    const auto bytes = memo_bytes(text, &bad);
    if (!bytes)
        return FileError{path, 0, u"「%1」はこのファイルに保存できない文字です"_s.arg(bad)};
    return write_file_bytes(path, *bytes);
}

WriteResult memo_delete(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    errno = 0;
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        return FileError{path, 0, write_failure_reason(errno)};
    return std::nullopt;
}

} // namespace kanvelo
