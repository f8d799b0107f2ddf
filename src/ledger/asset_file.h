#pragma once

#include "ledger/file_error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The asset list, kept apart from the months in the folder 資産: sisan.dat
// (the last memo number handed out, then four lines per asset) and one memo
// file per asset, m0000001.txt, ...
namespace kanvelo {

inline constexpr int kSisanLimit = 1000;        // new assets are taken up to this count
inline constexpr int kMemoNoMax = 32767;        // memo numbers are 1..32767, never reused
inline constexpr qint64 kMemoShowLimit = 32000; // bytes of a memo file the window shows

inline const QString kAssetFolder = QStringLiteral("資産");
inline const QString kAssetListFile = QStringLiteral("sisan.dat");

struct SisanRec {
    QString name;
    QString kingaku; // plain digits, as typed after normalising
    QString koushin; // date of the last add or update
    int memo_no = 0; // 1..kMemoNoMax
};

struct AssetList {
    int last_memo_no = 0;
    std::vector<SisanRec> sisan; // in list order: the window's asset r is sisan[r - 1]
};

QString asset_folder(const QString& app_path); // ends with a separator
QString asset_list_path(const QString& app_path);
// "m" + the number in seven digits + ".txt" in the asset folder. The number is
// a whole number, so the path cannot leave the folder.
QString memo_path(const QString& app_path, int memo_no);

struct AssetLoad {
    AssetList list;
    // Set when the list cannot be used as it stands: the folder or the file
    // cannot be made or read, or the file is damaged (cut short, a memo number
    // that is not 1..32767). Nothing is written then.
    std::optional<FileError> error;
};

// Opens the list, creating the folder and a list file holding 0 when they are
// missing. The last memo number comes out at least as high as every memo
// number in the list and every memo file in the folder, so that a new asset
// never takes a number that is still in use. Every asset is kept, also past
// kSisanLimit.
AssetLoad asset_list_load(const QString& app_path);

QStringList asset_list_lines(const AssetList& list);
// Replaces sisan.dat atomically.
WriteResult asset_list_save(const QString& app_path, const AssetList& list);

// The sum of the amounts; an amount that is not a number counts as nothing.
double asset_total(const AssetList& list);

struct MemoRead {
    enum class Status { Missing, Shown, TooLarge, Unreadable };
    Status status = Status::Missing;
    QString text; // line breaks as '\n'
    std::optional<FileError> error;
};
// A memo file as the window shows it: its text without the CR LF written after
// it (only when it is there). A file of more than kMemoShowLimit bytes is not
// read.
MemoRead memo_read(const QString& path);

// The bytes a memo text is written as: its lines ended by CR LF, and one CR LF
// after the text. nullopt when a character cannot be stored (`bad` receives
// the first).
std::optional<QByteArray> memo_bytes(const QString& text, QString* bad = nullptr);

// Replaces the memo file atomically.
WriteResult memo_write(const QString& path, const QString& text);

// Deletes the memo file; a file that is not there is no failure.
WriteResult memo_delete(const QString& path);

} // namespace kanvelo
