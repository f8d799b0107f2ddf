#include "ledger/clock.h"
#include "ledger/month_load.h"
#include "ledger/values.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

using namespace kanvelo;

namespace {

// The folder beside the executable when it holds kanvelo.ini (a portable copy),
// otherwise the per-user data folder.
QString data_folder() {
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(beside + QStringLiteral("/kanvelo.ini")))
        return beside;
    const QString user = QDir::homePath() + QStringLiteral("/.local/share/kanvelo");
    QDir().mkpath(user);
    return user;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    static Ledger ledger;
    ledger.app_path = QDir(data_folder()).absolutePath() + u'/';
    const FileErrors errors = ledger_load(ledger, clock_today());
    for (const FileError& e : errors)
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
    const QString amount = QStringLiteral("#,##0");
    std::printf("%s/%s entries %d income %s expense %s cash %s\n", qPrintable(ledger.nen),
                qPrintable(ledger.tuki), ledger.kensu,
                qPrintable(format_number(ledger.syunyu_goukei, amount)),
                qPrintable(format_number(ledger.sisyutu_goukei, amount)),
                qPrintable(format_number(ledger.saifu[0].zankin, amount)));
    return errors.empty() ? 0 : 1;
}
