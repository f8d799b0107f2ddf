#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace kanvelo {

// Bytes the code page cannot decode (damage, another program's bytes) are held
// as markers, one lone low surrogate U+DC00 + byte per byte, and written back
// as that byte, so a damaged file saves byte for byte as it was read. A code
// the code page holds twice reads as its character and is written back in
// the form Windows writes.

// Encodes text as code page 932, markers as their bytes. Returns nullopt when
// some character cannot be stored; `bad` then receives the first such one.
std::optional<QByteArray> encode_cp932(const QString& text, QString* bad = nullptr);
// Decodes one line; `ok` is false when some bytes became markers.
QString decode_cp932(const QByteArray& bytes, bool* ok = nullptr);

// The first character of `text` that code page 932 cannot store, or empty.
// Markers can be stored.
QString first_unstorable(const QString& text);

// The marker of an undecodable byte b is the lone low surrogate U+DC00 + b.
inline constexpr char16_t kByteMarkerBase = 0xdc00;

// The bytes as text when they decode without error and encode back to the
// same bytes (a clean file, decoded at once); nullopt otherwise.
std::optional<QString> decode_cp932_exact(QByteArrayView bytes);

} // namespace kanvelo
