#include "ledger/file_error.h"

#include <QFileInfo>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace kanvelo {

QString FileError::file_name() const {
    return QFileInfo(path).fileName();
}

QString FileError::message() const {
    QString s = file_name();
    if (line > 0)
        s += u" %1行目"_s.arg(line);
    if (!detail.isEmpty())
        s += u"："_s + detail;
    return s;
}

QString write_failure_reason(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return u"ディスクがいっぱいです。空きを作ってから保存し直して下さい"_s;
    case EACCES:
    case EPERM:
        return u"このフォルダまたはファイルには書き込めません（書き込みの許可がありません）"_s;
    case EROFS:
        return u"このフォルダまたはファイルには書き込めません（読み取り専用の場所です）"_s;
    case ENOENT:
    case ENOTDIR:
        return u"保存先のフォルダが見つかりません（フォルダが無いか、フォルダと同じ名前のファイルが"
               "あります）"_s;
    case EISDIR:
        return u"同じ名前のフォルダがあるので、ファイルとして保存できません"_s;
    case EFBIG:
        return u"ファイルが大きすぎて保存できません（大きさの上限を超えます）"_s;
    case EIO:
        return u"ディスクの読み書きに失敗しました。ディスクやUSBメモリが外れて"
               "いないか確かめてから保存し直して下さい"_s;
    case 0:
        return u"保存の途中で問題が起きました。保存先を確かめてから保存し直して"
               "下さい"_s;
    default:
        return u"保存の途中で問題が起きました（エラー番号 %1）。保存先を確かめてから"
               "保存し直して下さい"_s.arg(err);
    }
}

} // namespace kanvelo
