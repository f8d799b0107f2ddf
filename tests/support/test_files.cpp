#include "support/test_files.h"

#include "ledger/line_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kanvelo::testing {

TempFolder::TempFolder() {
    EXPECT_TRUE(dir_.isValid());
}

QString TempFolder::path() const {
    return dir_.path() + u'/';
}

void TempFolder::write_bytes(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TempFolder::write_lines(const QString& name, const QStringList& lines,
                             const QByteArray& ending) const {
    QByteArray bytes;
    for (const QString& l : lines) {
        auto enc = encode_cp932(l);
        EXPECT_TRUE(enc.has_value()) << qPrintable(l);
        bytes += enc.value_or(QByteArray()) + ending;
    }
    write_bytes(name, bytes);
}

QByteArray TempFolder::read_bytes(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList TempFolder::read_lines(const QString& name) const {
    QByteArray bytes = read_bytes(name);
    QStringList out;
    if (bytes.isEmpty())
        return out;
    EXPECT_TRUE(bytes.endsWith("\r\n")) << qPrintable(name);
    for (const QByteArray& raw : split_lines(bytes)) {
        EXPECT_FALSE(raw.contains('\n')) << qPrintable(name) << " has a bare LF";
        out << decode_cp932(raw);
    }
    return out;
}

bool TempFolder::exists(const QString& name) const {
    return QFileInfo::exists(file(name));
}

QByteArray cp932_bytes(const QStringList& lines, const QMap<int, QByteArray>& raw) {
    QByteArray bytes;
    for (int i = 0; i < lines.size(); ++i) {
        if (raw.contains(i)) {
            bytes += raw.value(i) + "\r\n";
            continue;
        }
        auto enc = encode_cp932(lines.at(i));
        EXPECT_TRUE(enc.has_value()) << qPrintable(lines.at(i));
        bytes += enc.value_or(QByteArray()) + "\r\n";
    }
    return bytes;
}

QStringList entry(const char* hiduke, const char* himoku_no, const char* kingaku,
                  const char* tekiyo, const char* saifu_no) {
    return {QString::fromUtf8(hiduke), QString::fromUtf8(himoku_no), QString::fromUtf8(kingaku),
            QString::fromUtf8(tekiyo), QString::fromUtf8(saifu_no)};
}

QStringList month_file_with(const QList<QStringList>& entries) {
    Ledger l;
    set_default_categories(l);
    set_default_wallets(l);
    QStringList out{kSignature};
    for (int c = 0; c < kHimokuCount; ++c)
        out << l.himoku[c].no << l.himoku[c].name << number_form(0) << l.himoku[c].kubun
            << QString();
    for (int w = 0; w < kSaifuCount; ++w)
        out << l.saifu[w].no << l.saifu[w].name;
    for (const QStringList& e : entries)
        out << e;
    return out;
}

QStringList settings_file_for(const QString& nen, const QString& tuki) {
    Ledger l;
    set_default_categories(l);
    set_default_wallets(l);
    QStringList out{kSignature};
    for (int c = 0; c < kHimokuCount; ++c)
        out << l.himoku[c].no << l.himoku[c].name << l.himoku[c].kubun;
    out << nen << tuki << QString() << QString();
    for (int w = 0; w < kSaifuCount; ++w)
        out << l.saifu[w].no << l.saifu[w].name;
    out << number_form(5) << u"spare1"_s << u"spare2"_s << u"spare3"_s << u"spare4"_s
        << u"spare5"_s;
    return out;
}

void init_default_ledger(Ledger& l, const TempFolder& folder) {
    l.app_path = folder.path();
    set_default_categories(l);
    set_default_wallets(l);
    l.ini_header = kSignature;
    l.dat_header = kSignature;
}

void set_modified(const QString& path, const QDateTime& when) {
    QFile f(path);
    if (f.open(QIODevice::ReadWrite))
        f.setFileTime(when, QFileDevice::FileModificationTime);
}

} // namespace kanvelo::testing
