#include "ledger/line_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kanvelo {

namespace {

constexpr const char* kCodec = "windows-31j";

int g_fail_countdown = 0;

// True when the operation should fail because a test asked for it.
bool injected_failure() {
    if (g_fail_countdown <= 0)
        return false;
    return --g_fail_countdown == 0;
}

QString describe_value(const QString& line) {
    constexpr int kMax = 30;
    return line.size() > kMax ? line.left(kMax) + QStringLiteral("…") : line;
}

} // namespace

void fail_file_operation_for_tests(int nth) {
    g_fail_countdown = nth;
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

QString decode_cp932(const QByteArray& bytes, bool* ok) {
    QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
    QString s = dec.decode(bytes);
    if (ok)
        *ok = !dec.hasError();
    return s;
}

namespace {

// Encodes without substitution: ICU maps a few characters outside the code
// page (private-use ones among them) onto a code of another character, so the
// result must also decode back to the same text.
std::optional<QByteArray> encode_exact(const QString& text) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray out = enc.encode(text);
    if (enc.hasError())
        return std::nullopt;
    QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
    QString back = dec.decode(out);
    if (dec.hasError() || back != text)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<QByteArray> encode_cp932(const QString& text, QString* bad) {
    auto out = encode_exact(text);
    if (!out && bad)
        *bad = first_unstorable(text);
    return out;
}

QString first_unstorable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QString ch = text.mid(i, len);
        if (!encode_exact(ch))
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

LineFile read_line_file(const QString& path) {
    LineFile result;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        result.missing = true;
        return result;
    }
    const QByteArray bytes = f.readAll();
    f.close();
    // CR and LF never occur inside a double-byte character, so the whole file
    // can be decoded at once and split afterwards.
    bool ok = true;
    result.lines = split_text_lines(decode_cp932(bytes, &ok));
    if (ok)
        return result;
    const QList<QByteArray> raw = split_lines(bytes);
    result.lines.clear();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        bool line_ok = true;
        result.lines.append(decode_cp932(raw.at(i), &line_ok));
        if (!line_ok)
            result.errors.push_back(
                {path, int(i + 1), QStringLiteral("Shift_JISとして読めない文字があります")});
    }
    return result;
}

WriteResult write_line_file(const QString& path, const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    auto encoded = encode_exact(text);
    if (!encoded) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QString bad = first_unstorable(lines.at(i));
            if (bad.isEmpty())
                continue;
            return FileError{path, int(i + 1),
                             QStringLiteral("「%1」の「%2」はこのファイルに保存できない文字です")
                                 .arg(describe_value(lines.at(i)), bad)};
        }
        return FileError{path, 0, QStringLiteral("保存できない文字があります")};
    }
    const QByteArray& bytes = *encoded;

    QSaveFile f(path);
    auto fail = [&](const QString& what) -> WriteResult {
        QString reason = f.errorString();
        f.cancelWriting();
        return FileError{path, 0, what + (reason.isEmpty() ? QString() : u'（' + reason + u'）')};
    };
    if (injected_failure() || !f.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("書き込み用に開けませんでした"));
    if (injected_failure() || f.write(bytes) != bytes.size())
        return fail(QStringLiteral("書き込めませんでした"));
    // QSaveFile::commit() can report success on a full disk; check the flush.
    if (injected_failure() || !f.flush() || f.error() != QFileDevice::NoError)
        return fail(QStringLiteral("書き込めませんでした"));
    if (injected_failure() || !f.commit())
        return FileError{path, 0,
                         QStringLiteral("保存を完了できませんでした（%1）").arg(f.errorString())};
    return std::nullopt;
}

} // namespace kanvelo
