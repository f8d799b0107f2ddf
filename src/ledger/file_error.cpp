#include "ledger/file_error.h"

#include <QFileInfo>
#include <cerrno>

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

QString write_failure_reason(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクがいっぱいです。空きを作ってから保存し直して下さい");
    case EACCES:
    case EPERM:
        return QStringLiteral(
            "このフォルダまたはファイルには書き込めません（書き込みの許可がありません）");
    case EROFS:
        return QStringLiteral(
            "このフォルダまたはファイルには書き込めません（読み取り専用の場所です）");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral(
            "保存先のフォルダが見つかりません（フォルダが無いか、フォルダと同じ名前のファイルが"
            "あります）");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあるので、ファイルとして保存できません");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎて保存できません（大きさの上限を超えます）");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました。ディスクやUSBメモリが外れて"
                              "いないか確かめてから保存し直して下さい");
    case 0:
        return QStringLiteral("保存の途中で問題が起きました。保存先を確かめてから保存し直して"
                              "下さい");
    default:
        return QStringLiteral("保存の途中で問題が起きました（エラー番号 %1）。保存先を確かめてから"
                              "保存し直して下さい")
            .arg(err);
    }
}

} // namespace kanvelo
