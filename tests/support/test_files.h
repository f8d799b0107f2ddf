#pragma once

#include "ledger/ledger.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kanvelo::testing {

// A fresh folder per test, holding the program's files.
class TempFolder {
public:
    TempFolder();
    QString path() const; // ends with '/'
    QString file(const QString& name) const { return path() + name; }

    // Writes lines in code page 932, each ended by CR LF (or `ending`).
    void write_lines(const QString& name, const QStringList& lines,
                     const QByteArray& ending = "\r\n") const;
    void write_bytes(const QString& name, const QByteArray& bytes) const;
    QByteArray read_bytes(const QString& name) const;
    // Lines of a file the program wrote, decoded; fails the test when a line
    // does not end with CR LF.
    QStringList read_lines(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// The lines in code page 932, each ended by CR LF, where a line listed in
// `raw` is replaced by those bytes as they stand (bytes the code page cannot
// decode, for instance).
QByteArray cp932_bytes(const QStringList& lines, const QMap<int, QByteArray>& raw = {});

// Sets the modification time of the file at `path`, as another program's
// write would.
void set_modified(const QString& path, const QDateTime& when);

// One five-line entry block of a month file.
QStringList entry(const char* hiduke, const char* himoku_no, const char* kingaku,
                  const char* tekiyo, const char* saifu_no);

// The lines of a current-layout month file with the default categories and
// wallets, followed by the given entries (five lines each).
QStringList month_file_with(const QList<QStringList>& entries);
// The lines of a current-layout kanvelo.ini for the given month.
QStringList settings_file_for(const QString& nen, const QString& tuki);

// A ledger on `folder` with the default categories and wallets.
void init_default_ledger(Ledger& ledger, const TempFolder& folder);

} // namespace kanvelo::testing
