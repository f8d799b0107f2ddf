// Process start to the main window shown on a month of 1000 entries, without
// the splash's 2.5 seconds. Run through bench/startup.sh, which times whole
// processes:   startup_bench DIR   (the folder is filled on first use)
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "main_window/main_form.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {

void prepare(const QString& folder) {
    QDir().mkpath(folder);
    auto l = std::make_unique<Ledger>();
    l->app_path = folder + u'/';
    if (QFileInfo::exists(l->path(kSettingsFile)))
        return;
    settings_create(*l, QDate(2004, 3, 1));
    set_default_categories(*l);
    set_default_wallets(*l);
    l->dat_header = kSignature;
    l->kensu = kSyusiLimit;
    for (int i = 1; i <= kSyusiLimit; ++i)
        l->syusi[i] = {u"200403%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')),
                       QString::number(2 + i % 28), QString::number(100 + i * 7),
                       u"スーパーで食料品 %1"_s.arg(i), QString::number(i % 15)};
    write_line_file(l->month_file_path(), month_file_lines(*l));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench DIR\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    prepare(folder);
    QElapsedTimer timer;
    timer.start();
    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = folder + u'/';
    Main_Form form(*ledger);
    form.set_splash_enabled(false);
    form.startup();
    form.show();
    QApplication::processEvents();
    std::printf("in-process %.1f ms, entries %d\n", timer.nsecsElapsed() / 1e6, ledger->kensu);
    return 0;
}
