#pragma once

#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/settings_file.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// What every fuzz target shares: the program's files kept in memory for one
// input, and a way to stop loudly when a property does not hold.
namespace kanvelo::fuzz {

inline const QString kFolder = QStringLiteral("/fuzz/");

// A ledger on March 2004 with the default categories and wallets.
inline Ledger make_default_ledger() {
    Ledger l;
    set_default_categories(l);
    set_default_wallets(l);
    l.app_path = kFolder;
    l.nen = QStringLiteral("2004");
    l.tuki = QStringLiteral("03");
    l.ini_header = kSignature;
    l.dat_header = kSignature;
    return l;
}

// The folder of one run: two ledgers in their default state, whose files
// live in memory. The ledgers are kept across runs and set back by copying:
// a ledger is large, and a new one each run would spend the fuzzer's time in
// the allocator.
struct MemoryFolder {
    MemoryFiles files;
    Ledger& ledger = fresh(0);
    Ledger& second = fresh(1);

    MemoryFolder() { use_memory_files_for_tests(&files); }
    ~MemoryFolder() { use_memory_files_for_tests(nullptr); }
    MemoryFolder(const MemoryFolder&) = delete;
    MemoryFolder& operator=(const MemoryFolder&) = delete;

private:
    static Ledger& fresh(int which) {
        static const Ledger pattern = make_default_ledger();
        static Ledger ledgers[2];
        ledgers[which] = pattern;
        return ledgers[which];
    }
};

inline QByteArray input_bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A property that does not hold is a finding: abort, so that the fuzzer keeps
// the input and the regression run fails on it.
inline void require(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// A write that must succeed; a refusal is a finding, shown with its reason.
inline void require_written(const WriteResult& result, const char* what) {
    if (result)
        std::fprintf(stderr, "%s\n", qPrintable(result->message()));
    require(!result, what);
}

} // namespace kanvelo::fuzz
