#include "ledger/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

// Code page 932 both ways, exactly: what the line files, and so every file of
// the program, are read and written through.
namespace kanvelo {

namespace {

constexpr const char* kCodec = "windows-31j";

} // namespace

namespace {

// Bytes that do not come back from the code page as the same bytes are held
// as one lone low surrogate per byte (U+DC00 + byte), as Python's
// surrogateescape does. Code page 932 decodes to the BMP only and a user
// cannot type a lone surrogate, so the markers are never ambiguous, and the
// writer turns each back into its byte: a damaged file saves unchanged.

bool is_marker_at(const QString& text, qsizetype i) {
    const char16_t c = text.at(i).unicode();
    // Reading never makes a marker of CR, which would split the line. A lone
    // LF inside a line is one (see keep_line_feeds).
    return c >= kByteMarkerBase && c <= kByteMarkerBase + 0xff && c != kByteMarkerBase + '\r' &&
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
                    out += QChar(char16_t(kByteMarkerBase + uchar(byte)));
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
        out += char(text.at(i).unicode() - kByteMarkerBase);
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

std::optional<QString> decode_cp932_exact(QByteArrayView bytes) {
    return shared_codec().exact(bytes);
}

} // namespace kanvelo
